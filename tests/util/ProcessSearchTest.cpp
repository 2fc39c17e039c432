#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "UtilityLib.h"
#include "WaitingCommandShell.h"

namespace {

bool Contains(const CDWordArray& ids, DWORD id) {
    const unsigned long* first = ids.GetData();
    return std::find(first, first + ids.GetSize(), id) != first + ids.GetSize();
}

}  // namespace

TEST(NTGetProcessIDFromFileName, AppendsAChildFoundByADifferentlyCasedPartOfItsPath) {
    WaitingCommandShell shell(WaitingCommandShell::SystemShell());
    ASSERT_TRUE(shell.IsReady());
    CDWordArray ids;
    ids.Add(0xFFFFFFF0);

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("SYSTEM32\\Cmd.EXE", ids));
    ASSERT_GE(ids.GetSize(), 2);
    EXPECT_EQ(0xFFFFFFF0ul, ids[0]);
    EXPECT_TRUE(Contains(ids, shell.Id()));
}

TEST(NTGetProcessIDFromFileName, NameMatchingNothingAddsNothing) {
    CDWordArray ids;
    ids.Add(7);

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("vantrel-no-such-program.exe", ids));
    ASSERT_EQ(1, ids.GetSize());
    EXPECT_EQ(7ul, ids[0]);
}

TEST(NTGetProcessIDFromFileName, EmptyNameMatchesNoProcess) {
    CDWordArray ids;

    EXPECT_EQ(0, CUtilityLib::NTGetProcessIDFromFileName("", ids));
    EXPECT_EQ(0, ids.GetSize());
}
