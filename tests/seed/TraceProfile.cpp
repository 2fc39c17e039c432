// Seeds a sandbox Windows profile with the traces of every browser, Windows and application
// cleanup item plus what the items must leave, and reports what is left of them.
//   TraceProfile seed [--large]   make the traces (a previous seed is removed first)
//   TraceProfile report           per item: what was seeded and what is still there; exits
//                                 with 3 when something that must survive was lost
//   TraceProfile remove           take away everything the seed made
//   TraceProfile keys             the direct-mode command line that names every item
//   TraceProfile registry-run     a cleaning run of the registry checks, backed up where the
//                                 program keeps its RegHistory
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "CleaningRun.h"
#include "DirectModeKeys.h"
#include "Handle.h"
#include "SeedItems.h"
#include "SeedReport.h"
#include "TraceSeeder.h"
#include "UtilityLib.h"

namespace {

const int kSurvivorLost = 3;

// It writes below HKLM and into the Windows folder: only ever inside a sandbox prefix.
bool InSandbox() {
    char sandbox[MAX_PATH] = {0};
    DWORD length = GetEnvironmentVariableA("VANTREL_SANDBOX", sandbox, MAX_PATH);
    return length > 0 && length < MAX_PATH &&
           GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name") != nullptr;
}

int Seed(bool large) {
    CSeedManifest previous;
    if (previous.Load())
        RemoveSeed(previous);
    CSeedManifest manifest;
    CTraceSeeder seeder(manifest);
    seeder.SeedBrowserTraces();
    seeder.SeedWindowsTraces();
    seeder.SeedProgramTraces();
    seeder.SeedRegistryCheckTraces();
    if (large)
        seeder.SeedLargeProfile();
    if (!manifest.Save()) {
        printf("cannot write %s\n", (const char*)CSeedManifest::FilePath());
        return 1;
    }
    int traces = 0;
    int survivors = 0;
    for (const SeedEntry& entry : manifest.Entries()) {
        traces += entry.role == SeedRole::Trace ? entry.count : 0;
        survivors += entry.role == SeedRole::Survivor ? 1 : 0;
    }
    printf("seeded %d traces and %d things that must survive; manifest %s\n", traces, survivors,
           (const char*)CSeedManifest::FilePath());
    return 0;
}

int Report() {
    CSeedManifest manifest;
    if (!manifest.Load()) {
        printf("no seeded profile here (%s is missing)\n", (const char*)CSeedManifest::FilePath());
        return 1;
    }
    return PrintReport(manifest) > 0 ? kSurvivorLost : 0;
}

int Remove() {
    CSeedManifest manifest;
    if (manifest.Load())
        RemoveSeed(manifest);
    return 0;
}

int Keys() {
    printf("%s\n", (const char*)EveryDirectModeKey());
    return 0;
}

// The newest file of the folder; run files are named by their start time, to the second.
CString NewestFile(const CString& folder) {
    CString newest;
    FILETIME newestTime = {};
    WIN32_FIND_DATAA entry;
    CFindHandle find(FindFirstFileA(folder + "\\*", &entry));
    if (!find.IsValid())
        return newest;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            CompareFileTime(&entry.ftLastWriteTime, &newestTime) >= 0) {
            newestTime = entry.ftLastWriteTime;
            newest = folder + "\\" + entry.cFileName;
        }
    } while (FindNextFileA(find, &entry));
    return newest;
}

// Every finding of a run is one [List] line of its backup file, numbered from 0.
int ListedFindings(const CString& backupFile) {
    int count = 0;
    char value[16] = {};
    while (GetPrivateProfileStringA("List", CUtilityLib::GetString(count, 0), "", value, sizeof value, backupFile) >
           0)
        ++count;
    return count;
}

int RegistryRun() {
    CUtilityLib::SetAppDataSubPath("vantrel");
    CleaningRunRequest request;
    for (DWORD id = kRegistryMuiCache; id <= kRegistrySoundSetting; ++id)
        request.checkedIds.Add(id);
    request.configIni = CString(CSeedManifest::Folder()) + "\\Config.ini";
    request.backupFolder = CUtilityLib::GetAppDataLocalPath(true);
    const CString history = request.backupFolder + "\\RegHistory";
    const CString previous = NewestFile(history);
    RunCleaning(request);
    const CString backupFile = NewestFile(history);
    if (backupFile.IsEmpty() || backupFile == previous) {
        printf("registry checks: no backup file was written in %s\n", (const char*)history);
        return 1;
    }
    printf("registry checks: %d findings\n", ListedFindings(backupFile));
    printf("backup file: %s\n", (const char*)backupFile);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!InSandbox()) {
        printf("TraceProfile runs only inside a sandbox prefix (scripts/sandbox.sh)\n");
        return 2;
    }
    const char* command = argc > 1 ? argv[1] : "";
    if (strcmp(command, "seed") == 0)
        return Seed(argc > 2 && strcmp(argv[2], "--large") == 0);
    if (strcmp(command, "report") == 0)
        return Report();
    if (strcmp(command, "remove") == 0)
        return Remove();
    if (strcmp(command, "keys") == 0)
        return Keys();
    if (strcmp(command, "registry-run") == 0)
        return RegistryRun();
    printf("usage: TraceProfile seed [--large] | report | remove | keys | registry-run\n");
    return 2;
}
