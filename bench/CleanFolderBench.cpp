// Times CHistoryCleaner::CleanFolder against a plain FindFirstFileA/DeleteFileA loop and
// "cmd /c rd /s /q" on three identical trees of empty files. Run it inside a sandbox prefix
// only (scripts/bench.sh): it deletes what it made under the temp folder.
#include <windows.h>

#include <cstdio>

#include "BenchSupport.h"
#include "HistoryCleaner.h"

namespace {

const int kFolders = 100;
const int kFilesPerFolder = 200;
const double kTargetRatio = 1.15;

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

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char base[MAX_PATH];
    wsprintfA(base, "%svantrel-bench-%lu", temp, GetTickCount());
    char trees[3][MAX_PATH];
    const char* names[3] = {"cleanfolder", "plainloop", "rd"};
    if (!CreateDirectoryA(base, nullptr)) {
        printf("cannot create %s\n", base);
        return 1;
    }
    printf("making 3 trees of %d empty files in %d folders under %s\n", kFolders * kFilesPerFolder, kFolders, base);
    fflush(stdout);
    for (int i = 0; i < 3; ++i) {
        wsprintfA(trees[i], "%s\\%s", base, names[i]);
        if (!MakeTree(trees[i])) {
            printf("cannot make tree %s (error %lu)\n", trees[i], GetLastError());
            return 1;
        }
    }

    // A real, unset stop event: a cleaning run always has one, and each entry asks it.
    HANDLE stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CHistoryCleaner engine(nullptr, stopEvent);
    CStopwatch cleanWatch;
    int scanned = engine.CleanFolder(trees[0], nullptr, true, true, true);
    double cleanSeconds = cleanWatch.Seconds();
    CloseHandle(stopEvent);

    CStopwatch loopWatch;
    PlainDelete(trees[1]);
    double loopSeconds = loopWatch.Seconds();

    CStopwatch rdWatch;
    bool started = RemoveWithCmd(trees[2]);
    double rdSeconds = rdWatch.Seconds();

    int left[3] = {CountEntries(trees[0]), CountEntries(trees[1]), CountEntries(trees[2])};
    printf("CleanFolder       %8.3f s  (result %d, %d entries left)\n", cleanSeconds, scanned, left[0]);
    printf("plain loop        %8.3f s  (%d entries left)\n", loopSeconds, left[1]);
    printf("cmd /c rd /s /q   %8.3f s  (%s, %d entries left)\n", rdSeconds, started ? "ran" : "could not start",
           left[2]);
    double cleanRatio = cleanSeconds / loopSeconds;
    printf("CleanFolder / plain loop: %.3fx\n", cleanRatio);
    printf("rd / plain loop:          %.3fx\n", rdSeconds / loopSeconds);
    printf("target CleanFolder within %.2fx of the plain loop: %s\n", kTargetRatio,
           cleanRatio <= kTargetRatio ? "met" : "NOT met");

    PlainDelete(base);
    RemoveDirectoryA(base);
    return left[0] + left[1] + left[2] == 0 ? 0 : 1;
}
