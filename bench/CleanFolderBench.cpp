// Times CHistoryCleaner::CleanFolder against a plain FindFirstFileA/DeleteFileA loop on identical
// trees of empty files, three rounds, and "cmd /c rd /s /q" once. Run it inside a sandbox prefix
// only (scripts/bench.sh): it deletes what it made under the temp folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "BenchSupport.h"
#include "HistoryCleaner.h"

namespace {

const int kFolders = 100;
const int kFilesPerFolder = 200;
const double kTargetRatio = 1.10;
const int kRounds = 3;

bool MakeTree(const char* root) {
    if (!CreateDirectoryA(root, nullptr))
        return false;
    char path[MAX_PATH];
    for (int folder = 0; folder < kFolders; ++folder) {
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

// One tree deleted by CleanFolder and one by the plain loop; the order changes every round so
// that neither always runs on a warmer cache.
bool TimeRound(const char* base, int round, double& cleanSeconds, double& loopSeconds, int& left) {
    char cleanTree[MAX_PATH];
    char loopTree[MAX_PATH];
    wsprintfA(cleanTree, "%s\\cleanfolder%d", base, round);
    wsprintfA(loopTree, "%s\\plainloop%d", base, round);
    if (!MakeTree(cleanTree) || !MakeTree(loopTree)) {
        printf("cannot make the trees of round %d (error %lu)\n", round + 1, GetLastError());
        return false;
    }
    // A real, unset stop event: a cleaning run always has one, and each entry asks it.
    HANDLE stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CHistoryCleaner engine(nullptr, stopEvent);
    for (int turn = 0; turn < 2; ++turn) {
        CStopwatch watch;
        if ((turn + round) % 2 == 0) {
            engine.CleanFolder(cleanTree, nullptr, true, true, true);
            cleanSeconds = watch.Seconds();
        } else {
            PlainDelete(loopTree);
            loopSeconds = watch.Seconds();
        }
    }
    CloseHandle(stopEvent);
    left = CountEntries(cleanTree) + CountEntries(loopTree);
    printf("round %d: CleanFolder %7.3f s, plain loop %7.3f s, %.3fx (%d entries left)\n", round + 1, cleanSeconds,
           loopSeconds, cleanSeconds / loopSeconds, left);
    fflush(stdout);
    return true;
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
    printf("%d rounds of two trees of %d empty files in %d folders under %s\n", kRounds, kFolders * kFilesPerFolder,
           kFolders, base);
    fflush(stdout);

    double cleanSeconds[kRounds];
    double loopSeconds[kRounds];
    double ratios[kRounds];
    int left = 0;
    for (int round = 0; round < kRounds; ++round) {
        int leftInRound = 0;
        if (!TimeRound(base, round, cleanSeconds[round], loopSeconds[round], leftInRound))
            return 1;
        ratios[round] = cleanSeconds[round] / loopSeconds[round];
        left += leftInRound;
    }

    char rdTree[MAX_PATH];
    wsprintfA(rdTree, "%s\\rd", base);
    if (!MakeTree(rdTree)) {
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

    PlainDelete(base);
    RemoveDirectoryA(base);
    return left + rdLeft == 0 ? 0 : 1;
}
