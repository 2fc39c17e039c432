#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "UtilityLib.h"

namespace {

std::vector<std::string> Sorted(std::initializer_list<const char*> names, int ascending = 1) {
    CStringArray array;
    for (const char* name : names)
        array.Add(name);
    CUtilityLib::QSortFileName(array, ascending);
    std::vector<std::string> result;
    for (int i = 0; i < array.GetSize(); ++i)
        result.push_back(std::string(array[i]));
    return result;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(QSortFileName, ShorterNameBeforeItsExtension) {
    EXPECT_EQ((Names{"a.txt", "a1.txt"}), Sorted({"a1.txt", "a.txt"}));
    EXPECT_EQ((Names{"name.txt", "name_2.txt", "name2.txt"}), Sorted({"name2.txt", "name_2.txt", "name.txt"}));
}

TEST(QSortFileName, NumbersCompareByValue) {
    EXPECT_EQ((Names{"x1", "x2", "x10", "x20", "x100"}), Sorted({"x10", "x100", "x2", "x20", "x1"}));
    EXPECT_EQ((Names{"log\\x2\\f", "log\\x10\\f"}), Sorted({"log\\x10\\f", "log\\x2\\f"}));
}

TEST(QSortFileName, CaseDoesNotMatter) {
    EXPECT_EQ((Names{"apple", "Banana", "cherry", "DATE"}), Sorted({"DATE", "cherry", "Banana", "apple"}));
    // Equal names stay where the C library's quicksort puts them, alike in both directions; a
    // difference by case would reverse one of the two pairs.
    EXPECT_EQ((Names{"abc", "ABC"}), Sorted({"ABC", "abc"}));
    EXPECT_EQ((Names{"abc", "ABC"}), Sorted({"ABC", "abc"}, 0));
    EXPECT_EQ((Names{"ABC", "abc"}), Sorted({"abc", "ABC"}));
    EXPECT_EQ((Names{"ABC", "abc"}), Sorted({"abc", "ABC"}, 0));
    EXPECT_EQ((Names{"abb", "abc", "ABD"}), Sorted({"ABD", "abc", "abb"}));
}

TEST(QSortFileName, FolderContentComesBeforeSiblingNames) {
    EXPECT_EQ((Names{"dir\\z.txt", "dir.txt", "dir_a"}), Sorted({"dir_a", "dir.txt", "dir\\z.txt"}));
    EXPECT_EQ((Names{"dir/z.txt", "dir.txt"}), Sorted({"dir.txt", "dir/z.txt"}));
    EXPECT_EQ((Names{"C:\\a\\b", "C:\\a\\b\\c"}), Sorted({"C:\\a\\b\\c", "C:\\a\\b"}));
}

TEST(QSortFileName, LeadingHyphensAndApostrophesAreSkipped) {
    EXPECT_EQ((Names{"a", "-b", "'c"}), Sorted({"'c", "-b", "a"}));
}

TEST(QSortFileName, DescendingReversesTheOrder) {
    EXPECT_EQ((Names{"x10", "x2", "b.txt", "a1.txt", "a.txt"}), Sorted({"a.txt", "x2", "a1.txt", "x10", "b.txt"}, 0));
}

TEST(QSortFileName, KoreanNamesSortByCodeAndBeforeLatinLetters) {
    EXPECT_EQ((Names{"가.txt", "각.txt", "나.txt", "다.txt"}), Sorted({"다.txt", "나.txt", "각.txt", "가.txt"}));
    EXPECT_EQ((Names{"가.txt", "a.txt", "b.txt"}), Sorted({"b.txt", "a.txt", "가.txt"}));
    EXPECT_EQ((Names{"사진1", "사진2", "사진10"}), Sorted({"사진10", "사진2", "사진1"}));
}
