#pragma once
#include <windows.h>

#include <vector>

#include "Handle.h"
#include "UtilityLib.h"

// Reads what a run left in its backup folder, and restores a backup as the history window does.
namespace BackupFileProbe {

inline std::vector<CString> FilesIn(const CString& folder) {
    std::vector<CString> names;
    WIN32_FIND_DATAA entry;
    CFindHandle find(FindFirstFileA(folder + "\\*", &entry));
    if (!find.IsValid())
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    return names;
}

// Line index of the backup's [List] section, read as CP949 text.
inline CString ListEntry(const CString& backupFile, int index) {
    char value[4096] = {};
    GetPrivateProfileStringA("List", CUtilityLib::GetString(index, 0), "<missing>", value, sizeof(value), backupFile);
    return value;
}

// The system's registry editor, as the history window restores a backup.
inline bool ImportWithRegistryEditor(const CString& file) {
    CString command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    // A guard against a hung editor, not a speed check.
    bool ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

}  // namespace BackupFileProbe
