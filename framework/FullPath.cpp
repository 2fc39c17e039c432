#include "FullPath.h"

#include <windows.h>

CString GetFullPath(const char* path) {
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(path, MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return CString(path);
    return CString(buffer, static_cast<int>(length));
}
