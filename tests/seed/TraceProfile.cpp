// Seeds a sandbox Windows profile with the traces of every browser, Windows and application
// cleanup item plus what the items must leave, and reports what is left of them.
//   TraceProfile seed [--large]   make the traces (a previous seed is removed first)
//   TraceProfile report           per item: what was seeded and what is still there
//   TraceProfile remove           take away everything the seed made
//   TraceProfile keys             the direct-mode command line that names every item
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "DirectModeKeys.h"
#include "SeedReport.h"
#include "TraceSeeder.h"

namespace {

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
    PrintReport(manifest);
    return 0;
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
    printf("usage: TraceProfile seed [--large] | report | remove | keys\n");
    return 2;
}
