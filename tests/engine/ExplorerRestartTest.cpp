#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "CleaningRun.h"
#include "HistoryCleaner.h"
#include "ProcessProbe.h"
#include "ProgramStarts.h"
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

// A stand-in Windows folder, a running stand-in shell, and the starts of the folder's shell.
struct ShellScene {
    StandInWindowsFolder windows;
    StandInShellCopy shell;
    ProgramStarts starts{windows.ShellPath()};

    bool IsReady() const { return windows.IsReady() && shell.IsReady() && starts.IsReady(); }
};

// Winlogon's "AutoRestartShell" for the life of the object.
class WindowsRestartsTheShell {
public:
    WindowsRestartsTheShell() {
        DWORD on = 1;
        SHSetValueA(HKEY_LOCAL_MACHINE, kWinlogonKey, "AutoRestartShell", REG_DWORD, &on, sizeof on);
    }
    ~WindowsRestartsTheShell() { SHDeleteValueA(HKEY_LOCAL_MACHINE, kWinlogonKey, "AutoRestartShell"); }
    WindowsRestartsTheShell(const WindowsRestartsTheShell&) = delete;
    WindowsRestartsTheShell& operator=(const WindowsRestartsTheShell&) = delete;

private:
    static constexpr const char* kWinlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
};

void SeedShellHistories() {
    SetText(HKEY_CURRENT_USER, CString(kExplorerKey) + "\\RunMRU", "a", "notepad\\1");
    for (const char* key : kTrayNotifyKeys)
        SetText(HKEY_CURRENT_USER, key, "IconStreams", "streams");
}

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

// A restart of the shell is all waiting where Windows does not bring it back by itself.
TEST(RestartExplorer, WaitsForTheShellWindowsBringsBackAndStartsNoneOfItsOwn) {
    WindowsRestartsTheShell windowsRestarts;
    ShellScene scene;
    ASSERT_TRUE(scene.IsReady());
    std::unique_ptr<StartedStandInShell> broughtBack;
    std::thread winlogon([&] {
        WaitForSingleObject(scene.shell.Get(), 30000);
        broughtBack = std::make_unique<StartedStandInShell>("again\\Explorer.exe");
    });
    CHistoryCleaner engine;

    engine.RestartExplorer(0);

    winlogon.join();
    EXPECT_EQ(0u, scene.shell.ExitCode());
    ASSERT_TRUE(broughtBack->IsReady());
    EXPECT_EQ(0, scene.starts.Count());
}

// Both shell items of one run: the shell goes down and comes back once, and neither history is
// in the shell that came back. A run with one of them removes that history only.
TEST(ShellRestartOfARun, EndsAndStartsTheShellOnceForBothShellItems) {
    struct Case {
        std::vector<DWORD> checkedIds;
        bool trayGone;
        unsigned shellExitCode;
    } const cases[] = {
        {{9, 10, 44}, true, 0},
        {{9, 10}, false, 0},
        {{10, 44}, true, 2},
    };
    EnsuredKey localSettings(HKEY_CURRENT_USER, kLocalSettingsKey);
    EnsuredKey explorerTray(HKEY_CURRENT_USER, kTrayNotifyKeys[0]);
    EnsuredKey localTray(HKEY_CURRENT_USER, kTrayNotifyKeys[1]);
    SeededKey runMru(HKEY_CURRENT_USER, CString(kExplorerKey) + "\\RunMRU");
    for (const Case& c : cases) {
        SeedShellHistories();
        ShellScene scene;
        ASSERT_TRUE(scene.IsReady());
        TempFolder backups;
        CleaningRunRequest request;
        for (DWORD id : c.checkedIds)
            request.checkedIds.Add(id);
        request.backupFolder = backups.Path();

        RunCleaning(request);

        bool runHistoryChecked = c.checkedIds[0] == 9;
        EXPECT_EQ(runHistoryChecked, !KeyExists(HKEY_CURRENT_USER, runMru)) << c.checkedIds.size();
        for (const char* key : kTrayNotifyKeys)
            EXPECT_EQ(c.trayGone, !ValueExists(HKEY_CURRENT_USER, key, "IconStreams")) << key;
        EXPECT_EQ(c.shellExitCode, scene.shell.ExitCode());
        EXPECT_EQ(1, scene.starts.Count());
        StandInShell::Record started;
        EXPECT_TRUE(scene.windows.ShellHasStarted(started));
    }
}
