#include <gtest/gtest.h>

#include "FileProbe.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

TEST(CreateMultiFolder, CreatesEveryParentAndTheLastOnlyWhenAsked) {
    TempFolder folder;
    CUtilityLib::CreateMultiFolder(folder / "a\\b\\c", 0);
    EXPECT_TRUE(FileProbe::IsFolder(folder / "a"));
    EXPECT_TRUE(FileProbe::IsFolder(folder / "a\\b"));
    EXPECT_FALSE(FileProbe::Exists(folder / "a\\b\\c"));

    CUtilityLib::CreateMultiFolder(folder / "a\\b\\c", 1);
    EXPECT_TRUE(FileProbe::IsFolder(folder / "a\\b\\c"));
}

TEST(CreateMultiFolder, TrailingBackslashLastFolderOnlyThroughIncludeLast) {
    TempFolder folder;
    CUtilityLib::CreateMultiFolder(folder / "x\\y\\", 0);
    EXPECT_TRUE(FileProbe::IsFolder(folder / "x"));
    EXPECT_FALSE(FileProbe::Exists(folder / "x\\y"));

    CUtilityLib::CreateMultiFolder(folder / "x\\y\\", 1);
    EXPECT_TRUE(FileProbe::IsFolder(folder / "x\\y"));
}

TEST(CreateMultiFolder, ExistingLevelsAndKoreanNamesAreFine) {
    TempFolder folder;
    folder.MakeFolder("있음");
    CUtilityLib::CreateMultiFolder(folder / "있음\\임시 폴더\\끝", 1);
    EXPECT_TRUE(FileProbe::IsFolder(folder / "있음\\임시 폴더\\끝"));
}
