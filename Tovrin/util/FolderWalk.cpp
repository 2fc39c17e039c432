#include "FolderWalk.h"

#include "Handle.h"

namespace {

bool IsDotEntry(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

bool EndsWith(const CString& text, char ch) {
    return !text.IsEmpty() && text.ReverseFind(ch) == text.GetLength() - 1;
}

}  // namespace

bool CFolderWalk::Run(const char* folder) {
    CString base(folder);
    if (base.IsEmpty() || IsReparsePoint(base))
        return false;
    if (!EndsWith(base, '\\'))
        base += '\\';
    m_stopped = false;
    return ListFolder(base);
}

bool CFolderWalk::ListFolder(const CString& folderWithSlash) {
    WIN32_FIND_DATAA found;
    CFindHandle find(FindFirstFileA(folderWithSlash + "*", &found));
    if (!find.IsValid())
        return false;
    do {
        m_stopped = m_stopped || IsStopped();
        if (m_stopped)
            break;
        if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        CString path = folderWithSlash + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            OnFile(path, found);
        } else if (OnEnterFolder(path, found)) {
            ListFolder(path + "\\");
            if (!m_stopped)
                OnLeaveFolder(path);
        }
    } while (FindNextFileA(find, &found));
    return true;
}

bool CFolderWalk::IsReparsePoint(const char* path) {
    CString own(path);
    while (EndsWith(own, '\\') || EndsWith(own, '/'))
        own = own.Left(own.GetLength() - 1);
    // "C:" alone names the current folder of drive C, not its root.
    if (EndsWith(own, ':'))
        own += '\\';
    DWORD attributes = GetFileAttributesA(own);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
