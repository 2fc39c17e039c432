#include <gtest/gtest.h>

#include "FileProbe.h"
#include "LinkedTree.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WidePaths.h"

using FileProbe::Exists;

TEST(SHDeleteDirectory, DeletesFilesAndKeepsSubfoldersWithTheirContent) {
    TempFolder folder;
    folder.MakeFile("d\\a.txt");
    folder.MakeFile("d\\b.dat");
    CString kept = folder.MakeFile("d\\sub\\c.txt");
    EXPECT_EQ(1, CUtilityLib::SHDeleteDirectory(folder / "d"));
    EXPECT_FALSE(Exists(folder / "d\\a.txt"));
    EXPECT_FALSE(Exists(folder / "d\\b.dat"));
    EXPECT_TRUE(Exists(kept));
}

TEST(SHDeleteDirectory, RemovesTheFolderOnceEmptyAndKeepsReadOnlyFiles) {
    TempFolder folder;
    folder.MakeFile("plain\\a.txt");
    EXPECT_EQ(1, CUtilityLib::SHDeleteDirectory(folder / "plain\\"));
    EXPECT_FALSE(Exists(folder / "plain"));

    folder.MakeFile("guarded\\a.txt");
    CString locked = folder.MakeFile("guarded\\locked.txt", "x", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, CUtilityLib::SHDeleteDirectory(folder / "guarded"));
    EXPECT_FALSE(Exists(folder / "guarded\\a.txt"));
    EXPECT_TRUE(Exists(locked));
}


TEST(SHDeleteDirectoryAll, RemovesTheWholeTree) {
    TempFolder folder;
    folder.MakeFile("t\\a.txt");
    folder.MakeFile("t\\sub\\deep\\b.txt");
    folder.MakeFolder("t\\empty");
    EXPECT_EQ(1, CUtilityLib::SHDeleteDirectoryAll(folder / "t"));
    EXPECT_FALSE(Exists(folder / "t"));
    EXPECT_TRUE(FileProbe::IsFolder(folder.Path()));
}

TEST(SHDeleteDirectoryAll, KeepsAReadOnlyFileWithItsFoldersAndGivesZero) {
    TempFolder folder;
    CString locked = folder.MakeFile("t\\sub\\deep\\locked.txt", "x", FILE_ATTRIBUTE_READONLY);
    folder.MakeFile("t\\sub\\deep\\b.txt");
    folder.MakeFile("t\\sub\\c.txt");
    folder.MakeFile("t\\other\\d.txt");
    folder.MakeFile("t\\e.txt");
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(folder / "t"));
    EXPECT_TRUE(Exists(locked));
    EXPECT_FALSE(Exists(folder / "t\\sub\\deep\\b.txt"));
    EXPECT_FALSE(Exists(folder / "t\\sub\\c.txt"));
    EXPECT_FALSE(Exists(folder / "t\\other"));
    EXPECT_FALSE(Exists(folder / "t\\e.txt"));
}


TEST(SHDeleteSubDirectoryAll, EmptiesTheFolderButKeepsIt) {
    TempFolder folder;
    folder.MakeFile("t\\a.txt");
    folder.MakeFile("t\\sub\\deep\\b.txt");
    EXPECT_EQ(1, CUtilityLib::SHDeleteSubDirectoryAll(folder / "t"));
    EXPECT_TRUE(FileProbe::IsFolder(folder / "t"));
    EXPECT_FALSE(Exists(folder / "t\\a.txt"));
    EXPECT_FALSE(Exists(folder / "t\\sub"));
}

TEST(SHDeleteSubDirectoryAll, KeepsAReadOnlyFileWithItsFolders) {
    TempFolder folder;
    CString locked = folder.MakeFile("t\\sub\\locked.txt", "x", FILE_ATTRIBUTE_READONLY);
    folder.MakeFile("t\\sub\\b.txt");
    folder.MakeFile("t\\other\\c.txt");
    EXPECT_EQ(1, CUtilityLib::SHDeleteSubDirectoryAll(folder / "t"));
    EXPECT_TRUE(Exists(locked));
    EXPECT_FALSE(Exists(folder / "t\\sub\\b.txt"));
    EXPECT_FALSE(Exists(folder / "t\\other"));
}


TEST(FolderDeletion, MissingOrEmptyFolderGivesZeroExceptSubDirectoryAllForMissing) {
    TempFolder folder;
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectory(folder / "missing"));
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(folder / "missing"));
    EXPECT_EQ(1, CUtilityLib::SHDeleteSubDirectoryAll(folder / "missing"));
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectory(""));
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(""));
    EXPECT_EQ(0, CUtilityLib::SHDeleteSubDirectoryAll(""));
}

TEST(FolderDeletion, LinkInsideTheTreeStaysAndItsTargetSurvives) {
    LinkedTree forFiles;
    EXPECT_EQ(1, CUtilityLib::SHDeleteDirectory(forFiles.tree));
    EXPECT_FALSE(Exists(forFiles.tree + "\\own.txt"));
    EXPECT_TRUE(forFiles.OutsideIntact());
    EXPECT_TRUE(forFiles.LinkIntact());

    LinkedTree forTree;
    EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(forTree.tree));
    EXPECT_FALSE(Exists(forTree.tree + "\\sub"));
    EXPECT_TRUE(forTree.OutsideIntact());
    EXPECT_TRUE(forTree.LinkIntact());

    LinkedTree forContent;
    EXPECT_EQ(1, CUtilityLib::SHDeleteSubDirectoryAll(forContent.tree));
    EXPECT_FALSE(Exists(forContent.tree + "\\sub"));
    EXPECT_TRUE(forContent.OutsideIntact());
    EXPECT_TRUE(forContent.LinkIntact());
}

TEST(FolderDeletion, ALinkPassedInIsLeftAlone) {
    LinkedTree linked;
    for (const CString& link : {linked.folderLink, linked.folderLink + "\\"}) {
        EXPECT_EQ(0, CUtilityLib::SHDeleteDirectory(link));
        EXPECT_EQ(0, CUtilityLib::SHDeleteDirectoryAll(link));
        EXPECT_EQ(0, CUtilityLib::SHDeleteSubDirectoryAll(link));
    }
    EXPECT_TRUE(linked.OutsideIntact());
    EXPECT_TRUE(linked.LinkIntact());
}

TEST(FolderDeletion, RemovesEntriesNamedOutsideTheCodePage) {
    TempFolder folder;
    const std::wstring accentedFolder = std::wstring(L"\\") + WidePaths::kAccentedFolder;
    const std::wstring names[] = {accentedFolder + L"\\" + WidePaths::kAccentedFile,
                                  accentedFolder + L"\\" + WidePaths::kChineseLink,
                                  std::wstring(L"\\") + WidePaths::kChineseLink};
    struct Case {
        const char* tree;
        int (*remove)(CString);
        int result;
        bool treeStays;
    };
    for (const Case& c : {Case{"files", CUtilityLib::SHDeleteDirectory, 1, true},
                          Case{"whole", CUtilityLib::SHDeleteDirectoryAll, 1, false},
                          Case{"content", CUtilityLib::SHDeleteSubDirectoryAll, 1, true}}) {
        CString tree = folder.MakeFolder(c.tree);
        for (const std::wstring& name : names)
            ASSERT_TRUE(WidePaths::MakeFile(WidePaths::Widened(tree) + name));
        EXPECT_EQ(c.result, c.remove(tree)) << c.tree;
        EXPECT_EQ(c.treeStays, FileProbe::IsFolder(tree)) << c.tree;
        bool filesOnly = c.remove == CUtilityLib::SHDeleteDirectory;
        EXPECT_FALSE(WidePaths::Exists(WidePaths::Widened(tree) + names[2])) << c.tree;
        // SHDeleteDirectory leaves subfolders with their content.
        EXPECT_EQ(filesOnly, WidePaths::Exists(WidePaths::Widened(tree) + names[0])) << c.tree;
        EXPECT_EQ(filesOnly, WidePaths::Exists(WidePaths::Widened(tree) + accentedFolder)) << c.tree;
    }
}
