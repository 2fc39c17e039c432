#include "UtilityLib.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

CString& AppDataSubPath() {
    static CString subPath;
    return subPath;
}

CString WithoutTrailingBackslash(const char* folder) {
    CString path(folder);
    int last = path.GetLength() - 1;
    if (last >= 0 && path.ReverseFind('\\') == last)
        path = path.Left(last);
    return path;
}

// What the desktop folder calls the special folder with SHGDN_FORPARSING; "" on failure.
CString SpecialFolderParseName(int csidl) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item)) || !item)
        return CString();
    char name[MAX_PATH] = "";
    IShellFolder* desktop = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        STRRET parseName;
        if (SUCCEEDED(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &parseName)))
            StrRetToBufA(&parseName, item, name, MAX_PATH);
        desktop->Release();
    }
    CoTaskMemFree(item);
    // Wine's parse name of a profile folder can end with "\".
    return WithoutTrailingBackslash(name);
}

// Appends the sub-path when asked and makes sure the folder exists.
CString PrepareAppDataFolder(CString folder, bool withSubPath) {
    if (withSubPath) {
        folder += '\\';
        folder += AppDataSubPath();
    }
    if (!CUtilityLib::IsDirectory(folder))
        CUtilityLib::CreateMultiFolder(folder, 1);
    return folder;
}

}  // namespace

CString CUtilityLib::GetAppPath() {
    char file[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, file, MAX_PATH);
    CString path(file, length < MAX_PATH ? static_cast<int>(length) : 0);
    int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

CString CUtilityLib::GetWindowsDirectoryA() {
    char folder[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(folder, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? WithoutTrailingBackslash(folder) : CString();
}

CString CUtilityLib::GetMyDocumentPath() { return SpecialFolderParseName(CSIDL_PERSONAL); }

CString CUtilityLib::GetAppDataPath(bool withSubPath, bool lowOnVista) {
    char folder[MAX_PATH];
    if (lowOnVista && LOWORD(GetOSVersion()) >= 6) {
        DWORD needed = ExpandEnvironmentStringsA("%USERPROFILE%\\AppData\\LocalLow", folder, MAX_PATH);
        // Without USERPROFILE the text stays unexpanded: a relative path, not a profile folder.
        if (needed == 0 || needed > MAX_PATH || folder[0] == '%')
            return CString();
    } else if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_LOCAL_APPDATA, TRUE)) {
        return CString();
    }
    return PrepareAppDataFolder(folder, withSubPath);
}

CString CUtilityLib::GetAppDataLocalPath(bool withSubPath) {
    CString folder = SpecialFolderParseName(CSIDL_LOCAL_APPDATA);
    if (folder.IsEmpty() || !withSubPath)
        return folder;
    if (AppDataSubPath().IsEmpty())
        MessageBoxA(nullptr, "CUtilityLib::SetAppDataSubPath(\"App Name\")를 InitInstance()에서 호출해야 함.", "알림",
                    MB_OK | MB_ICONWARNING);
    return PrepareAppDataFolder(folder, true);
}

void CUtilityLib::SetAppDataSubPath(const char* name) { AppDataSubPath() = name; }
