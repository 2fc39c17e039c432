#include "MatchingFiles.h"

#include "CFileFind.h"
#include "TraceFiles.h"

void DeleteMatchingFiles(const char* pattern, const CHistoryCleaner* stopSource) {
    CFileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        if (stopSource && stopSource->IsStopRequested())
            break;
        more = finder.FindNextFile();
        TraceFiles::Delete(finder.GetFilePath());
    }
}
