#pragma once
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "OwnedProcess.h"
#include "ProgramRun.h"
#include "ScopedEnvironment.h"

// The tests' stand-in for the Windows shell (bin\shellstandin\Explorer.exe, which runs for two
// minutes unless ended) and what a copy of it recorded about its start.
namespace StandInShell {

inline CString BuiltProgram() { return ProgramRun::BuildFolder() + "\\shellstandin\\Explorer.exe"; }

struct Record {
    DWORD processId = 0;
    CString workingFolder;
    int show = -1;  // the show command of its start-up information; -1 when none was given
};

// Reads the record of the copy in folder once there is one, waiting up to 30 s for its start.
inline bool WaitForRecord(const CString& folder, Record& record) {
    const CString path = folder + "\\StandInShell.txt";
    for (int tries = 0; tries < 300 && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES; ++tries)
        Sleep(100);
    char text[2 * MAX_PATH] = {0};
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    CString lines[3];
    const char* at = text;
    for (CString& line : lines) {
        const char* end = strchr(at, '\n');
        if (!end)
            return false;
        line = CString(at, static_cast<int>(end - at));
        at = end + 1;
    }
    record.processId = strtoul(lines[0], nullptr, 10);
    record.workingFolder = lines[1];
    record.show = atoi(lines[2]);
    return true;
}

// The running copy that wrote the record; ended with the object.
inline void Own(const Record& record, OwnedProcess& process) {
    process.Attach(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                               record.processId));
}

}  // namespace StandInShell

// A copy of the stand-in shell at a path of its own folder ("shell\\Explorer.exe"), started by
// the test with no handles of its own and running until it is ended.
class StartedStandInShell : private ProgramCopyFolder, public OwnedProcess {
public:
    explicit StartedStandInShell(const char* relativePath) {
        CString program = folder.MakeFile(relativePath);
        if (!CopyFileA(StandInShell::BuiltProgram(), program, FALSE))
            return;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        PROCESS_INFORMATION started = {};
        CString commandLine = "\"" + program + "\"";
        if (!CreateProcessA(program, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return;
        CloseHandle(started.hThread);
        Attach(started.hProcess);
        StandInShell::Record record;
        m_ready = StandInShell::WaitForRecord(program.Left(program.ReverseFind('\\')), record) &&
                  record.processId == Id();
    }

    // Running, with its module loaded, so process searches can see it.
    bool IsReady() const { return m_ready && IsRunning(); }

private:
    bool m_ready = false;
};

// A Windows folder of the test's own (WINDIR, for this process and the programs it starts) whose
// Explorer.exe is the stand-in shell. A shell that a restart starts from it is ended with it.
class StandInWindowsFolder {
public:
    StandInWindowsFolder() : m_windows(m_folder.MakeFolder("windows")), m_windowsDirectory("WINDIR", m_windows) {
        m_ready = CopyFileA(StandInShell::BuiltProgram(), m_windows + "\\Explorer.exe", FALSE) != FALSE;
    }

    bool IsReady() const { return m_ready; }
    CString ShellPath() const { return m_windows + "\\Explorer.exe"; }

    // Waits up to 30 s for a shell started from the folder; false when none started.
    bool ShellHasStarted(StandInShell::Record& record) {
        if (!StandInShell::WaitForRecord(m_windows, record))
            return false;
        StandInShell::Own(record, m_started);
        return true;
    }
    const OwnedProcess& StartedShell() const { return m_started; }

private:
    TempFolder m_folder;
    CString m_windows;
    ScopedEnvironment m_windowsDirectory;
    OwnedProcess m_started;
    bool m_ready = false;
};
