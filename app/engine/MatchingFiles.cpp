#include "MatchingFiles.h"

#include "CFileFind.h"

void DeleteMatchingFiles(const char* pattern, const CHistoryCleaner* stopSource) {
    CFileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        if (stopSource && stopSource->IsStopRequested())
            break;
        more = finder.FindNextFile();
        // Under Wine DeleteFileA on a link removes its target.
        if (!finder.IsDirectory() && !finder.IsReparsePoint())
            DeleteFileA(finder.GetFilePath());
    }
}
