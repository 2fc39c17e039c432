#pragma once
#include <windows.h>

#include "TestFixtures.h"

// A process a test started or found: ended (when still running) and closed with the object.
class OwnedProcess {
public:
    OwnedProcess() = default;
    ~OwnedProcess() { End(); }
    OwnedProcess(const OwnedProcess&) = delete;
    OwnedProcess& operator=(const OwnedProcess&) = delete;

    // Takes over the handle, which needs SYNCHRONIZE, PROCESS_TERMINATE and query rights.
    void Attach(HANDLE process) {
        End();
        m_process = process;
    }
    HANDLE Get() const { return m_process; }
    DWORD Id() const { return m_process ? GetProcessId(m_process) : 0; }

    // Whether it runs at this moment.
    bool IsRunning() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

    // The exit code once it has ended (waiting up to 10 s); STILL_ACTIVE when it goes on running.
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        if (m_process) {
            WaitForSingleObject(m_process, 10000);
            GetExitCodeProcess(m_process, &code);
        }
        return code;
    }

    void End() {
        if (!m_process)
            return;
        TerminateProcess(m_process, 0);
        WaitForSingleObject(m_process, 10000);
        CloseHandle(m_process);
        m_process = nullptr;
    }

private:
    HANDLE m_process = nullptr;
};

// The folder of a program copy that a test runs; a base of the copy's class, so it exists before
// the copy starts and goes after the copy has ended.
struct ProgramCopyFolder {
    TempFolder folder;
};
