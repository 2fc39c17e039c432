#include "UtilityLib.h"

#include <shellapi.h>

#include <cstring>

int CUtilityLib::SHDeleteFile(const char* path, const char* progressTitle, int permanent) {
    // The shell reads a list of names ended by an empty one, so the path needs two NULs.
    char names[MAX_PATH + 1] = {};
    size_t length = path ? strlen(path) : 0;
    if (length == 0 || length >= MAX_PATH)
        return 0;
    memcpy(names, path, length);

    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = names;
    if (progressTitle && *progressTitle) {
        operation.fFlags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
        operation.lpszProgressTitle = progressTitle;
    } else {
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    }
    if (!permanent)
        operation.fFlags |= FOF_ALLOWUNDO;
    return SHFileOperationA(&operation) == 0 ? 1 : 0;
}
