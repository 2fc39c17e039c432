#include "UtilityLib.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

bool QueryStatus(const char* path, WIN32_FILE_ATTRIBUTE_DATA& status) {
    return path && *path && GetFileAttributesExA(path, GetFileExInfoStandard, &status);
}

// Shell attributes (SFGAO_*) of the item, 0 when the shell does not know it.
DWORD ShellAttributes(const char* path) {
    // An empty path would name the desktop, which the shell calls a folder.
    if (!path || !*path)
        return 0;
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ATTRIBUTES))
        return 0;
    return info.dwAttributes;
}

}  // namespace

bool CUtilityLib::IsFile(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA status;
    return QueryStatus(path, status) && !(status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CUtilityLib::IsDirectory(const char* path) { return (ShellAttributes(path) & SFGAO_FOLDER) != 0; }

bool CUtilityLib::IsFileFolder(const char* path) { return (ShellAttributes(path) & SFGAO_FILESYSTEM) != 0; }

bool CUtilityLib::IsReadOnly(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA status;
    return QueryStatus(path, status) && (status.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
}

DWORD CUtilityLib::GetFileSize(const char* path) {
    const DWORD kMissing = 0xFFFFFFFF;
    WIN32_FILE_ATTRIBUTE_DATA status;
    if (!QueryStatus(path, status))
        return kMissing;
    // A size of 4 GiB or more must neither wrap nor read as "missing".
    if (status.nFileSizeHigh || status.nFileSizeLow == kMissing)
        return kMissing - 1;
    return status.nFileSizeLow;
}
