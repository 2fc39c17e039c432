#include <gtest/gtest.h>

#include <cstring>

#include "CFile.h"
#include "TestFixtures.h"

namespace {

CString ReadWholeFile(const char* path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return "<cannot open>";
    CString text;
    UINT length = static_cast<UINT>(file.GetLength());
    text.ReleaseBuffer(static_cast<int>(file.Read(text.GetBuffer(length), length)));
    return text;
}

}  // namespace

TEST(CFile, WritesReadsAndSeeksWithinOneFile) {
    TempFolder folder;
    CString path = folder / "data.bin";
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_STREQ(path, file.GetFilePath());
    ASSERT_TRUE(file.Write("hello world", 11));
    EXPECT_EQ(11u, file.GetLength());
    EXPECT_EQ(11u, file.GetPosition());

    char buffer[32] = {};
    EXPECT_EQ(0u, file.SeekToBegin());
    ASSERT_EQ(5u, file.Read(buffer, 5));
    EXPECT_STREQ("hello", buffer);
    EXPECT_EQ(6u, file.Seek(-5, CFile::end));
    memset(buffer, 0, sizeof buffer);
    ASSERT_EQ(5u, file.Read(buffer, sizeof buffer));
    EXPECT_STREQ("world", buffer);
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    EXPECT_EQ(8u, file.Seek(-3, CFile::current));
    EXPECT_EQ(11u, file.SeekToEnd());
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_STREQ("", file.GetFilePath());

    EXPECT_STREQ("hello world", ReadWholeFile(path));
}

TEST(CFile, CreateTruncatesUnlessNoTruncate) {
    TempFolder folder;
    CString path = folder.MakeFile("keep.txt", "abc");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
        EXPECT_EQ(3u, file.GetLength());
        file.SeekToEnd();
        EXPECT_TRUE(file.Write("de", 2));
    }
    EXPECT_STREQ("abcde", ReadWholeFile(path));
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::osWriteThrough));
        EXPECT_EQ(0u, file.GetLength());
    }
    EXPECT_STREQ("", ReadWholeFile(path));
}

TEST(CFile, OpenFailureReturnsFalseWithTheCause) {
    TempFolder folder;
    CFile file;
    EXPECT_FALSE(file.Open(folder / "missing.txt", CFile::modeRead));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(folder / "no-folder\\new.txt", CFile::modeCreate | CFile::modeWrite));
    char buffer[4];
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(CFile::invalidPosition, file.GetPosition());
}

TEST(CFile, WriteThroughAReadOnlyHandleFails) {
    TempFolder folder;
    CString path = folder.MakeFile("ro.txt", "abc");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    EXPECT_FALSE(file.Write("x", 1));
    file.Close();
    EXPECT_STREQ("abc", ReadWholeFile(path));
}

TEST(CFile, ShareFlagsDecideWhetherASecondOpenSucceeds) {
    TempFolder folder;
    CString path = folder.MakeFile("shared.txt", "abc");
    CFile exclusive;
    ASSERT_TRUE(exclusive.Open(path, CFile::modeRead | CFile::shareExclusive));
    CFile second;
    EXPECT_FALSE(second.Open(path, CFile::modeRead | CFile::shareDenyNone));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
    exclusive.Close();

    CFile denyWrite;
    ASSERT_TRUE(denyWrite.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_TRUE(second.Open(path, CFile::modeRead | CFile::shareDenyWrite));
    CFile writer;
    EXPECT_FALSE(writer.Open(path, CFile::modeWrite | CFile::shareDenyNone));
}

TEST(CFile, SetLengthCutsAndExtends) {
    TempFolder folder;
    CString path = folder.MakeFile("len.bin", "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeReadWrite));
    ASSERT_TRUE(file.SetLength(4));
    EXPECT_EQ(4u, file.GetPosition());
    ASSERT_TRUE(file.SetLength(6));
    file.Close();
    CString bytes = ReadWholeFile(path);
    ASSERT_EQ(6, bytes.GetLength());
    EXPECT_EQ(0, memcmp("0123\0\0", bytes, 6));
}

TEST(CFile, DestructorClosesTheFile) {
    TempFolder folder;
    CString path = folder.MakeFile("locked.txt", "abc");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::shareExclusive));
        EXPECT_FALSE(CFile::Remove(path));
    }
    EXPECT_TRUE(CFile::Remove(path));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
    EXPECT_FALSE(CFile::Remove(path));
}

TEST(CFile, AttachAndDetachHandOverTheHandle) {
    TempFolder folder;
    CString path = folder.MakeFile("raw.txt", "raw");
    HANDLE raw = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, raw);
    CFile file;
    file.Attach(raw);
    EXPECT_EQ(raw, file.GetHandle());
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(raw, file.Detach());
    EXPECT_FALSE(file.IsOpen());
    char buffer[4] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(raw, buffer, 3, &read, nullptr));  // still open after Detach
    EXPECT_STREQ("raw", buffer);
    CloseHandle(raw);
}

TEST(CFile, RenameMovesTheContent) {
    TempFolder folder;
    CString from = folder.MakeFile("old.txt", "moved");
    CString to = folder / "새 이름.txt";
    ASSERT_TRUE(CFile::Rename(from, to));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(from));
    EXPECT_STREQ("moved", ReadWholeFile(to));
    EXPECT_FALSE(CFile::Rename(from, to));
}
