#pragma once
#include <windows.h>

#include "CString.h"

// A copy of cmd.exe (program) reading commands from a pipe: it runs, without a window, until it
// is ended or the pipe closes. Ready once it has written, so its module is loaded and process
// searches can see it.
class WaitingCommandShell {
public:
    explicit WaitingCommandShell(const CString& program) {
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE childInput = nullptr;
        HANDLE childOutput = nullptr;
        if (!CreatePipe(&childInput, &m_input, &inherit, 0))
            return;
        if (!CreatePipe(&m_output, &childOutput, &inherit, 0)) {
            CloseHandle(childInput);
            return;
        }
        SetHandleInformation(m_input, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);

        char commandLine[] = "cmd.exe /q /k echo ready";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childInput;
        startup.hStdOutput = childOutput;
        startup.hStdError = childOutput;
        if (CreateProcessA(program, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                           &m_process)) {
            CloseHandle(m_process.hThread);
            m_process.hThread = nullptr;
        }
        CloseHandle(childInput);
        CloseHandle(childOutput);
        char line[64];
        DWORD read = 0;
        m_ready = m_process.hProcess && ReadFile(m_output, line, sizeof(line), &read, nullptr) && read > 0;
    }

    ~WaitingCommandShell() {
        if (m_process.hProcess) {
            TerminateProcess(m_process.hProcess, 0);
            WaitForSingleObject(m_process.hProcess, 10000);
            CloseHandle(m_process.hProcess);
        }
        if (m_input)
            CloseHandle(m_input);
        if (m_output)
            CloseHandle(m_output);
    }
    WaitingCommandShell(const WaitingCommandShell&) = delete;
    WaitingCommandShell& operator=(const WaitingCommandShell&) = delete;

    // The system's own cmd.exe.
    static CString SystemShell() {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        return CString(system) + "\\cmd.exe";
    }

    bool IsReady() const { return m_ready; }
    DWORD Id() const { return m_process.dwProcessId; }

    // The exit code once it has ended; STILL_ACTIVE when it goes on running.
    DWORD ExitCode() const {
        WaitForSingleObject(m_process.hProcess, 10000);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    PROCESS_INFORMATION m_process = {};
    bool m_ready = false;
};
