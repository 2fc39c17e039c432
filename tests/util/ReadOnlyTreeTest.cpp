#include <gtest/gtest.h>

#include "FileProbe.h"
#include "LinkedTree.h"
#include "TestFixtures.h"
#include "UtilityLib.h"
#include "WidePaths.h"

namespace {

bool IsReadOnlyOnDisk(const char* path) { return FileProbe::HasAttribute(path, FILE_ATTRIBUTE_READONLY); }

}  // namespace

TEST(SetReadOnly, MissingPathGivesFalse) {
    TempFolder folder;
    EXPECT_FALSE(CUtilityLib::SetReadOnly(folder / "missing.txt", true));
}

TEST(SetReadOnly, SetsAndClearsOnlyTheReadOnlyAttributeOfAFile) {
    TempFolder folder;
    CString file = folder.MakeFile("file.txt", "x", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(FileProbe::HasAttribute(file, FILE_ATTRIBUTE_HIDDEN));

    EXPECT_TRUE(CUtilityLib::SetReadOnly(file, true));
    EXPECT_TRUE(IsReadOnlyOnDisk(file));
    EXPECT_TRUE(FileProbe::HasAttribute(file, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(CUtilityLib::SetReadOnly(file, true));

    EXPECT_TRUE(CUtilityLib::SetReadOnly(file, false));
    EXPECT_FALSE(IsReadOnlyOnDisk(file));
    EXPECT_TRUE(FileProbe::HasAttribute(file, FILE_ATTRIBUTE_HIDDEN));
}

TEST(SetReadOnly, ChangesEveryFileOfATree) {
    TempFolder folder;
    CString files[] = {folder.MakeFile("tree\\a.txt"), folder.MakeFile("tree\\sub\\b.txt"),
                       folder.MakeFile("tree\\sub\\deep\\c.txt", "x", FILE_ATTRIBUTE_READONLY)};
    EXPECT_TRUE(CUtilityLib::SetReadOnly(folder / "tree", true));
    for (const CString& file : files)
        EXPECT_TRUE(IsReadOnlyOnDisk(file)) << (const char*)file;

    EXPECT_TRUE(CUtilityLib::SetReadOnly(folder / "tree\\", false));
    for (const CString& file : files)
        EXPECT_FALSE(IsReadOnlyOnDisk(file)) << (const char*)file;
}

TEST(SetReadOnly, NeverReachesThroughALink) {
    LinkedTree linked;
    EXPECT_TRUE(CUtilityLib::SetReadOnly(linked.tree, true));
    EXPECT_TRUE(IsReadOnlyOnDisk(linked.tree + "\\sub\\own.txt"));
    EXPECT_FALSE(IsReadOnlyOnDisk(linked.outsideFile));
    EXPECT_FALSE(IsReadOnlyOnDisk(linked.outsideDeepFile));

    EXPECT_FALSE(CUtilityLib::SetReadOnly(linked.folderLink, true));
    EXPECT_FALSE(CUtilityLib::SetReadOnly(linked.folderLink + "\\", true));
    EXPECT_FALSE(IsReadOnlyOnDisk(linked.outsideFile));
    EXPECT_TRUE(linked.LinkIntact());
}

TEST(SetReadOnly, ReachesEntriesNamedOutsideTheCodePage) {
    TempFolder folder;
    std::wstring tree = WidePaths::Join(folder.Path(), L"tree");
    // Wine keeps no read-only attribute on folders, so only the files can show it.
    const std::wstring entries[] = {tree + L"\\" + WidePaths::kAccentedFolder + L"\\" + WidePaths::kAccentedFile,
                                    tree + L"\\" + WidePaths::kChineseLink};
    for (const std::wstring& entry : entries)
        ASSERT_TRUE(WidePaths::MakeFile(entry));

    EXPECT_TRUE(CUtilityLib::SetReadOnly(folder / "tree", true));
    for (const std::wstring& entry : entries)
        EXPECT_TRUE(WidePaths::HasAttribute(entry, FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(CUtilityLib::SetReadOnly(folder / "tree", false));
    for (const std::wstring& entry : entries)
        EXPECT_FALSE(WidePaths::HasAttribute(entry, FILE_ATTRIBUTE_READONLY));
}
