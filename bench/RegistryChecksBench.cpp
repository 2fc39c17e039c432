// Times each of the ten registry checks with a real backup writer on a large seeded registry:
// 10,000 MUICache values, 2,000 Uninstall entries and 2,000 App Paths keys, half of each
// invalid. Run it inside a sandbox prefix only (scripts/bench.sh): the checks also remove the
// prefix's own invalid entries.
#include <windows.h>
#include <psapi.h>
#include <shlwapi.h>

#include <cstdio>

#include "BenchSupport.h"
#include "HistoryCleaner.h"
#include "ItemDispatch.h"
#include "RegBackupWriter.h"

namespace {

const int kMuiCacheValues = 10000;
const int kUninstallEntries = 2000;
const int kAppPathsKeys = 2000;

const char kMuiCacheKey[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kMissingFolder[] = "C:\\VantrelBenchGone";

const char* const kCheckNames[] = {"MUICache",    "AppPaths",         "HelpFile",     "FontFile",
                                   "SetupPath",   "UnusedProgramKey", "StartProgram", "StartMenuOrder",
                                   "ProgramCommand", "SoundSetting"};

bool SetText(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

bool SeedMuiCache(const char* existingFile) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kMuiCacheKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool seeded = true;
    char name[MAX_PATH + 32];
    for (int i = 0; i < kMuiCacheValues && seeded; ++i) {
        if (i % 2)
            wsprintfA(name, "%s\\mui%05d.exe", kMissingFolder, i);
        else
            wsprintfA(name, "@%s,-%d", existingFile, i);
        seeded = SetText(key, name, "Vantrel bench");
    }
    RegCloseKey(key);
    return seeded;
}

// Subkeys "VantrelBench%04d" of parent, each with the text valueName (null: the default value)
// naming the existing file or, for odd numbers, a missing one.
bool SeedKeys(const char* parent, int count, const char* valueName, const char* existingFile) {
    char subkey[MAX_PATH];
    char text[MAX_PATH + 32];
    for (int i = 0; i < count; ++i) {
        wsprintfA(subkey, "%s\\VantrelBench%04d", parent, i);
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        if (i % 2)
            wsprintfA(text, "\"%s\\prog%04d.exe\" /x", kMissingFolder, i);
        else
            wsprintfA(text, "\"%s\" /x", existingFile);
        bool seeded = SetText(key, valueName, text) && SetText(key, "DisplayName", subkey);
        RegCloseKey(key);
        if (!seeded)
            return false;
    }
    return true;
}

void RemoveSeeds(const char* existingFile) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMuiCacheKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        char name[MAX_PATH + 32];
        for (int i = 0; i < kMuiCacheValues; ++i) {
            if (i % 2)
                wsprintfA(name, "%s\\mui%05d.exe", kMissingFolder, i);
            else
                wsprintfA(name, "@%s,-%d", existingFile, i);
            RegDeleteValueA(key, name);
        }
        RegCloseKey(key);
    }
    char subkey[MAX_PATH];
    for (int i = 0; i < kUninstallEntries; ++i) {
        wsprintfA(subkey, "%s\\VantrelBench%04d", kUninstallKey, i);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, subkey);
    }
    for (int i = 0; i < kAppPathsKeys; ++i) {
        wsprintfA(subkey, "%s\\VantrelBench%04d", kAppPathsKey, i);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, subkey);
    }
}

LONGLONG FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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

    printf("seeding %d MUICache values, %d Uninstall entries, %d App Paths keys (half invalid each)\n",
           kMuiCacheValues, kUninstallEntries, kAppPathsKeys);
    fflush(stdout);
    CStopwatch seedWatch;
    bool seeded = SeedMuiCache(existingFile) && SeedKeys(kUninstallKey, kUninstallEntries, "UninstallString", existingFile) &&
                  SeedKeys(kAppPathsKey, kAppPathsKeys, nullptr, existingFile);
    printf("seeding took %.3f s%s\n", seedWatch.Seconds(), seeded ? "" : " (FAILED)");

    HANDLE stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CHistoryCleaner engine(nullptr, stopEvent);
    CRegBackupWriter writer;
    writer.SetFileName(backupFile);
    double total = 0;
    for (int id = 27; id <= 36; ++id) {
        int findingsBefore = engine.Findings().GetSize();
        CStopwatch watch;
        DispatchItem(id, engine, writer, nullptr);
        double seconds = watch.Seconds();
        total += seconds;
        printf("%2d %-17s %9.3f s  %6d findings\n", id, kCheckNames[id - 27], seconds,
               engine.Findings().GetSize() - findingsBefore);
        fflush(stdout);
    }
    writer.Close();
    CloseHandle(stopEvent);
    printf("all ten checks     %9.3f s  %6d findings, backup file %lld bytes\n", total, engine.Findings().GetSize(),
           FileSize(backupFile));

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        printf("peak working set %.1f MB, peak pagefile usage %.1f MB\n", memory.PeakWorkingSetSize / 1048576.0,
               memory.PeakPagefileUsage / 1048576.0);

    RemoveSeeds(existingFile);
    DeleteFileA(backupFile);
    DeleteFileA(existingFile);
    RemoveDirectoryA(folder);
    return seeded ? 0 : 1;
}
