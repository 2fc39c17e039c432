// Times a full direct-mode cleaning of a heavy profile (TraceProfile seed --large): the wall time
// and peak memory of Vantrel.exe; then, seeded again, a plain FindFirstFileA/DeleteFileA loop over
// the same trees; then, seeded once more, each item as a direct-mode start of its own in this
// process, so that the total explains itself. Prints figures only. Run it inside a sandbox prefix only (scripts/bench-direct.sh):
//   DirectModeBench <Windows path of Vantrel.exe>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "BenchSupport.h"
#include "CleanupCatalogue.h"
#include "DirectMode.h"
#include "DirectModeKeys.h"
#include "RestartedShells.h"
#include "SeedManifest.h"

namespace {

struct ProcessFigures {
    bool started = false;
    DWORD exitCode = 0;
    double seconds = 0;
    SIZE_T peakWorkingSet = 0;
    SIZE_T peakPagefile = 0;
};

void TakePeaks(HANDLE process, ProcessFigures& figures) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        figures.peakWorkingSet = std::max(figures.peakWorkingSet, counters.PeakWorkingSetSize);
        figures.peakPagefile = std::max(figures.peakPagefile, counters.PeakPagefileUsage);
    }
}

// Its standard handles are NUL so that a shell it restarts holds none of ours.
ProcessFigures RunAndWatch(const CString& commandLine, bool quiet) {
    ProcessFigures figures;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (quiet) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    }
    PROCESS_INFORMATION process = {};
    CString line = commandLine;
    CStopwatch watch;
    figures.started = CreateProcessA(nullptr, line.GetBuffer(), nullptr, nullptr, quiet, 0, nullptr, nullptr,
                                     &startup, &process) != FALSE;
    CloseHandle(nul);
    if (!figures.started)
        return figures;
    // Wine may forget the counters of an ended process: they are sampled while it runs.
    while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT)
        TakePeaks(process.hProcess, figures);
    figures.seconds = watch.Seconds();
    TakePeaks(process.hProcess, figures);
    GetExitCodeProcess(process.hProcess, &figures.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return figures;
}

int TraceFiles(const CSeedManifest& manifest) {
    int files = 0;
    for (const SeedEntry& entry : manifest.Entries()) {
        bool isFile = entry.kind == SeedKind::File || entry.kind == SeedKind::Tree || entry.kind == SeedKind::IndexDat;
        if (entry.role == SeedRole::Trace && isFile)
            files += entry.count;
    }
    return files;
}

int TracesPresent(const CSeedManifest& manifest, int& units) {
    int present = 0;
    units = 0;
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.role != SeedRole::Trace)
            continue;
        units += entry.count;
        present += PresentUnits(entry);
    }
    return present;
}

// The baseline over the very files the run deletes, where they lie: under Wine the same loop
// takes twice as long in the profile's deep cache folder as in a tree at the root of drive C.
double PlainDeleteOfSeededTrees(const CSeedManifest& manifest, int& files) {
    files = 0;
    CStopwatch watch;
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.role != SeedRole::Trace || entry.kind != SeedKind::Tree)
            continue;
        PlainDelete(entry.path);
        RemoveDirectoryA(entry.path);
        files += entry.count;
    }
    return watch.Seconds();
}

CString OwnFolder() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\'));
}

bool Seed(CSeedManifest& manifest) {
    printf("seeding a heavy profile (TraceProfile seed --large)...\n");
    fflush(stdout);
    ProcessFigures seed = RunAndWatch("\"" + OwnFolder() + "\\TraceProfile.exe\" seed --large", false);
    if (!seed.started || seed.exitCode != 0 || !manifest.Load()) {
        printf("seeding failed\n");
        return false;
    }
    printf("seeded in %.1f s\n", seed.seconds);
    return true;
}

// Each item alone, in direct-mode order, as Vantrel.exe runs it. A start of its own per item
// restarts the shell for item 9 and again for item 44; one start with both does it once.
void PrintItemTable() {
    printf("\nper item, each a direct-mode start of its own in this process:\n");
    double sum = 0;
    for (int id : Catalogue::DirectModeOrder()) {
        const char* key = Catalogue::FindItem(id)->optionKey;
        CStopwatch watch;
        RunDirectMode("/" + CString(key));
        double seconds = watch.Seconds();
        sum += seconds;
        printf("  %2d %-38s %8.3f s\n", id, key, seconds);
        fflush(stdout);
    }
    printf("  sum of the items                          %8.3f s\n", sum);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printf("usage: DirectModeBench <path of Vantrel.exe>\n");
        return 2;
    }
    CSeedManifest manifest;
    if (!Seed(manifest))
        return 1;
    int units = 0;
    int presentBefore = TracesPresent(manifest, units);
    int files = TraceFiles(manifest);
    printf("%d traces, %d of them files\n", units, files);

    printf("cleaning: %s with every direct-mode key...\n", argv[1]);
    fflush(stdout);
    CRestartedShells shells;
    ProcessFigures run = RunAndWatch("\"" + CString(argv[1]) + "\" " + EveryDirectModeKey(), true);
    shells.EndNewOnes();
    if (!run.started) {
        printf("cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    int presentAfter = TracesPresent(manifest, units);

    CSeedManifest baseline;
    if (!Seed(baseline))
        return 1;
    int loopFiles = 0;
    double loopSeconds = PlainDeleteOfSeededTrees(baseline, loopFiles);

    printf("\n");
    printf("Vantrel.exe direct mode, all %d items\n", Catalogue::DirectModeOrder().count);
    printf("  wall time               %8.2f s  (exit code %lu)\n", run.seconds, run.exitCode);
    printf("  peak working set        %8.1f MB\n", run.peakWorkingSet / 1048576.0);
    printf("  peak pagefile usage     %8.1f MB\n", run.peakPagefile / 1048576.0);
    printf("  traces present          %d before, %d after, of %d\n", presentBefore, presentAfter, units);
    printf("plain FindFirstFileA/DeleteFileA loop over the %d files of the seeded trees, seeded again\n", loopFiles);
    printf("  wall time               %8.2f s\n", loopSeconds);
    printf("full cleaning / plain loop: %.2fx\n", loopSeconds > 0 ? run.seconds / loopSeconds : 0.0);
    fflush(stdout);

    CSeedManifest again;
    if (!Seed(again))
        return 1;
    CRestartedShells itemShells;
    PrintItemTable();
    itemShells.EndNewOnes();
    return 0;
}
