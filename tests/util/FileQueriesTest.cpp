#include <gtest/gtest.h>

#include "SparseFile.h"
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

TEST(FileQueries, SizeOfFourGiBOrMoreIsClampedBelowTheMissingMark) {
    TempFolder folder;
    const struct {
        ULONGLONG size;
        DWORD expected;
    } cases[] = {{3 * kOneGiB, 0xC0000000u}, {0xFFFFFFFEull, 0xFFFFFFFEu}, {0xFFFFFFFFull, 0xFFFFFFFEu},
                 {4 * kOneGiB, 0xFFFFFFFEu}, {4 * kOneGiB + 5, 0xFFFFFFFEu}, {9 * kOneGiB, 0xFFFFFFFEu}};
    for (const auto& c : cases) {
        CString file = folder / "sparse.bin";
        ASSERT_TRUE(MakeSparseFile(file, c.size)) << c.size;
        EXPECT_EQ(c.expected, CUtilityLib::GetFileSize(file)) << c.size;
    }
}
