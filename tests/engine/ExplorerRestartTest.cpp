#include <windows.h>

#include <gtest/gtest.h>

#include "HistoryCleaner.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"
#include "UtilityLib.h"

using namespace TraceFixtures;

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kLocalSettingsKey[] = "Software\\Classes\\Local Settings";
const char kTrayNotifyKeys[][96] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify",
};

int CountProcesses(const char* pathPart) {
    CDWordArray ids;
    CUtilityLib::NTGetProcessIDFromFileName(pathPart, ids);
    return ids.GetSize();
}

// Sets an environment variable of this process (and so of the programs it starts) until the
// end of the test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        char old[4096];
        DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        m_hadValue = length > 0 && length < sizeof old;
        if (m_hadValue)
            m_oldValue = old;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(m_name, m_hadValue ? m_oldValue.GetString() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    CString m_name;
    CString m_oldValue;
    bool m_hadValue = false;
};

// A Windows folder of the test's own whose Explorer.exe is a copy of this test program: started
// without arguments it runs no test (GTEST_FILTER), writes its report (GTEST_OUTPUT) and ends.
// Wine's real shell would start a desktop process of its own that outlives the test.
class StandInWindowsFolder {
public:
    StandInWindowsFolder()
        : m_windows(m_folder.MakeFolder("windows")),
          m_report(m_folder / "shell-report.xml"),
          m_windowsDirectory("WINDIR", m_windows),
          m_filter("GTEST_FILTER", "NoTestAtAll"),
          m_output("GTEST_OUTPUT", CString("xml:") + m_report) {
        char program[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
        CString programFolder(program, static_cast<int>(length));
        programFolder = programFolder.Left(programFolder.ReverseFind('\\'));
        m_ready = CopyFileA(program, m_windows + "\\Explorer.exe", FALSE) && CopyLibraries(programFolder, m_windows);
    }

    bool IsReady() const { return m_ready; }

    // Waits up to 30 s for the shell's report.
    bool ShellHasRun() const {
        for (int tries = 0; tries < 300 && !FileProbe::Exists(m_report); ++tries)
            Sleep(100);
        return FileProbe::Exists(m_report);
    }

private:
    static bool CopyLibraries(const CString& from, const CString& to) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(from + "\\*.dll", &found);
        if (find == INVALID_HANDLE_VALUE)
            return true;
        bool copied = true;
        do {
            copied = CopyFileA(from + "\\" + found.cFileName, to + "\\" + found.cFileName, FALSE) && copied;
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return copied;
    }

    TempFolder m_folder;
    CString m_windows;
    CString m_report;
    ScopedEnvironment m_windowsDirectory;
    ScopedEnvironment m_filter;
    ScopedEnvironment m_output;
    bool m_ready = false;
};

// A copy of cmd.exe in a folder named "explorer.exe", so its path holds the shell's name,
// reading commands from a pipe: it waits, without a window, until it is ended.
class StandInShell {
public:
    StandInShell() {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        CString program = m_folder.MakeFolder("explorer.exe") + "\\cmd.exe";
        if (!CopyFileA(CString(system) + "\\cmd.exe", program, FALSE))
            return;
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
            m_process = started.hProcess;
        }
        CloseHandle(childInput);
        CloseHandle(childOutput);
        // Once it has written, its module is loaded and the process search can see it.
        char line[64];
        DWORD read = 0;
        m_ready = m_process && ReadFile(m_output, line, sizeof(line), &read, nullptr) && read > 0;
    }

    ~StandInShell() {
        if (m_process) {
            TerminateProcess(m_process, 0);
            WaitForSingleObject(m_process, 10000);
            CloseHandle(m_process);
        }
        if (m_input)
            CloseHandle(m_input);
        if (m_output)
            CloseHandle(m_output);
    }

    bool IsReady() const { return m_ready; }

    // The exit code once it has ended; STILL_ACTIVE when it goes on running.
    DWORD ExitCode() const {
        WaitForSingleObject(m_process, 10000);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process, &code);
        return code;
    }

private:
    TempFolder m_folder;
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    HANDLE m_process = nullptr;
    bool m_ready = false;
};

}  // namespace

TEST(RestartExplorer, WithTheLogoutFlagEndsEveryShellWithTheExitCodeAndStartsNone) {
    StandInShell shell;
    ASSERT_TRUE(shell.IsReady());
    CHistoryCleaner engine(nullptr, nullptr, 1);

    engine.RestartExplorer(2);

    EXPECT_EQ(2u, shell.ExitCode());
    EXPECT_EQ(0, CountProcesses("explorer.exe"));
}

TEST(RestartExplorer, WithoutTheLogoutFlagStartsTheWindowsShellWhenNoneComesBack) {
    StandInWindowsFolder windows;
    ASSERT_TRUE(windows.IsReady());
    StandInShell shell;
    ASSERT_TRUE(shell.IsReady());
    CHistoryCleaner engine;

    engine.RestartExplorer(0);

    EXPECT_EQ(0u, shell.ExitCode());
    EXPECT_TRUE(windows.ShellHasRun());
}

TEST(RemoveWindowsRunHistory, DeletesRunMruAndEndsTheShellWithExitCodeZero) {
    StandInShell shell;
    ASSERT_TRUE(shell.IsReady());
    CString runMru = CString(kExplorerKey) + "\\RunMRU";
    SeededKey seed(HKEY_CURRENT_USER, runMru);
    SetText(HKEY_CURRENT_USER, runMru, "a", "notepad\\1");
    SetText(HKEY_CURRENT_USER, runMru, "MRUList", "a");
    CHistoryCleaner engine(nullptr, nullptr, 1);

    RunItem(9, engine);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, runMru));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kExplorerKey));
    EXPECT_EQ(0u, shell.ExitCode());
    EXPECT_EQ(0, CountProcesses("explorer.exe"));
}

TEST(RemoveTrayHistory, DeletesTheIconStreamsOfBothKeysAndEndsTheShellWithExitCodeTwo) {
    EnsuredKey localSettings(HKEY_CURRENT_USER, kLocalSettingsKey);
    EnsuredKey explorerTray(HKEY_CURRENT_USER, kTrayNotifyKeys[0]);
    EnsuredKey localTray(HKEY_CURRENT_USER, kTrayNotifyKeys[1]);
    for (const char* key : kTrayNotifyKeys) {
        SetText(HKEY_CURRENT_USER, key, "IconStreams", "streams");
        SetText(HKEY_CURRENT_USER, key, "PastIconsStream", "past");
    }
    SeededValue kept(HKEY_CURRENT_USER, kTrayNotifyKeys[1], "VantrelKeep", "kept");
    StandInShell shell;
    ASSERT_TRUE(shell.IsReady());
    CHistoryCleaner engine(nullptr, nullptr, 1);

    RunItem(44, engine);

    for (const char* key : kTrayNotifyKeys) {
        EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, "IconStreams")) << key;
        EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, "PastIconsStream")) << key;
    }
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kTrayNotifyKeys[1], "VantrelKeep"));
    EXPECT_EQ(2u, shell.ExitCode());
    EXPECT_EQ(0, CountProcesses("explorer.exe"));
}
