#include "TraceFiles.h"

#include <windows.h>

#include "PathGuard.h"

namespace TraceFiles {

bool IsPlainFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) && !CPathGuard::IsLink(path);
}

void Delete(const char* path) {
    if (IsPlainFile(path))
        DeleteFileA(path);
}

}  // namespace TraceFiles
