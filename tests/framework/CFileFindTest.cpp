#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CFileFind.h"
#include "CTime.h"
#include "HostTools.h"
#include "TestFixtures.h"

namespace {

struct Entry {
    std::string path;
    std::string title;
    ULONGLONG length;
    bool directory, dots, readOnly, reparse;
};

std::map<std::string, Entry> ListAll(const CString& pattern) {
    std::map<std::string, Entry> entries;
    CFileFind finder;
    bool more = finder.FindFile(pattern);
    while (more) {
        more = finder.FindNextFile();
        entries[finder.GetFileName().GetString()] =
            Entry{finder.GetFilePath().GetString(), finder.GetFileTitle().GetString(), finder.GetLength(),
                  finder.IsDirectory(), finder.IsDots(), finder.IsReadOnly(), finder.IsReparsePoint()};
    }
    return entries;
}

}  // namespace

TEST(CFileFind, ListsFilesFoldersAndDots) {
    TempFolder folder;
    folder.MakeFile("a.b.txt", "12345");
    folder.MakeFile("읽기전용", "x", FILE_ATTRIBUTE_READONLY);
    folder.MakeFolder("sub");
    folder.MakeFile("sub\\hidden-below.txt");

    std::map<std::string, Entry> entries = ListAll(folder / "*.*");
    ASSERT_EQ(5u, entries.size());
    EXPECT_TRUE(entries["."].dots);
    EXPECT_TRUE(entries[".."].dots);

    const Entry& file = entries["a.b.txt"];
    EXPECT_EQ(std::string(folder / "a.b.txt"), file.path);
    EXPECT_EQ("a.b", file.title);
    EXPECT_EQ(5u, file.length);
    EXPECT_FALSE(file.directory);
    EXPECT_FALSE(file.readOnly);

    EXPECT_TRUE(entries["읽기전용"].readOnly);
    EXPECT_EQ("읽기전용", entries["읽기전용"].title);
    EXPECT_TRUE(entries["sub"].directory);
    EXPECT_FALSE(entries["sub"].dots);
    EXPECT_FALSE(entries["sub"].reparse);
}

TEST(CFileFind, FindNextFileIsFalseOnTheLastEntry) {
    TempFolder folder;
    folder.MakeFile("only.txt");
    folder.MakeFile("other.dat");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder / "*.txt"));
    EXPECT_STREQ("", finder.GetFileName());  // nothing is current before FindNextFile
    FILETIME unused;
    EXPECT_FALSE(finder.GetLastWriteTime(unused));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("only.txt", finder.GetFileName());
    EXPECT_STREQ(folder.Path(), finder.GetRoot());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("only.txt", finder.GetFileName());
}

TEST(CFileFind, FindFileIsFalseWhenNothingMatches) {
    TempFolder folder;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(folder / "*.none"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile(folder / "missing\\*.*"));
}

TEST(CFileFind, RootOfAForwardSlashPatternUsesBackslashes) {
    TempFolder folder;
    folder.MakeFile("x.txt");
    CString pattern = folder.Path();
    pattern.Replace('\\', '/');
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(pattern + "/x.txt"));
    finder.FindNextFile();
    EXPECT_STREQ(folder / "x.txt", finder.GetFilePath());
}

TEST(CFileFind, AHostSymlinkIsAReparsePoint) {
    TempFolder folder;
    folder.MakeFile("target\\inside.txt");
    ASSERT_TRUE(HostTools::MakeSymlink(folder / "link", folder / "target"));
    std::map<std::string, Entry> entries = ListAll(folder / "*");
    ASSERT_EQ(1u, entries.count("link"));
    EXPECT_TRUE(entries["link"].reparse);
    EXPECT_TRUE(entries["link"].directory);
    EXPECT_FALSE(entries["target"].reparse);
}

TEST(CFileFind, ReportsTheStoredWriteTime) {
    TempFolder folder;
    CString path = folder.MakeFile("dated.txt");
    SYSTEMTIME utc = {2009, 2, 5, 13, 23, 31, 30, 0};
    FILETIME written;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &written));
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(path));
    finder.FindNextFile();
    FILETIME found;
    ASSERT_TRUE(finder.GetLastWriteTime(found));
    EXPECT_EQ(0, CompareFileTime(&written, &found));
    CTime time;
    ASSERT_TRUE(finder.GetLastWriteTime(time));
    EXPECT_EQ(1234567890, time.GetTime());
    CTime created;
    EXPECT_TRUE(finder.GetCreationTime(created));
    EXPECT_LE(created, CTime::GetCurrentTime());
}

