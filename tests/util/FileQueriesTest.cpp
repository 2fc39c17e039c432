#include <gtest/gtest.h>

#include "TestFixtures.h"
#include "UtilityLib.h"



TEST(FileQueries, MissingOrEmptyPathIsNothing) {
    TempFolder folder;
    for (const CString& path : {folder / "missing.txt", CString()}) {
        EXPECT_FALSE(CUtilityLib::IsFile(path));
        EXPECT_FALSE(CUtilityLib::IsDirectory(path));
        EXPECT_FALSE(CUtilityLib::IsFileFolder(path));
        EXPECT_FALSE(CUtilityLib::IsReadOnly(path));
        EXPECT_EQ(0xFFFFFFFFu, CUtilityLib::GetFileSize(path));
    }
}

TEST(FileQueries, FileIsAFileSystemItemButNoFolder) {
    TempFolder folder;
    CString file = folder.MakeFile("휴지통.txt", "12345");
    EXPECT_TRUE(CUtilityLib::IsFile(file));
    EXPECT_FALSE(CUtilityLib::IsDirectory(file));
    EXPECT_TRUE(CUtilityLib::IsFileFolder(file));
    EXPECT_FALSE(CUtilityLib::IsReadOnly(file));
    EXPECT_EQ(5u, CUtilityLib::GetFileSize(file));
    EXPECT_TRUE(CUtilityLib::IsReadOnly(folder.MakeFile("locked.txt", "", FILE_ATTRIBUTE_READONLY)));
}

TEST(FileQueries, FolderIsAFolderButNoFile) {
    TempFolder folder;
    CString sub = folder.MakeFolder("하위");
    EXPECT_FALSE(CUtilityLib::IsFile(sub));
    EXPECT_TRUE(CUtilityLib::IsDirectory(sub));
    EXPECT_TRUE(CUtilityLib::IsFileFolder(sub));
    EXPECT_TRUE(CUtilityLib::IsDirectory(sub + "\\"));
}
