#pragma once
#include <windows.h>

#include "CString.h"

// A file opened with CreateFileA. Failures come back as results (false, 0 or invalidPosition)
// with the cause in GetLastError; nothing throws.
class FX_API CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000,  // every file is binary; accepted for MFC callers
        osWriteThrough = 0x20000,
    };
    enum SeekPosition : unsigned { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };
    enum : ULONGLONG { invalidPosition = ~0ULL };

    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Closes the file open before, if any. Without a share flag the file is opened exclusively.
    // The handle is not inherited by child processes.
    bool Open(const char* fileName, unsigned flags);
    bool Close();
    void Attach(HANDLE file);
    HANDLE Detach();

    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE GetHandle() const { return m_hFile; }
    // The absolute path given to Open; empty for an attached handle.
    const CString& GetFilePath() const { return m_path; }

    // Bytes read: fewer than count at the end of the file, 0 on failure.
    UINT Read(void* buffer, UINT count);
    // True only when all count bytes were written.
    bool Write(const void* data, UINT count);
    bool Flush();

    // The new position, or invalidPosition on failure.
    ULONGLONG Seek(LONGLONG offset, SeekPosition from);
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    ULONGLONG GetPosition() const;
    // 0 when the length cannot be read.
    ULONGLONG GetLength() const;
    // Leaves the position at the new end of the file, as MFC does.
    bool SetLength(ULONGLONG length);

    static bool Remove(const char* fileName);
    static bool Rename(const char* oldName, const char* newName);

private:
    ULONGLONG MovePointer(LONGLONG offset, DWORD from) const;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_path;
};
