#include <gtest/gtest.h>

#include <windows.h>

#include "DirectMode.h"
#include "ProgramStarts.h"
#include "StandInShell.h"

// Both shell items in one direct-mode start: the shell goes down and comes back once.
TEST(DirectModeShell, BothShellItemsInOneStartRestartTheShellOnce) {
    StandInWindowsFolder windows;
    ASSERT_TRUE(windows.IsReady());
    ProgramStarts starts(windows.ShellPath());
    ASSERT_TRUE(starts.IsReady());

    RunDirectMode("/RemoveTrayHistory,RemoveWindowsRunHistory");

    EXPECT_EQ(1, starts.Count());
    StandInShell::Record shell;
    EXPECT_TRUE(windows.ShellHasStarted(shell));
}
