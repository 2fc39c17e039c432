#include <gtest/gtest.h>

#include "FileProbe.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

using FileProbe::Exists;

namespace {

// Wine's recycle bin is the XDG trash of the sandbox, outside drive C; Wine maps "\\?\unix\..."
// names to host paths.
CString TrashEntry(const char* kind, const char* name) {
    char dataHome[MAX_PATH] = "";
    GetEnvironmentVariableA("XDG_DATA_HOME", dataHome, MAX_PATH);
    CString path = CString("\\\\?\\unix") + dataHome + "/Trash/" + kind + "/" + name;
    path.Replace('/', '\\');
    return path;
}

}  // namespace

TEST(SHDeleteFile, PermanentlyDeletesAFileOrAFolderWithContent) {
    TempFolder folder;
    CString file = folder.MakeFile("a.txt");
    folder.MakeFile("d\\sub\\b.txt", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, CUtilityLib::SHDeleteFile(file));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(1, CUtilityLib::SHDeleteFile(folder / "d", "삭제 중"));
    EXPECT_FALSE(Exists(folder / "d"));
}

TEST(SHDeleteFile, WildcardDeletesEveryMatchOnly) {
    TempFolder folder;
    folder.MakeFile("one.log");
    folder.MakeFile("two.log");
    CString kept = folder.MakeFile("three.txt");
    EXPECT_EQ(1, CUtilityLib::SHDeleteFile(folder / "*.log"));
    EXPECT_FALSE(Exists(folder / "one.log"));
    EXPECT_FALSE(Exists(folder / "two.log"));
    EXPECT_TRUE(Exists(kept));
}

TEST(SHDeleteFile, MissingOrEmptyPathGivesZero) {
    TempFolder folder;
    EXPECT_EQ(0, CUtilityLib::SHDeleteFile(folder / "missing.txt"));
    EXPECT_EQ(0, CUtilityLib::SHDeleteFile(""));
}

TEST(SHDeleteFile, PathLongerThanMaxPathFailsWithoutDeletingAPrefix) {
    TempFolder folder;
    CString longest = folder.Path() + "\\" + CString('n', MAX_PATH - 2 - folder.Path().GetLength());
    ASSERT_EQ(MAX_PATH - 1, longest.GetLength());
    CString shorter = longest.Left(longest.GetLength() - 1);
    ASSERT_TRUE(Exists(folder.MakeFile(CUtilityLib::GetFileName(longest))));
    ASSERT_TRUE(Exists(folder.MakeFile(CUtilityLib::GetFileName(shorter))));

    EXPECT_EQ(0, CUtilityLib::SHDeleteFile(longest + "zz"));
    EXPECT_EQ(0, CUtilityLib::SHDeleteFile(longest + CString('z', 400)));
    EXPECT_TRUE(Exists(longest));
    EXPECT_TRUE(Exists(shorter));

    EXPECT_EQ(1, CUtilityLib::SHDeleteFile(longest));
    EXPECT_FALSE(Exists(longest));
}

TEST(SHDeleteFile, NotPermanentMovesToTheRecycleBin) {
    TempFolder folder;
    CString name = CUtilityLib::GetFileName(folder.Path()) + "-recycled.txt";
    CString file = folder.MakeFile(name, "keep me");
    CString trashed = TrashEntry("files", name);
    ASSERT_FALSE(Exists(trashed));

    EXPECT_EQ(1, CUtilityLib::SHDeleteFile(file, nullptr, 0));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ("keep me", FileProbe::ReadBytes(trashed));
    DeleteFileA(trashed);
    DeleteFileA(TrashEntry("info", name + ".trashinfo"));
}
