#include "FolderWalk.h"

#include "CodePageText.h"
#include "Handle.h"

using CodePageText::NarrowedExactly;
using CodePageText::Widened;

namespace {

bool IsDotEntry(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

bool EndsWithSeparator(const std::wstring& text) {
    return !text.empty() && (text.back() == L'\\' || text.back() == L'/');
}

}  // namespace

CFolderWalk::CFolderWalk() = default;

CFolderWalk::~CFolderWalk() = default;

bool CFolderWalk::Run(const char* folder) {
    std::wstring wide = Widened(folder);
    return !wide.empty() && Run(wide.c_str());
}

bool CFolderWalk::Run(const wchar_t* folder) {
    if (!folder || !*folder || IsReparsePoint(folder))
        return false;
    m_path = folder;
    if (m_path.back() != L'\\')
        m_path += L'\\';
    m_stopped = false;
    return ListFolder();
}

bool CFolderWalk::ListFolder() {
    const size_t base = m_path.size();
    m_path += L'*';
    WIN32_FIND_DATAW found;
    CFindHandle find(FindFirstFileW(m_path.c_str(), &found));
    m_path.resize(base);
    if (!find.IsValid())
        return false;
    char name[2 * MAX_PATH];
    do {
        m_stopped = m_stopped || IsStopped();
        if (m_stopped)
            break;
        if (IsDotEntry(found.cFileName) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        m_path.resize(base);
        m_path += found.cFileName;
        if (!WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, name, sizeof name, nullptr, nullptr))
            name[0] = 0;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            OnFile({m_path.c_str(), name, found});
        } else if (OnEnterFolder({m_path.c_str(), name, found})) {
            const size_t own = m_path.size();
            m_path += L'\\';
            ListFolder();
            m_path.resize(own);
            if (!m_stopped)
                OnLeaveFolder({m_path.c_str(), name, found});
        }
    } while (FindNextFileW(find, &found));
    m_path.resize(base);
    return true;
}

bool CFolderWalk::IsReparsePoint(const char* path) { return IsReparsePoint(Widened(path).c_str()); }

bool CFolderWalk::IsReparsePoint(const wchar_t* path) {
    std::wstring own(path ? path : L"");
    while (EndsWithSeparator(own))
        own.pop_back();
    // "C:" alone names the current folder of drive C, not its root.
    if (!own.empty() && own.back() == L':')
        own += L'\\';
    DWORD attributes = GetFileAttributesW(own.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool CFolderWalk::ChangeReadOnly(const wchar_t* path, DWORD attributes, bool readOnly) {
    if (((attributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly)
        return true;
    const DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                           FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY;
    DWORD wanted = (attributes & settable) | (readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    return SetFileAttributesW(path, wanted ? wanted : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

CString CFolderWalk::AnsiPath(const wchar_t* path) {
    CString exact = NarrowedExactly(path);
    if (!exact.IsEmpty())
        return exact;
    wchar_t shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? NarrowedExactly(shortPath) : CString();
}
