#include "TraceFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "PathGuard.h"
#include "UtilityLib.h"

namespace TraceFolders {

namespace {

// "\" is never a trail byte in code page 949, so trimming bytes is safe.
CString WithoutTrailingBackslash(CString folder) {
    folder.TrimRight('\\');
    return folder;
}

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

bool IsDriveLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

// "X:\...": not "X:name" or "\name", which depend on the current folder, nor a server or device
// path ("\\server\...", "\\?\..."), which another program's file has no business naming.
bool IsDrivePath(const CString& path) {
    return path.GetLength() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
}

// Every %NAME% of the text names a variable that is set. An unset one stays in the text as it
// was written; a "%" in a value (a user named "50%") is no sign of failure.
bool AllVariablesSet(const char* text) {
    for (const char* open = strchr(text, '%'); open;) {
        const char* close = strchr(open + 1, '%');
        if (!close)
            return true;
        CString name(open + 1, static_cast<int>(close - open - 1));
        if (!name.IsEmpty() && GetEnvironmentVariableA(name, nullptr, 0) == 0)
            return false;
        open = strchr(close + 1, '%');
    }
    return true;
}

}  // namespace

CString Special(int csidl) {
    char folder[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE) || !folder[0])
        return CString();
    return WithoutTrailingBackslash(folder);
}

CString Expanded(const char* path) {
    if (!AllVariablesSet(path))
        return CString();
    char expanded[MAX_PATH];
    DWORD needed = ExpandEnvironmentStringsA(path, expanded, MAX_PATH);
    if (needed == 0 || needed > MAX_PATH)
        return CString();
    return expanded;
}

CString ExistingFolder(const char* path) {
    CString folder = Expanded(path);
    return !folder.IsEmpty() && CUtilityLib::IsDirectory(folder) ? folder : CString();
}

CString Join(const CString& base, const char* relative) {
    if (base.IsEmpty())
        return CString();
    return WithoutTrailingBackslash(base) + "\\" + relative;
}

CString SettingFolder(const CString& setting) {
    return IsDrivePath(setting) ? CPathGuard::Canonical(setting) : CString();
}

}  // namespace TraceFolders
