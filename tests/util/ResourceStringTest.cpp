#include <gtest/gtest.h>

#include "TestFixtures.h"
#include "UtilityLib.h"

// The strings come from TestStrings.rc, linked into this test program.
namespace {

CString ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

CString Read(int id) { return CUtilityLib::GetResourceString(ThisProgram(), id); }

}  // namespace

TEST(GetResourceString, ReadsOnlyTheWantedEntryOfABlock) {
    ASSERT_EQ(949u, GetACP());
    EXPECT_STREQ("First entry", Read(31281));
    EXPECT_STREQ("휴지통 비우기", Read(31282));
    EXPECT_STREQ("Fourth", Read(31284));
    EXPECT_STREQ("End of block", Read(31295));
}

TEST(GetResourceString, EmptyOrUndefinedEntryGivesEmptyText) {
    EXPECT_STREQ("", Read(31283));
    EXPECT_STREQ("", Read(31280));
    EXPECT_STREQ("", Read(31290));
    // The neighbouring blocks hold nothing.
    EXPECT_STREQ("", Read(31296));
    EXPECT_STREQ("", Read(31279));
}

TEST(GetResourceString, IdIsTakenAsUnsigned16Bits) {
    EXPECT_STREQ("Highest id", Read(65535));
    EXPECT_STREQ("Highest id", Read(-1));
    EXPECT_STREQ("First entry", Read(31281 + 65536));
}

TEST(GetResourceString, MissingModuleGivesEmptyText) {
    TempFolder folder;
    EXPECT_STREQ("", CUtilityLib::GetResourceString(folder / "NoSuchModule.dll", 31281));
    EXPECT_STREQ("", CUtilityLib::GetResourceString(nullptr, 31281));
}

TEST(GetResourceString, CountsPastTheBlockEndGiveEmptyText) {
    EXPECT_STREQ("Hi", Read(40000));
    EXPECT_STREQ("", Read(40001));
    EXPECT_STREQ("", Read(40002));
    EXPECT_STREQ("", Read(40015));
}

TEST(GetResourceString, LeavesTheModuleUnloaded) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    CString module = CString(system) + "\\msacm32.dll";
    ASSERT_EQ(nullptr, GetModuleHandleA(module));
    CUtilityLib::GetResourceString(module, 1);
    EXPECT_EQ(nullptr, GetModuleHandleA(module));
}
