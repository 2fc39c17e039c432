#include "main/BackupPruning.h"

#include "Framework.h"
#include "Handle.h"

namespace {

const ULONGLONG kTicksPerSecond = 10000000ULL;
const ULONGLONG kKeptSeconds = 31ULL * 24 * 3600;

ULONGLONG Ticks(const FILETIME& time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

}  // namespace

int PruneRegistryBackups(const char* folder, const FILETIME& now) {
    const ULONGLONG limit = kKeptSeconds * kTicksPerSecond;
    const CString pattern = CString(folder) + "\\*.REG";
    WIN32_FIND_DATAA found;
    CFindHandle search(FindFirstFileA(pattern, &found));
    if (!search.IsValid())
        return 0;
    int deleted = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const ULONGLONG created = Ticks(found.ftCreationTime);
        if (created == 0 || created >= Ticks(now) || Ticks(now) - created <= limit)
            continue;
        if (DeleteFileA(CString(folder) + "\\" + found.cFileName))
            ++deleted;
    } while (FindNextFileA(search, &found));
    return deleted;
}

int PruneRegistryBackups(const char* folder) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return PruneRegistryBackups(folder, now);
}
