#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "HistoryCleaner.h"
#include "ProcessProbe.h"
#include "StandInShell.h"
#include "TestFixtures.h"
#include "TraceFixtures.h"

using namespace TraceFixtures;

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kLocalSettingsKey[] = "Software\\Classes\\Local Settings";
const char kTrayNotifyKeys[][96] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify",
};

size_t CountShells() { return ProcessProbe::IdsNamed("explorer.exe").size(); }

// The stand-in shell under the shell's own file name.
class StandInShellCopy : public StartedStandInShell {
public:
    StandInShellCopy() : StartedStandInShell("shell\\Explorer.exe") {}
};

CString CurrentFolder() {
    char folder[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// A current folder of the test's own. Started from a host folder that no drive maps, the test has
// a current folder its children cannot enter: Wine starts them in the Windows folder instead.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const CString& folder) : m_previous(CurrentFolder()) { SetCurrentDirectoryA(folder); }
    ~ScopedCurrentFolder() { SetCurrentDirectoryA(m_previous); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    CString m_previous;
};

}  // namespace

TEST(RestartExplorer, WithTheLogoutFlagEndsEveryShellWithTheExitCodeAndStartsNone) {
    StandInShellCopy shell;
    StartedStandInShell otherCase("other\\EXPLORER.EXE");
    ASSERT_TRUE(shell.IsReady());
    ASSERT_TRUE(otherCase.IsReady());
    CHistoryCleaner engine(nullptr, nullptr, 1);

    engine.RestartExplorer(2);

    EXPECT_EQ(2u, shell.ExitCode());
    EXPECT_EQ(2u, otherCase.ExitCode());
    EXPECT_EQ(0u, CountShells());
}

// Only the file name counts: a program whose path merely holds the shell's name keeps running.
TEST(RestartExplorer, LeavesProgramsWhosePathsOnlyContainTheShellsName) {
    const char* const bystanders[] = {"Tools\\FileExplorer.exe", "explorer.exe\\Shell.exe", "Tools\\Explorer.exe.exe"};
    StandInShellCopy shell;
    ASSERT_TRUE(shell.IsReady());
    std::vector<std::unique_ptr<StartedStandInShell>> running;
    for (const char* bystander : bystanders) {
        running.push_back(std::make_unique<StartedStandInShell>(bystander));
        ASSERT_TRUE(running.back()->IsReady()) << bystander;
    }
    CHistoryCleaner engine(nullptr, nullptr, 1);

    engine.RestartExplorer(2);

    EXPECT_EQ(2u, shell.ExitCode());
    for (size_t i = 0; i < running.size(); ++i)
        EXPECT_TRUE(running[i]->IsRunning()) << bystanders[i];
}

TEST(RestartExplorer, WithoutTheLogoutFlagStartsTheWindowsShellWhenNoneComesBack) {
    StandInWindowsFolder windows;
    ASSERT_TRUE(windows.IsReady());
    TempFolder working;
    ScopedCurrentFolder current(working.Path());
    StandInShellCopy shell;
    StartedStandInShell bystander("Tools\\FileExplorer.exe");
    ASSERT_TRUE(shell.IsReady());
    ASSERT_TRUE(bystander.IsReady());
    CHistoryCleaner engine;

    engine.RestartExplorer(0);

    EXPECT_EQ(0u, shell.ExitCode());
    EXPECT_TRUE(bystander.IsRunning());
    StandInShell::Record started;
    ASSERT_TRUE(windows.ShellHasStarted(started));
    EXPECT_TRUE(windows.StartedShell().IsRunning());
    EXPECT_EQ(SW_SHOW, started.show);
    EXPECT_STREQ(working.Path(), started.workingFolder);
}

TEST(RemoveWindowsRunHistory, DeletesRunMruAndEndsTheShellWithExitCodeZero) {
    StandInShellCopy shell;
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
    EXPECT_EQ(0u, CountShells());
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
    StandInShellCopy shell;
    ASSERT_TRUE(shell.IsReady());
    CHistoryCleaner engine(nullptr, nullptr, 1);

    RunItem(44, engine);

    for (const char* key : kTrayNotifyKeys) {
        EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, "IconStreams")) << key;
        EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, "PastIconsStream")) << key;
    }
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kTrayNotifyKeys[1], "VantrelKeep"));
    EXPECT_EQ(2u, shell.ExitCode());
    EXPECT_EQ(0u, CountShells());
}
