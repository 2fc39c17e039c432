#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <set>

// Processes as the system's own snapshot lists them, to check the process search against.
namespace ProcessProbe {

// Ids of the running processes whose file name is fileName (without case).
inline std::set<DWORD> IdsNamed(const char* fileName) {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, fileName) == 0)
            ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

}  // namespace ProcessProbe
