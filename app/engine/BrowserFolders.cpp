#include "BrowserFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

namespace BrowserFolders {

CString Special(int csidl) {
    char folder[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE) || !folder[0])
        return CString();
    CString path(folder);
    path.TrimRight('\\');
    return path;
}

CString Expanded(const char* path) {
    char expanded[MAX_PATH];
    DWORD needed = ExpandEnvironmentStringsA(path, expanded, MAX_PATH);
    if (needed == 0 || needed > MAX_PATH || strchr(expanded, '%'))
        return CString();
    return expanded;
}

}  // namespace BrowserFolders
