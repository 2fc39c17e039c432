#include <windows.h>

#include <gtest/gtest.h>

#include "HistoryCleaner.h"
#include "ScopedEnvironment.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"
#include "UtilityLib.h"
#include "WaitingCommandShell.h"

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

// The folder of the stand-in shell; a base of it, so it exists before the shell starts and goes
// after the shell has ended.
struct ShellFolder {
    TempFolder folder;
};

// A copy of cmd.exe in a folder named "explorer.exe", so its path holds the shell's name,
// waiting without a window until it is ended.
class StandInShell : private ShellFolder, public WaitingCommandShell {
public:
    StandInShell() : WaitingCommandShell(CopyIntoShellFolder(folder)) {}

private:
    static CString CopyIntoShellFolder(TempFolder& folder) {
        CString program = folder.MakeFolder("explorer.exe") + "\\cmd.exe";
        return CopyFileA(WaitingCommandShell::SystemShell(), program, FALSE) ? program : CString();
    }
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
