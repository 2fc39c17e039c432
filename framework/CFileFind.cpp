#include "CFileFind.h"

#include <cstring>

#include "CTime.h"
#include "FullPath.h"

CFileFind::CFileFind() : m_find(INVALID_HANDLE_VALUE), m_found(), m_next(), m_hasNext(false) {}

bool CFileFind::FindFile(const char* pattern) {
    Close();
    m_find = ::FindFirstFileA(pattern, &m_next);
    if (m_find == INVALID_HANDLE_VALUE)
        return false;
    m_hasNext = true;
    CString fullPattern = GetFullPath(pattern);
    m_root = fullPattern.Left(fullPattern.ReverseFind('\\'));
    return true;
}

bool CFileFind::FindNextFile() {
    if (!m_hasNext)
        return false;
    m_found = m_next;
    // Qualified: the member itself is named FindNextFileA through the windows.h macro.
    m_hasNext = ::FindNextFileA(m_find, &m_next) != FALSE;
    return m_hasNext;
}

void CFileFind::Close() {
    if (m_find != INVALID_HANDLE_VALUE)
        FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_hasNext = false;
    m_found = WIN32_FIND_DATAA();
    m_root.Empty();
}

CString CFileFind::GetFilePath() const {
    CString path = m_root;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

ULONGLONG CFileFind::GetLength() const {
    return static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32 | m_found.nFileSizeLow;
}

bool CFileFind::IsDots() const {
    return IsDirectory() && (strcmp(m_found.cFileName, ".") == 0 || strcmp(m_found.cFileName, "..") == 0);
}

bool CFileFind::GetLastWriteTime(CTime& time) const {
    FILETIME stored;
    if (!GetLastWriteTime(stored))
        return false;
    time = CTime(stored);
    return true;
}

bool CFileFind::GetCreationTime(CTime& time) const {
    FILETIME stored;
    if (!GetCreationTime(stored))
        return false;
    time = CTime(stored);
    return true;
}

bool CFileFind::ReadTime(const FILETIME& stored, FILETIME& time) const {
    if (!m_found.cFileName[0] || (stored.dwLowDateTime == 0 && stored.dwHighDateTime == 0))
        return false;
    time = stored;
    return true;
}
