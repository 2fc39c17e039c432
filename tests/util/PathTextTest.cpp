#include <gtest/gtest.h>

#include "UtilityLib.h"

TEST(AddPath, JoinsWithExactlyOneBackslash) {
    EXPECT_STREQ("C:\\a\\b", CUtilityLib::AddPath("C:\\a", "b"));
    EXPECT_STREQ("C:\\a\\b", CUtilityLib::AddPath("C:\\a\\", "b"));
    EXPECT_STREQ("C:\\a\\b", CUtilityLib::AddPath("C:\\a", "\\b"));
    EXPECT_STREQ("C:\\문서\\파일.txt", CUtilityLib::AddPath("C:\\문서", "파일.txt"));
}

TEST(AddPath, SlashesBecomeBackslashesOnlyAfterPairsCollapse) {
    EXPECT_STREQ("C:\\a\\b\\c", CUtilityLib::AddPath("C:/a", "b/c"));
    EXPECT_STREQ("C:\\a\\\\b", CUtilityLib::AddPath("C:\\a/", "b"));
}

TEST(AddPath, NetworkPathLosesOneLeadingBackslash) {
    EXPECT_STREQ("\\server\\share\\x", CUtilityLib::AddPath("\\\\server\\share", "x"));
}

TEST(GetFileName, TakesTextAfterLastBackslashElseSlash) {
    EXPECT_STREQ("file.txt", CUtilityLib::GetFileName("C:\\dir\\file.txt"));
    EXPECT_STREQ("", CUtilityLib::GetFileName("C:\\dir\\"));
    EXPECT_STREQ("b", CUtilityLib::GetFileName("a/b"));
    EXPECT_STREQ("a/b", CUtilityLib::GetFileName("C:\\a/b"));
    EXPECT_STREQ("", CUtilityLib::GetFileName("name.txt"));
    EXPECT_STREQ("휴지통.txt", CUtilityLib::GetFileName("C:\\임시\\휴지통.txt"));
}

TEST(GetFileExt, TakesTextAfterLastDotAnywhere) {
    EXPECT_STREQ("txt", CUtilityLib::GetFileExt("C:\\dir\\file.txt"));
    EXPECT_STREQ("gz", CUtilityLib::GetFileExt("archive.tar.gz"));
    EXPECT_STREQ("dir\\file", CUtilityLib::GetFileExt("C:\\my.dir\\file"));
    EXPECT_STREQ("", CUtilityLib::GetFileExt("C:\\dir\\file"));
    EXPECT_STREQ("", CUtilityLib::GetFileExt("file."));
}

TEST(GetParentFolder, DropsOneTrailingSeparatorThenLastComponent) {
    EXPECT_STREQ("C:\\a", CUtilityLib::GetParentFolder("C:\\a\\b"));
    EXPECT_STREQ("C:\\a", CUtilityLib::GetParentFolder("C:\\a\\b\\"));
    EXPECT_STREQ("a", CUtilityLib::GetParentFolder("a/b/"));
    EXPECT_STREQ("C:", CUtilityLib::GetParentFolder("C:\\a/b"));
    EXPECT_STREQ("", CUtilityLib::GetParentFolder("C:\\"));
    EXPECT_STREQ("", CUtilityLib::GetParentFolder("name"));
    EXPECT_STREQ("", CUtilityLib::GetParentFolder(""));
}
