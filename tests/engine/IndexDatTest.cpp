#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "LinkedTree.h"
#include "ProgramTraceProfile.h"
#include "RedirectedAppData.h"
#include "TestFixtures.h"
#include "../util/WidePaths.h"

using FileProbe::ReadBytes;

namespace {

std::vector<std::string> Found(CHistoryCleaner& engine, const char* root) {
    CStringArray folders;
    engine.FindIndexDatFolders(root, folders);
    std::vector<std::string> found;
    for (int i = 0; i < folders.GetSize(); ++i)
        found.push_back(folders[i].GetString());
    return found;
}

int PositionOf(const std::vector<std::string>& list, const CString& item) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (CString(list[i].c_str()).CompareNoCase(item) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

TEST(FindIndexDatFolders, ListsEachFolderHoldingOneOnceAndParentsFirst) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\a\\INDEX.DAT");
    folder.MakeFile("r\\a\\b\\Index.Dat");
    folder.MakeFile("r\\a\\b\\other.txt");
    folder.MakeFile("r\\c\\d\\index.dat");
    folder.MakeFile("r\\c\\note.txt");
    folder.MakeFile("r\\e\\index.dat.bak");
    folder.MakeFile("r\\e\\f\\index.dat");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, folder / "r");

    ASSERT_EQ(5u, found.size());
    EXPECT_EQ(0, PositionOf(found, folder / "r"));
    for (const char* sub : {"r\\a", "r\\a\\b", "r\\c\\d", "r\\e\\f"})
        EXPECT_GT(PositionOf(found, folder / sub), 0) << sub;
    EXPECT_LT(PositionOf(found, folder / "r\\a"), PositionOf(found, folder / "r\\a\\b"));
}

TEST(FindIndexDatFolders, FindsAFolderNamedOutsideTheCodePageUnderAnAnsiPathThatNamesIt) {
    TempFolder folder;
    ASSERT_TRUE(WidePaths::MakeFile(
        WidePaths::Join(folder.Path(), std::wstring(L"r\\") + WidePaths::kAccentedFolder + L"\\index.dat")));
    // The look-alike that the ANSI calls would name instead of "résumé".
    folder.MakeFile("r\\resume\\other.txt");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, folder / "r");

    ASSERT_EQ(1u, found.size());
    EXPECT_TRUE(FileProbe::Exists(CString(found[0].c_str()) + "\\index.dat")) << found[0];
}

TEST(FindIndexDatFolders, AppendsToTheCallersListWithoutRepeatingAFolder) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\low\\index.dat");
    CStringArray folders;
    folders.Add("earlier");
    CHistoryCleaner engine;
    engine.FindIndexDatFolders(folder / "r", folders);
    engine.FindIndexDatFolders(folder / "r\\low", folders);
    ASSERT_EQ(3, folders.GetSize());
    EXPECT_STREQ("earlier", folders[0]);
    EXPECT_STREQ(folder / "r", folders[1]);
    EXPECT_STREQ(folder / "r\\low", folders[2]);
}

TEST(FindIndexDatFolders, NeverEntersAFolderLink) {
    LinkedTree linked;
    linked.outside.MakeFile("target\\index.dat", "outside");
    linked.inside.MakeFile("tree\\sub\\index.dat");
    CHistoryCleaner engine;
    std::vector<std::string> found = Found(engine, linked.tree);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ(0, PositionOf(found, linked.tree + "\\sub"));
    EXPECT_EQ(0u, Found(engine, linked.folderLink).size());
}

TEST(FindIndexDatFolders, WithTheStopEventSetFindsNothing) {
    TempFolder folder;
    folder.MakeFile("r\\index.dat");
    folder.MakeFile("r\\a\\index.dat");
    HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(nullptr, stop);
    CHistoryCleaner engine(nullptr, stop);
    EXPECT_TRUE(Found(engine, folder / "r").empty());
    CloseHandle(stop);
}

TEST(EnsureEmptyDat, CreatesAnEmptyFileInTheProgramsFolderOnlyWhenMissing) {
    RedirectedAppData appData;
    CString emptyDat = CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat";
    ASSERT_EQ(0, emptyDat.Find(appData.Home()));
    CHistoryCleaner engine;
    engine.EnsureEmptyDat();
    EXPECT_EQ("", ReadBytes(emptyDat));

    ASSERT_TRUE(FileProbe::WriteBytes(emptyDat, "kept"));
    engine.EnsureEmptyDat();
    EXPECT_EQ("kept", ReadBytes(emptyDat));
}

TEST(ResetIndexDat, EmptiesEveryIndexDatUnderBothRoots) {
    RedirectedAppData appData;
    TempFolder folder;
    CString top = folder.MakeFile("one\\index.dat", "old");
    CString nested = folder.MakeFile("one\\a\\b\\INDEX.DAT", "old");
    CString second = folder.MakeFile("two\\c\\index.dat", "old");
    CString neighbour = folder.MakeFile("one\\a\\b\\other.dat", "other");
    CHistoryCleaner engine;
    engine.ResetIndexDat(folder / "one", folder / "two");
    EXPECT_EQ("", ReadBytes(top));
    EXPECT_EQ("", ReadBytes(nested));
    EXPECT_EQ("", ReadBytes(second));
    EXPECT_EQ("other", ReadBytes(neighbour));
    EXPECT_EQ("", ReadBytes(CUtilityLib::GetAppDataPath(true, true) + "\\Empty.dat"));
}

// Windows replaces a file in use at its next start; until then (and under Wine for good) it
// keeps its content, and the other files are still reset.
TEST(ResetIndexDat, LeavesAFileInUseAsItIsAndResetsTheOthers) {
    RedirectedAppData appData;
    TempFolder folder;
    CString busy = folder.MakeFile("r\\busy\\index.dat", "old");
    CString idle = folder.MakeFile("r\\idle\\index.dat", "old");
    HANDLE held = CreateFileA(busy, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CHistoryCleaner engine;
    engine.ResetIndexDat(folder / "r");
    CloseHandle(held);
    EXPECT_EQ("old", ReadBytes(busy));
    EXPECT_EQ("", ReadBytes(idle));
}

TEST(ResetIndexDat, LeavesTheTargetOfAFolderLinkAlone) {
    RedirectedAppData appData;
    LinkedTree linked;
    CString outsideIndex = linked.outside.MakeFile("target\\index.dat", "outside");
    CString own = linked.inside.MakeFile("tree\\sub\\index.dat", "old");
    CHistoryCleaner engine;
    engine.ResetIndexDat(linked.tree);
    EXPECT_EQ("", ReadBytes(own));
    EXPECT_EQ("outside", ReadBytes(outsideIndex));
    EXPECT_TRUE(linked.LinkIntact());
}

TEST(ResetIndexDat, ItemsFifteenAndSixteenResetTheCacheAndCookieFolders) {
    RedirectedAppData appData;
    ProgramTraceProfile profile;
    CString cacheIndex =
        profile.MakeFile(SandboxFolder(CSIDL_INTERNET_CACHE) + "\\vantrel-test\\sub\\index.dat", "old");
    CString cookieIndex = profile.MakeFile(SandboxFolder(CSIDL_COOKIES) + "\\vantrel-test\\index.dat", "old");

    RunItem(15);
    EXPECT_EQ("", ReadBytes(cacheIndex));
    EXPECT_EQ("old", ReadBytes(cookieIndex));

    RunItem(16);
    EXPECT_EQ("", ReadBytes(cookieIndex));
}
