#include <windows.h>

#include "Handle.h"
#include "HistoryCleaner.h"
#include "UtilityLib.h"

namespace {

const char kShellName[] = "Explorer.exe";
const int kReturnChecks = 30;
const DWORD kReturnCheckInterval = 100;
const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
// A terminated process may still be listed for a moment; waiting keeps it from passing for
// a shell that came back.
const DWORD kTerminationWait = 1000;

// Winlogon brings the shell back within a second or so only when told to (the default on Windows);
// without it (Wine, a shell replaced by policy) nothing comes back and waiting keeps the taskbar away.
bool RestartsShellByItself() {
    return CUtilityLib::ReadRegistryDWORD(HKEY_LOCAL_MACHINE, kWinlogonKey, "AutoRestartShell", 0) != 0;
}

bool IsShellRunning() {
    CDWordArray ids;
    CUtilityLib::FindProcessesByFileName(kShellName, ids);
    return ids.GetSize() > 0;
}

void TerminateShells(UINT exitCode) {
    CDWordArray ids;
    CUtilityLib::FindProcessesByFileName(kShellName, ids);
    for (int i = 0; i < ids.GetSize(); ++i) {
        if (ids[i] == GetCurrentProcessId())
            continue;
        CHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, ids[i]));
        if (process.IsValid() && TerminateProcess(process, exitCode))
            WaitForSingleObject(process, kTerminationWait);
    }
}

// The shell gets no handle of ours, standard ones included: holding our output it would keep a
// script's pipe open for as long as it runs. Wine turns null standard handles into /dev/null.
void StartShell() {
    char shell[MAX_PATH];
    DWORD needed = ExpandEnvironmentStringsA("%WINDIR%\\Explorer.exe", shell, MAX_PATH);
    if (needed == 0 || needed > MAX_PATH)
        return;
    CString commandLine = CString("\"") + shell + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started = {};
    if (CreateProcessA(shell, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
        CHandle thread(started.hThread);
        CHandle process(started.hProcess);
    }
}

}  // namespace

void CHistoryCleaner::RestartExplorer(UINT exitCode) {
    TerminateShells(exitCode);
    // Windows is ending the session: the shell stays ended.
    if (m_logoutFlag)
        return;
    int checks = RestartsShellByItself() ? kReturnChecks : 0;
    for (int check = 0; check < checks; ++check) {
        Sleep(kReturnCheckInterval);
        if (IsShellRunning())
            return;
    }
    StartShell();
}
