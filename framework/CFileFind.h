#pragma once
#include <windows.h>
// commdlg.h maps GetFileTitle to GetFileTitleA; included here so that every user of this class
// sees the member under the same name.
#include <commdlg.h>

#include "CString.h"

class CTime;

// A folder listing over FindFirstFileA/FindNextFileA. As in MFC, FindFile only starts the
// listing: call FindNextFile before reading each entry; it returns false when the entry it has
// just made current is the last one. Before the first FindNextFile the accessors describe no
// entry (empty names, no attributes, times not available).
class FX_API CFileFind {
public:
    CFileFind();
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    bool FindFile(const char* pattern = "*.*");
    bool FindNextFile();
    void Close();

    CString GetFileName() const { return m_found.cFileName; }
    // The root and the file name, joined by one backslash.
    CString GetFilePath() const;
    // The file name without its last extension.
    CString GetFileTitle() const;
    // The absolute folder of the pattern, without a trailing backslash.
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const;

    bool MatchesMask(DWORD mask) const { return (m_found.dwFileAttributes & mask) != 0; }
    bool IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    bool IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    bool IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    bool IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    bool IsArchive() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    // Links and junctions; a folder link is also IsDirectory. Folder walks must not enter it.
    bool IsReparsePoint() const { return MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT); }
    // "." or "..".
    bool IsDots() const;

    // False, leaving time unchanged, when there is no current entry or the file system keeps
    // no such time.
    bool GetLastWriteTime(FILETIME& time) const { return ReadTime(m_found.ftLastWriteTime, time); }
    bool GetLastWriteTime(CTime& time) const;
    bool GetCreationTime(FILETIME& time) const { return ReadTime(m_found.ftCreationTime, time); }
    bool GetCreationTime(CTime& time) const;

private:
    bool ReadTime(const FILETIME& stored, FILETIME& time) const;

    HANDLE m_find;
    WIN32_FIND_DATAA m_found;
    WIN32_FIND_DATAA m_next;
    bool m_hasNext;
    CString m_root;
};
