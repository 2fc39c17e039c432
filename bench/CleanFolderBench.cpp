// Times CHistoryCleaner::CleanFolder against a plain FindFirstFileA/DeleteFileA loop on identical
// trees of empty files: three rounds at 20,000 files (the median ratio), then one round at each
// of 10,000, 50,000 and 100,000 files (the cost per file as the tree grows), and "cmd /c rd /s /q"
// once. Run it inside a sandbox prefix only (scripts/bench.sh): it deletes what it made under the
// temp folder.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "BenchSupport.h"
#include "HistoryCleaner.h"

namespace {

// Under Wine each creation or deletion costs in proportion to its folder's entries: trees grow
// by folders, not by folder size.
const int kFilesPerFolder = 200;
const int kRatioFolders = 100;
const int kRounds = 3;
const int kScaleFolders[] = {50, 250, 500};
const double kTargetRatio = 1.10;
const double kFlatWithin = 1.20;

bool MakeTree(const char* root, int folders) {
    if (!CreateDirectoryA(root, nullptr))
        return false;
    char path[MAX_PATH];
    for (int folder = 0; folder < folders; ++folder) {
        wsprintfA(path, "%s\\folder%03d", root, folder);
        if (!CreateDirectoryA(path, nullptr))
            return false;
        for (int file = 0; file < kFilesPerFolder; ++file) {
            wsprintfA(path, "%s\\folder%03d\\file%04d.dat", root, folder, file);
            HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE)
                return false;
            CloseHandle(handle);
        }
    }
    return true;
}

bool RemoveWithCmd(const char* folder) {
    char commandLine[MAX_PATH + 32];
    wsprintfA(commandLine, "cmd.exe /c rd /s /q \"%s\"", folder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

int CountEntries(const char* folder) {
    char path[MAX_PATH];
    wsprintfA(path, "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path, &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        const char* name = found.cFileName;
        if (name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])))
            continue;
        ++count;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            wsprintfA(path, "%s\\%s", folder, name);
            count += CountEntries(path);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

double Median(double values[kRounds]) {
    std::sort(values, values + kRounds);
    return values[kRounds / 2];
}

struct Round {
    double cleanSeconds = 0;
    double loopSeconds = 0;
    int left = 0;
};

// One tree deleted by CleanFolder and one by the plain loop; which goes first alternates, so
// that neither always runs on a warmer cache.
bool TimeRound(const char* base, int number, int folders, Round& round) {
    char cleanTree[MAX_PATH];
    char loopTree[MAX_PATH];
    wsprintfA(cleanTree, "%s\\cleanfolder%d", base, number);
    wsprintfA(loopTree, "%s\\plainloop%d", base, number);
    if (!MakeTree(cleanTree, folders) || !MakeTree(loopTree, folders)) {
        printf("cannot make the trees of round %d (error %lu)\n", number + 1, GetLastError());
        return false;
    }
    // A real, unset stop event: a cleaning run always has one, and each entry asks it.
    HANDLE stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CHistoryCleaner engine(nullptr, stopEvent);
    for (int turn = 0; turn < 2; ++turn) {
        CStopwatch watch;
        if ((turn + number) % 2 == 0) {
            engine.CleanFolder(cleanTree, nullptr, true, true, true);
            round.cleanSeconds = watch.Seconds();
        } else {
            PlainDelete(loopTree);
            round.loopSeconds = watch.Seconds();
        }
    }
    CloseHandle(stopEvent);
    round.left = CountEntries(cleanTree) + CountEntries(loopTree);
    return true;
}

double Microseconds(double seconds, int files) { return seconds * 1e6 / files; }

// The dearest per-file cost over the cheapest.
double Spread(const double costs[], int count) {
    double low = *std::min_element(costs, costs + count);
    double high = *std::max_element(costs, costs + count);
    return high / low;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char base[MAX_PATH];
    wsprintfA(base, "%svantrel-bench-%lu", temp, GetTickCount());
    if (!CreateDirectoryA(base, nullptr)) {
        printf("cannot create %s\n", base);
        return 1;
    }
    const int ratioFiles = kRatioFolders * kFilesPerFolder;
    printf("%d rounds of two trees of %d empty files in %d folders under %s\n", kRounds, ratioFiles, kRatioFolders,
           base);
    fflush(stdout);

    double cleanSeconds[kRounds];
    double loopSeconds[kRounds];
    double ratios[kRounds];
    int left = 0;
    int number = 0;
    for (int r = 0; r < kRounds; ++r, ++number) {
        Round round;
        if (!TimeRound(base, number, kRatioFolders, round))
            return 1;
        cleanSeconds[r] = round.cleanSeconds;
        loopSeconds[r] = round.loopSeconds;
        ratios[r] = round.cleanSeconds / round.loopSeconds;
        left += round.left;
        printf("round %d: CleanFolder %7.3f s, plain loop %7.3f s, %.3fx (%d entries left)\n", r + 1,
               round.cleanSeconds, round.loopSeconds, ratios[r], round.left);
        fflush(stdout);
    }

    char rdTree[MAX_PATH];
    wsprintfA(rdTree, "%s\\rd", base);
    if (!MakeTree(rdTree, kRatioFolders)) {
        printf("cannot make tree %s (error %lu)\n", rdTree, GetLastError());
        return 1;
    }
    CStopwatch rdWatch;
    bool started = RemoveWithCmd(rdTree);
    double rdSeconds = rdWatch.Seconds();
    int rdLeft = CountEntries(rdTree);

    double medianLoop = Median(loopSeconds);
    double medianRatio = Median(ratios);
    printf("median CleanFolder      %8.3f s\n", Median(cleanSeconds));
    printf("median plain loop       %8.3f s\n", medianLoop);
    printf("cmd /c rd /s /q         %8.3f s  (%s, %d entries left)\n", rdSeconds, started ? "ran" : "could not start",
           rdLeft);
    printf("median CleanFolder / plain loop: %.3fx\n", medianRatio);
    printf("rd / median plain loop:          %.3fx\n", rdSeconds / medianLoop);
    printf("target CleanFolder within %.2fx of the plain loop: %s\n", kTargetRatio,
           medianRatio <= kTargetRatio ? "met" : "NOT met");

    const int sizes = static_cast<int>(sizeof kScaleFolders / sizeof kScaleFolders[0]);
    double cleanCosts[sizes];
    double loopCosts[sizes];
    printf("\ncost per file as the tree grows (one round per size)\n");
    printf("     files  CleanFolder s  us/file   plain loop s  us/file   ratio\n");
    for (int size = 0; size < sizes; ++size, ++number) {
        Round round;
        if (!TimeRound(base, number, kScaleFolders[size], round))
            return 1;
        int files = kScaleFolders[size] * kFilesPerFolder;
        cleanCosts[size] = Microseconds(round.cleanSeconds, files);
        loopCosts[size] = Microseconds(round.loopSeconds, files);
        left += round.left;
        printf("  %8d  %13.3f  %7.1f  %13.3f  %7.1f  %.3fx\n", files, round.cleanSeconds, cleanCosts[size],
               round.loopSeconds, loopCosts[size], round.cleanSeconds / round.loopSeconds);
        fflush(stdout);
    }
    double cleanSpread = Spread(cleanCosts, sizes);
    printf("CleanFolder cost per file, dearest / cheapest: %.2f (%s within %.0f%%); plain loop: %.2f\n", cleanSpread,
           cleanSpread <= kFlatWithin ? "flat" : "NOT flat", (kFlatWithin - 1) * 100, Spread(loopCosts, sizes));

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        printf("peak working set %.1f MB (target under 50 MB)\n", memory.PeakWorkingSetSize / 1048576.0);

    PlainDelete(base);
    RemoveDirectoryA(base);
    return left + rdLeft == 0 ? 0 : 1;
}
