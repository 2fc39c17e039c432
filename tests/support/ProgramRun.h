#pragma once
#include <windows.h>

#include "CString.h"

// Starting the programs of the build folder and waiting for them.
namespace ProgramRun {

// The folder of the running test program, where the build puts the programs the tests start.
inline CString BuildFolder() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\'));
}

// Runs the command line (program path first, as CreateProcess takes it) and waits up to
// patienceMs. False when it could not start or had not ended by then; it is terminated then,
// so a program stuck on a window never outlives its test. Its standard handles are NUL: Wine
// hands a process's Unix descriptors down to all it starts, and a shell that Vantrel restarts
// would otherwise hold the test's output open long after the test. An environment block and a
// working folder may be given; by default the test's own are inherited.
inline bool RunToEnd(const CString& commandLine, DWORD patienceMs, DWORD& exitCode, const char* environment = nullptr,
                     const char* folder = nullptr) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    CString line = commandLine;
    BOOL started = CreateProcessA(nullptr, line.GetBuffer(), nullptr, nullptr, TRUE, 0, const_cast<char*>(environment),
                                  folder, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!started)
        return false;
    CloseHandle(process.hThread);
    bool ended = WaitForSingleObject(process.hProcess, patienceMs) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return ended;
}

}  // namespace ProgramRun
