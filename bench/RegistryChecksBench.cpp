// Times the ten registry checks with a real backup writer on a seeded registry at three sizes
// (2,500, 10,000 and 40,000 MUICache values; Uninstall entries and App Paths keys a fifth of that
// each; half of each invalid), each size once with the backups flushed in groups and once with
// one flush per entry, re-seeded in between, against a plain deletion of the same invalid entries
// by name. Prints figures only. Run it inside a sandbox prefix
// only (scripts/bench.sh): the checks also remove the prefix's own invalid entries.
#include <windows.h>
#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "BenchSupport.h"
#include "HistoryCleaner.h"
#include "ItemDispatch.h"
#include "RegBackupWriter.h"

namespace {

const int kSizes[] = {2500, 10000, 40000};
const int kTableSize = 10000;
const int kGroupLimit = 64;

const char kMuiCacheKey[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kMissingFolder[] = "C:\\VantrelBenchGone";

const int kFirstCheck = 27;
const int kCheckCount = 10;
const char* const kCheckNames[kCheckCount] = {"MUICache",         "AppPaths",     "HelpFile",      "FontFile",
                                              "SetupPath",        "UnusedProgramKey", "StartProgram",
                                              "StartMenuOrder",   "ProgramCommand",   "SoundSetting"};

struct Mode {
    const char* name;
    int groupLimit;
};
const Mode kModes[] = {{"grouped", kGroupLimit}, {"per entry", 1}};
const int kModeCount = 2;

struct CheckFigures {
    double seconds = 0;
    int findings = 0;
    int flushes = 0;
};

struct Pass {
    CheckFigures checks[kCheckCount];
    CheckFigures total;
    LONGLONG backupBytes = 0;
    // Microseconds per seeded value or key.
    double costPerElement = 0;
    // At most one flush per 64 removed entries, each check's last group counted whole.
    bool fewFlushes = true;
};

int SideCount(int muiCacheValues) { return muiCacheValues / 5; }

int ElementCount(int muiCacheValues) { return muiCacheValues + 2 * SideCount(muiCacheValues); }

bool SetText(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

void MuiCacheName(int i, const char* existingFile, char* name) {
    if (i % 2)
        wsprintfA(name, "%s\\mui%05d.exe", kMissingFolder, i);
    else
        wsprintfA(name, "@%s,-%d", existingFile, i);
}

void SubkeyName(const char* parent, int i, char* subkey) { wsprintfA(subkey, "%s\\VantrelBench%05d", parent, i); }

bool SeedMuiCache(int count, const char* existingFile) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kMuiCacheKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool seeded = true;
    char name[MAX_PATH + 32];
    for (int i = 0; i < count && seeded; ++i) {
        MuiCacheName(i, existingFile, name);
        seeded = SetText(key, name, "Vantrel bench");
    }
    RegCloseKey(key);
    return seeded;
}

// Subkeys of parent, each with the text valueName (null: the default value) naming the
// existing file or, for odd numbers, a missing one.
bool SeedKeys(const char* parent, int count, const char* valueName, const char* existingFile) {
    char subkey[MAX_PATH];
    char text[MAX_PATH + 32];
    for (int i = 0; i < count; ++i) {
        SubkeyName(parent, i, subkey);
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        if (i % 2)
            wsprintfA(text, "\"%s\\prog%05d.exe\" /x", kMissingFolder, i);
        else
            wsprintfA(text, "\"%s\" /x", existingFile);
        bool seeded = SetText(key, valueName, text) && SetText(key, "DisplayName", subkey);
        RegCloseKey(key);
        if (!seeded)
            return false;
    }
    return true;
}

bool Seed(int muiCacheValues, const char* existingFile) {
    return SeedMuiCache(muiCacheValues, existingFile) &&
           SeedKeys(kUninstallKey, SideCount(muiCacheValues), "UninstallString", existingFile) &&
           SeedKeys(kAppPathsKey, SideCount(muiCacheValues), nullptr, existingFile);
}

// Every seeded entry, or (step 2, from 1) the invalid ones only.
void RemoveSeeds(int muiCacheValues, const char* existingFile, int first = 0, int step = 1) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMuiCacheKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        char name[MAX_PATH + 32];
        for (int i = first; i < muiCacheValues; i += step) {
            MuiCacheName(i, existingFile, name);
            RegDeleteValueA(key, name);
        }
        RegCloseKey(key);
    }
    char subkey[MAX_PATH];
    for (const char* parent : {kUninstallKey, kAppPathsKey}) {
        for (int i = first; i < SideCount(muiCacheValues); i += step) {
            SubkeyName(parent, i, subkey);
            SHDeleteKeyA(HKEY_LOCAL_MACHINE, subkey);
        }
    }
}

// The baseline: what the registry itself costs to delete the invalid entries by name, without
// any check or backup, in microseconds per seeded element.
double PlainRemovalCost(int muiCacheValues, const char* existingFile) {
    CStopwatch watch;
    RemoveSeeds(muiCacheValues, existingFile, 1, 2);
    return watch.Seconds() * 1e6 / ElementCount(muiCacheValues);
}

bool CanLoad(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module)
        FreeLibrary(module);
    return module != nullptr;
}

// The judgement of the missing programs the checks find, by IsLoadableFile and, as the checks
// judged before it stopped asking the loader about full paths that are not there, with a loader
// search for each: the share of the checks' time that the loader took.
void PrintJudgementCost(int muiCacheValues) {
    char path[MAX_PATH];
    int judgedPresent = 0;
    CStopwatch judgeWatch;
    for (int i = 1; i < muiCacheValues; i += 2) {
        wsprintfA(path, "%s\\mui%05d.exe", kMissingFolder, i);
        judgedPresent += CHistoryCleaner::IsLoadableFile(path);
    }
    double judgeSeconds = judgeWatch.Seconds();
    int loadedPresent = 0;
    CStopwatch loaderWatch;
    for (int i = 1; i < muiCacheValues; i += 2) {
        wsprintfA(path, "%s\\mui%05d.exe", kMissingFolder, i);
        bool present = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES || CanLoad(path) ||
                       CanLoad(CString(path) + ".exe") || CanLoad(CString(path) + ".dll");
        loadedPresent += present ? 1 : 0;
    }
    double loaderSeconds = loaderWatch.Seconds();
    printf("\njudging the %d missing MUICache programs: IsLoadableFile %.3f s (%d present), with a loader search "
           "each %.3f s (%d present)\n",
           muiCacheValues / 2, judgeSeconds, judgedPresent, loaderSeconds, loadedPresent);
}

LONGLONG FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Pass RunTenChecks(int groupLimit, const char* backupFile, HANDLE stopEvent) {
    Pass pass;
    CHistoryCleaner engine(nullptr, stopEvent);
    engine.SetRemovalGroupLimit(groupLimit);
    CRegBackupWriter writer;
    writer.SetFileName(backupFile);
    for (int c = 0; c < kCheckCount; ++c) {
        CheckFigures& check = pass.checks[c];
        int findingsBefore = engine.Findings().GetSize();
        int flushesBefore = writer.Flushes();
        CStopwatch watch;
        DispatchItem(kFirstCheck + c, engine, writer, nullptr);
        check.seconds = watch.Seconds();
        check.findings = engine.Findings().GetSize() - findingsBefore;
        check.flushes = writer.Flushes() - flushesBefore;
        pass.total.seconds += check.seconds;
        pass.total.findings += check.findings;
        pass.total.flushes += check.flushes;
        pass.fewFlushes = pass.fewFlushes && check.flushes <= (check.findings + kGroupLimit - 1) / kGroupLimit;
    }
    writer.Close();
    pass.backupBytes = FileSize(backupFile);
    DeleteFileA(backupFile);
    return pass;
}

void PrintPerCheckTable(const Pass (&passes)[kModeCount]) {
    printf("\nper check at %d MUICache values    %-28s %s\n", kTableSize, kModes[0].name, kModes[1].name);
    printf("%2s %-17s %10s %9s %8s   %10s %9s %8s\n", "id", "check", "seconds", "findings", "flushes", "seconds",
           "findings", "flushes");
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckFigures& grouped = passes[0].checks[c];
        const CheckFigures& perEntry = passes[1].checks[c];
        printf("%2d %-17s %10.3f %9d %8d   %10.3f %9d %8d\n", kFirstCheck + c, kCheckNames[c], grouped.seconds,
               grouped.findings, grouped.flushes, perEntry.seconds, perEntry.findings, perEntry.flushes);
    }
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char folder[MAX_PATH];
    wsprintfA(folder, "%svantrel-regbench-%lu", temp, GetTickCount());
    char existingFile[MAX_PATH];
    char backupFile[MAX_PATH];
    wsprintfA(existingFile, "%s\\bench tool.exe", folder);
    wsprintfA(backupFile, "%s\\backup.reg", folder);
    HANDLE file = CreateDirectoryA(folder, nullptr)
                      ? CreateFileA(existingFile, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        printf("cannot create %s\n", existingFile);
        return 1;
    }
    CloseHandle(file);
    HANDLE stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    printf("%lu processors; groups of up to %d entries against one flush per entry\n", system.dwNumberOfProcessors,
           kGroupLimit);
    // Clears the prefix's own invalid entries, so that every timed pass finds the seeded ones only.
    RunTenChecks(kGroupLimit, backupFile, stopEvent);

    const int sizeCount = sizeof kSizes / sizeof kSizes[0];
    Pass passes[sizeCount][kModeCount];
    bool seeded = true;
    for (int s = 0; s < sizeCount && seeded; ++s) {
        int size = kSizes[s];
        printf("\n%d MUICache values, %d Uninstall entries, %d App Paths keys (%d elements, half invalid each)\n", size,
               SideCount(size), SideCount(size), ElementCount(size));
        printf("  %-10s %14s %9s %8s %12s %13s\n", "mode", "ten checks s", "findings", "flushes", "us/element",
               "backup bytes");
        seeded = Seed(size, existingFile);
        if (seeded)
            printf("  %-10s %14s %9s %8s %12.1f\n", "plain", "-", "-", "-", PlainRemovalCost(size, existingFile));
        fflush(stdout);
        // Which mode goes first alternates, so that a machine that speeds up or slows down over
        // the run favours neither.
        for (int turn = 0; turn < kModeCount && seeded; ++turn) {
            int m = (turn + s) % kModeCount;
            seeded = Seed(size, existingFile);
            if (!seeded)
                break;
            Pass& pass = passes[s][m];
            pass = RunTenChecks(kModes[m].groupLimit, backupFile, stopEvent);
            pass.costPerElement = pass.total.seconds * 1e6 / ElementCount(size);
            printf("  %-10s %14.3f %9d %8d %12.1f %13lld\n", kModes[m].name, pass.total.seconds, pass.total.findings,
                   pass.total.flushes, pass.costPerElement, pass.backupBytes);
            fflush(stdout);
        }
        RemoveSeeds(size, existingFile);
        if (size == kTableSize && seeded) {
            PrintPerCheckTable(passes[s]);
            PrintJudgementCost(size);
        }
    }
    CloseHandle(stopEvent);
    DeleteFileA(existingFile);
    RemoveDirectoryA(folder);
    if (!seeded) {
        printf("seeding FAILED\n");
        return 1;
    }

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        printf("\npeak working set after the %d size %.1f MB (target under 50 MB), peak pagefile usage %.1f MB\n",
               kSizes[sizeCount - 1], memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0);

    printf("\ncost per element across the sizes (within 20%% when the dearest is at most 1.2 times the cheapest)\n");
    for (int m = 0; m < kModeCount; ++m) {
        double cheapest = passes[0][m].costPerElement;
        double dearest = cheapest;
        printf("  %-10s", kModes[m].name);
        for (int s = 0; s < sizeCount; ++s) {
            cheapest = std::min(cheapest, passes[s][m].costPerElement);
            dearest = std::max(dearest, passes[s][m].costPerElement);
            printf(" %9.1f us", passes[s][m].costPerElement);
        }
        printf("   dearest/cheapest %.2f: %s\n", dearest / cheapest,
               dearest <= 1.2 * cheapest ? "within 20%" : "NOT within 20%");
    }
    bool fewFlushes = true;
    for (int s = 0; s < sizeCount; ++s)
        fewFlushes = fewFlushes && passes[s][0].fewFlushes;
    printf("grouped: at most one flush per %d removed entries (each check's last group counted whole) at every "
           "size: %s\n",
           kGroupLimit, fewFlushes ? "yes" : "NO");
    return 0;
}
