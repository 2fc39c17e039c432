#include "CFile.h"

#include "FullPath.h"

namespace {

DWORD AccessOf(unsigned flags) {
    if (flags & CFile::modeReadWrite)
        return GENERIC_READ | GENERIC_WRITE;
    return (flags & CFile::modeWrite) ? GENERIC_WRITE : GENERIC_READ;
}

DWORD ShareModeOf(unsigned flags) {
    switch (flags & 0x70) {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        return 0;
    }
}

DWORD CreationOf(unsigned flags) {
    if (!(flags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

bool CFile::Open(const char* fileName, unsigned flags) {
    Close();
    DWORD attributes = FILE_ATTRIBUTE_NORMAL | ((flags & osWriteThrough) ? FILE_FLAG_WRITE_THROUGH : 0);
    HANDLE file = CreateFileA(fileName, AccessOf(flags), ShareModeOf(flags), nullptr, CreationOf(flags), attributes,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    m_hFile = file;
    m_path = GetFullPath(fileName);
    return true;
}

bool CFile::Close() {
    if (!IsOpen())
        return true;
    bool closed = CloseHandle(m_hFile) != FALSE;
    m_hFile = INVALID_HANDLE_VALUE;
    m_path.Empty();
    return closed;
}

void CFile::Attach(HANDLE file) {
    Close();
    m_hFile = file;
}

HANDLE CFile::Detach() {
    HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    m_path.Empty();
    return file;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    return ReadFile(m_hFile, buffer, count, &read, nullptr) ? read : 0;
}

bool CFile::Write(const void* data, UINT count) {
    DWORD written = 0;
    return WriteFile(m_hFile, data, count, &written, nullptr) && written == count;
}

bool CFile::Flush() { return FlushFileBuffers(m_hFile) != FALSE; }

ULONGLONG CFile::Seek(LONGLONG offset, SeekPosition from) { return MovePointer(offset, from); }

ULONGLONG CFile::GetPosition() const { return MovePointer(0, FILE_CURRENT); }

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    return GetFileSizeEx(m_hFile, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

bool CFile::SetLength(ULONGLONG length) {
    return Seek(static_cast<LONGLONG>(length), begin) != invalidPosition && SetEndOfFile(m_hFile);
}

bool CFile::Remove(const char* fileName) { return DeleteFileA(fileName) != FALSE; }

bool CFile::Rename(const char* oldName, const char* newName) { return MoveFileA(oldName, newName) != FALSE; }

ULONGLONG CFile::MovePointer(LONGLONG offset, DWORD from) const {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_hFile, distance, &position, from))
        return invalidPosition;
    return static_cast<ULONGLONG>(position.QuadPart);
}
