#pragma once
#include <windows.h>

#include "CString.h"
#include "OwnedProcess.h"

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
        PROCESS_INFORMATION started = {};
        if (CreateProcessA(program, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                           &started)) {
            CloseHandle(started.hThread);
            m_process.Attach(started.hProcess);
        }
        CloseHandle(childInput);
        CloseHandle(childOutput);
        char line[64];
        DWORD read = 0;
        m_ready = m_process.Get() && ReadFile(m_output, line, sizeof(line), &read, nullptr) && read > 0;
    }

    ~WaitingCommandShell() {
        m_process.End();
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
    DWORD Id() const { return m_process.Id(); }

private:
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    OwnedProcess m_process;
    bool m_ready = false;
};

// A waiting copy of cmd.exe at a path of its own folder ("tools\\FileExplorer.exe"), so a test
// chooses the file name and the folders a process search sees. Wine runs its own program instead
// of a copy named like one of them (explorer.exe): the stand-in shell serves there.
class CommandShellCopy : private ProgramCopyFolder, public WaitingCommandShell {
public:
    explicit CommandShellCopy(const char* relativePath) : WaitingCommandShell(CopyInto(folder, relativePath)) {}

private:
    static CString CopyInto(const TempFolder& folder, const char* relativePath) {
        CString program = folder.MakeFile(relativePath);
        return CopyFileA(SystemShell(), program, FALSE) ? program : CString();
    }
};
