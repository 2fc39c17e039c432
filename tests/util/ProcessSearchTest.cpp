#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

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

// Only the last path component decides, compared without case; a folder or a longer name that
// holds the wanted one does not.
TEST(FindProcessesByFileName, AppendsOnlyProcessesWhoseFileNameIsTheWantedOne) {
    struct Case {
        const char* path;
        bool found;
    };
    const Case cases[] = {
        {"tools\\VantrelProbe.exe", true},       {"other\\VANTRELPROBE.EXE", true},
        {"tools\\FileVantrelProbe.exe", false},  {"VantrelProbe.exe\\cmd.exe", false},
        {"tools\\VantrelProbe.exe.exe", false},  {"tools\\VantrelProbe", false},
    };
    std::vector<std::unique_ptr<CommandShellCopy>> shells;
    for (const Case& c : cases) {
        shells.push_back(std::make_unique<CommandShellCopy>(c.path));
        ASSERT_TRUE(shells.back()->IsReady()) << c.path;
    }
    CDWordArray ids;
    ids.Add(0xFFFFFFF0);

    CUtilityLib::FindProcessesByFileName("vantrelprobe.Exe", ids);

    ASSERT_EQ(3, ids.GetSize());
    EXPECT_EQ(0xFFFFFFF0ul, ids[0]);
    for (size_t i = 0; i < shells.size(); ++i)
        EXPECT_EQ(cases[i].found, Contains(ids, shells[i]->Id())) << cases[i].path;
}

// "갂" and "갵" differ only in a trail byte that reads as "A" or "a".
TEST(FindProcessesByFileName, ComparesDoubleByteCharactersWhole) {
    CommandShellCopy shell("도구\\갂.exe");
    ASSERT_TRUE(shell.IsReady());
    CDWordArray other;
    CDWordArray same;

    CUtilityLib::FindProcessesByFileName("갵.exe", other);
    CUtilityLib::FindProcessesByFileName("갂.EXE", same);

    EXPECT_FALSE(Contains(other, shell.Id()));
    EXPECT_TRUE(Contains(same, shell.Id()));
}

TEST(FindProcessesByFileName, EmptyNameMatchesNoProcess) {
    CDWordArray ids;

    CUtilityLib::FindProcessesByFileName("", ids);
    CUtilityLib::FindProcessesByFileName(nullptr, ids);

    EXPECT_EQ(0, ids.GetSize());
}
