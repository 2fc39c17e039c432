#include <gtest/gtest.h>

#include <string>

#include "FileProbe.h"
#include "HeapCeiling.h"
#include "SparseFile.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

TEST(LoadFileData, MissingFileOrFolderGivesEmptyText) {
    TempFolder folder;
    EXPECT_STREQ("", CUtilityLib::LoadFileData(folder / "missing.txt"));
    EXPECT_STREQ("", CUtilityLib::LoadFileData(folder.Path()));
}

TEST(LoadFileData, LimitAboveZeroAndBelowLengthCutsTheText) {
    TempFolder folder;
    CString file = folder.MakeFile("digits.txt", "0123456789");
    EXPECT_STREQ("0123456789", CUtilityLib::LoadFileData(file, 0));
    EXPECT_STREQ("0123456789", CUtilityLib::LoadFileData(file, -1));
    EXPECT_STREQ("0123", CUtilityLib::LoadFileData(file, 4));
    EXPECT_STREQ("0123456789", CUtilityLib::LoadFileData(file, 10));
    EXPECT_STREQ("0123456789", CUtilityLib::LoadFileData(file, 100));
}

TEST(LoadFileData, TextEndsAtFirstNulByte) {
    TempFolder folder;
    CString file = folder / "zero-byte.bin";
    ASSERT_TRUE(FileProbe::WriteBytes(file, std::string("ab\0cd", 5)));
    CString text = CUtilityLib::LoadFileData(file);
    EXPECT_EQ(2, text.GetLength());
    EXPECT_STREQ("ab", text);
}

TEST(LoadFileData, ReadsAFileAnotherHandleIsWriting) {
    TempFolder folder;
    CString file = folder.MakeFile("busy.log", "line");
    HANDLE writer = CreateFileA(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_STREQ("line", CUtilityLib::LoadFileData(file));
    CloseHandle(writer);
}

TEST(LoadFileData, TextTheHeapCannotHoldGivesEmptyTextWithoutThrowing) {
    TempFolder folder;
    CString file = folder / "huge.bin";
    ASSERT_TRUE(MakeSparseFile(file, 3 * kOneGiB, "head"));
    HeapCeiling ceiling(kLargestBlockOf32BitProcess);
    ASSERT_TRUE(ceiling.IsReady());
    // The whole file, and 1.5 GiB of it.
    for (int limit : {0, 0x60000000}) {
        CString text("unchanged");
        EXPECT_NO_THROW(text = CUtilityLib::LoadFileData(file, limit)) << limit;
        EXPECT_STREQ("", text) << limit;
    }
    EXPECT_STREQ("head", CUtilityLib::LoadFileData(file, 4));
}

TEST(SaveFileData, CreatesMissingFolderChain) {
    TempFolder folder;
    CString file = folder / "a\\b\\c\\설정.ini";
    EXPECT_TRUE(CUtilityLib::SaveFileData("[설정]\r\n", file));
    EXPECT_EQ("[설정]\r\n", FileProbe::ReadBytes(file));
}

TEST(SaveFileData, ReplacesLongerContentAndWritesEmptyText) {
    TempFolder folder;
    CString file = folder.MakeFile("old.txt", "a much longer old content");
    EXPECT_TRUE(CUtilityLib::SaveFileData("new", file));
    EXPECT_EQ("new", FileProbe::ReadBytes(file));
    EXPECT_TRUE(CUtilityLib::SaveFileData("", file));
    EXPECT_EQ("", FileProbe::ReadBytes(file));
}

TEST(SaveFileData, OverwritesReadOnlyFileInBothModes) {
    TempFolder folder;
    for (bool writeThrough : {false, true}) {
        CString file = folder.MakeFile(writeThrough ? "through.txt" : "plain.txt", "old", FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(CUtilityLib::SaveFileData("replaced", file, writeThrough)) << writeThrough;
        EXPECT_EQ("replaced", FileProbe::ReadBytes(file)) << writeThrough;
        EXPECT_FALSE(FileProbe::HasAttribute(file, FILE_ATTRIBUTE_READONLY)) << writeThrough;
    }
}

TEST(SaveFileData, WriteThroughSavesAndReleasesTheFile) {
    TempFolder folder;
    CString file = folder / "sub\\through.dat";
    EXPECT_TRUE(CUtilityLib::SaveFileData("flushed 휴지통", file, true));
    EXPECT_EQ("flushed 휴지통", FileProbe::ReadBytes(file));
    EXPECT_TRUE(DeleteFileA(file)) << "the handle is still open";
}

TEST(SaveFileData, FailsWhenTheFileCannotBeCreated) {
    TempFolder folder;
    CString sub = folder.MakeFolder("sub");
    EXPECT_FALSE(CUtilityLib::SaveFileData("x", sub));
    EXPECT_FALSE(CUtilityLib::SaveFileData("x", sub, true));

    CString held = folder.MakeFile("held.txt", "kept");
    HANDLE holder = CreateFileA(held, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(CUtilityLib::SaveFileData("lost", held));
    CloseHandle(holder);
    EXPECT_EQ("kept", FileProbe::ReadBytes(held));
}
