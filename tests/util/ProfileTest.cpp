#include <gtest/gtest.h>

#include <memory>

#include "FileProbe.h"
#include "HeapCeiling.h"
#include "ImportPatch.h"
#include "SparseFile.h"
#include "TestFixtures.h"
#include "UtilityLib.h"

namespace {

CString LongSection(const char* name, int lines) {
    CString content = CString("[") + name + "]\r\n";
    for (int i = 0; i < lines; ++i) {
        CString line;
        line.Format("C:\\Program Files\\Some Folder\\file%04d.dll=%d\r\n", i, i);
        content += line;
    }
    return content;
}

// A profile named without a folder lives in the Windows folder.
class WindowsFolderProfile {
public:
    WindowsFolderProfile(const char* name, const char* content) : m_name(name) {
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        m_path = CString(windows) + "\\" + name;
        HANDLE file = CreateFileA(m_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, content, lstrlenA(content), &written, nullptr);
        CloseHandle(file);
    }
    ~WindowsFolderProfile() { DeleteFileA(m_path); }
    WindowsFolderProfile(const WindowsFolderProfile&) = delete;
    WindowsFolderProfile& operator=(const WindowsFolderProfile&) = delete;

    const char* Name() const { return m_name; }

private:
    const char* m_name;
    CString m_path;
};

// Wine's GetPrivateProfileStringA converts whole characters, while Windows copies the bytes of
// an ANSI file and cuts them at the buffer's end. This stand-in reads the whole value and
// cuts it by bytes as Windows does.
DWORD WINAPI ByteCutProfileString(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                                  LPCSTR file) {
    char whole[8192] = {};
    DWORD length = GetPrivateProfileStringA(section, key, fallback, whole, sizeof whole, file);
    DWORD copied = length < size - 1 ? length : size - 1;
    memcpy(buffer, whole, copied);
    buffer[copied] = 0;
    return copied;
}

}  // namespace

TEST(PrivateProfile, LongValueComesBackCutTo1023Characters) {
    TempFolder folder;
    CString value;
    for (int i = 0; i < 2000; ++i)
        value += static_cast<char>('a' + i % 26);
    CString file = folder.MakeFile("long.ini", "[s]\r\nk=" + value + "\r\n");

    CString read = CUtilityLib::GetPrivateProfileStringA("s", "k", file);
    EXPECT_EQ(1023, read.GetLength());
    EXPECT_STREQ(value.Left(1023), read);
}

TEST(PrivateProfile, MissingFileSectionOrKeyGivesEmptyText) {
    TempFolder folder;
    CString file = folder.MakeFile("a.ini", "[s]\r\nk=v\r\n");
    EXPECT_STREQ("v", CUtilityLib::GetPrivateProfileStringA("s", "k", file));
    EXPECT_STREQ("", CUtilityLib::GetPrivateProfileStringA("s", "k", folder / "none.ini"));
    EXPECT_STREQ("", CUtilityLib::GetPrivateProfileStringA("other", "k", file));
    EXPECT_STREQ("", CUtilityLib::GetPrivateProfileStringA("s", "missing", file));
}

TEST(PrivateProfile, KoreanSectionKeyAndValueRoundTrip) {
    ASSERT_EQ(949u, GetACP());
    TempFolder folder;
    CString file = folder / "korean.ini";
    CUtilityLib::WritePrivateProfileStringA("설정", "휴지통", "비우기 완료", file);
    EXPECT_STREQ("비우기 완료", CUtilityLib::GetPrivateProfileStringA("설정", "휴지통", file));

    CStringArray keys, values;
    ASSERT_EQ(1, CUtilityLib::GetPrivateProfileSectionA("설정", keys, values, file));
    EXPECT_STREQ("휴지통", keys[0]);
    EXPECT_STREQ("비우기 완료", values[0]);
}

TEST(PrivateProfile, IntegersAreWrittenAsDecimalAndReadWithDefault) {
    TempFolder folder;
    CString file = folder / "int.ini";
    CUtilityLib::WritePrivateProfileInt("Option", "KillIE", -42, file);
    EXPECT_STREQ("-42", CUtilityLib::GetPrivateProfileStringA("Option", "KillIE", file));
    EXPECT_EQ(-42, CUtilityLib::GetPrivateProfileIntA("Option", "KillIE", 7, file));
    EXPECT_EQ(7, CUtilityLib::GetPrivateProfileIntA("Option", "Missing", 7, file));
}

TEST(PrivateProfile, DeleteRemovesKeyOrWholeSection) {
    TempFolder folder;
    CString file = folder.MakeFile("del.ini", "[a]\r\nk1=1\r\nk2=2\r\n[b]\r\nk=3\r\n");
    CUtilityLib::DeletePrivateProfile("a", "k1", file);
    EXPECT_STREQ("", CUtilityLib::GetPrivateProfileStringA("a", "k1", file));
    EXPECT_STREQ("2", CUtilityLib::GetPrivateProfileStringA("a", "k2", file));

    CUtilityLib::DeletePrivateProfile("b", nullptr, file);
    CStringArray keys, values;
    EXPECT_EQ(0, CUtilityLib::GetPrivateProfileSectionA("b", keys, values, file));
    EXPECT_STREQ("2", CUtilityLib::GetPrivateProfileStringA("a", "k2", file));
}

TEST(PrivateProfileSection, SplitsAtFirstEqualsAndKeepsArraysParallel) {
    TempFolder folder;
    CString file = folder.MakeFile("sec.ini", "[List]\r\nplain line\r\na=b=c\r\nempty=\r\n[Next]\r\nx=y\r\n");
    CStringArray keys, values;
    ASSERT_EQ(3, CUtilityLib::GetPrivateProfileSectionA("List", keys, values, file));
    ASSERT_EQ(3, values.GetSize());
    EXPECT_STREQ("plain line", keys[0]);
    EXPECT_STREQ("", values[0]);
    EXPECT_STREQ("a", keys[1]);
    EXPECT_STREQ("b=c", values[1]);
    EXPECT_STREQ("empty", keys[2]);
    EXPECT_STREQ("", values[2]);
}

TEST(PrivateProfileSection, AppendsToFilledArraysAndReturnsTotal) {
    TempFolder folder;
    CString file = folder.MakeFile("app.ini", "[s]\r\nk1=v1\r\nk2=v2\r\n");
    CStringArray keys, values;
    keys.Add("old");
    values.Add("old value");
    EXPECT_EQ(3, CUtilityLib::GetPrivateProfileSectionA("s", keys, values, file));
    EXPECT_STREQ("old", keys[0]);
    EXPECT_STREQ("k2", keys[2]);
    EXPECT_STREQ("v2", values[2]);
}

TEST(PrivateProfileSection, MissingOrEmptyFileAddsNothing) {
    TempFolder folder;
    CString empty = folder.MakeFile("empty.ini", "");
    CStringArray keys, values;
    keys.Add("kept");
    values.Add("kept");
    EXPECT_EQ(1, CUtilityLib::GetPrivateProfileSectionA("s", keys, values, folder / "none.ini"));
    EXPECT_EQ(1, CUtilityLib::GetPrivateProfileSectionA("s", keys, values, empty));
    EXPECT_EQ(1, values.GetSize());
}

TEST(PrivateProfileSection, AProfileOfGigabytesAddsNothingWithoutThrowing) {
    TempFolder folder;
    CString file = folder / "huge.ini";
    ASSERT_TRUE(MakeSparseFile(file, 3 * kOneGiB, "[s]\r\nk=v\r\n"));
    HeapCeiling ceiling(kLargestBlockOf32BitProcess);
    ASSERT_TRUE(ceiling.IsReady());
    CStringArray keys, values;
    keys.Add("kept");
    values.Add("kept value");
    int count = -1;
    EXPECT_NO_THROW(count = CUtilityLib::GetPrivateProfileSectionA("s", keys, values, file));
    EXPECT_EQ(1, count);
    ASSERT_EQ(1, values.GetSize());
    EXPECT_STREQ("kept", keys[0]);
    EXPECT_STREQ("kept value", values[0]);
}

TEST(PrivateProfileSection, AFileOfFourMiBIsReadAndOneByteMoreAddsNothing) {
    TempFolder folder;
    const std::string head = "[s]\r\nk=v\r\n[padding]\r\n;";
    const struct {
        size_t size;
        int lines;
    } cases[] = {{4 * 1024 * 1024, 1}, {4 * 1024 * 1024 + 1, 0}};
    for (const auto& c : cases) {
        CString file = folder / "padded.ini";
        ASSERT_TRUE(FileProbe::WriteBytes(file, head + std::string(c.size - head.size() - 2, 'x') + "\r\n"));
        CStringArray keys, values;
        EXPECT_EQ(c.lines, CUtilityLib::GetPrivateProfileSectionA("s", keys, values, file)) << c.size;
    }
}

TEST(PrivateProfileSection, LongSectionIsReadWhole) {
    TempFolder folder;
    CString content = LongSection("Layout", 800);
    CString file = folder.MakeFile("layout.ini", content);
    ASSERT_GT(content.GetLength(), 30000);

    CStringArray keys, values;
    ASSERT_EQ(800, CUtilityLib::GetPrivateProfileSectionA("Layout", keys, values, file));
    EXPECT_STREQ("C:\\Program Files\\Some Folder\\file0000.dll", keys[0]);
    EXPECT_STREQ("C:\\Program Files\\Some Folder\\file0799.dll", keys[799]);
    EXPECT_STREQ("799", values[799]);
}

TEST(PrivateProfileSection, LongSectionOfABareFileNameIsReadWhole) {
    WindowsFolderProfile profile("VantrelTestLong.ini", LongSection("Layout", 800));
    CStringArray keys, values;
    ASSERT_EQ(800, CUtilityLib::GetPrivateProfileSectionA("Layout", keys, values, profile.Name()));
    EXPECT_STREQ("C:\\Program Files\\Some Folder\\file0799.dll", keys[799]);
    EXPECT_STREQ("799", values[799]);
}

TEST(PrivateProfile, CutOfALongKoreanValueEndsOnAWholeCharacter) {
    ASSERT_EQ(949u, GetACP());
    TempFolder folder;
    CString value;
    for (int i = 0; i < 2000; ++i)
        value += "한";
    CString file = folder.MakeFile("korean-long.ini", "[s]\r\nk=" + value + "\r\n");
    CString wholeCharacters;
    for (int i = 0; i < 511; ++i)
        wholeCharacters += "한";

    for (bool byteCut : {false, true}) {
        std::unique_ptr<ImportPatch> platform;
        if (byteCut) {
            platform.reset(new ImportPatch(GetModuleHandleA("Tovrin.dll"), "kernel32.dll", "GetPrivateProfileStringA",
                                           reinterpret_cast<void*>(&ByteCutProfileString)));
            ASSERT_TRUE(platform->IsActive());
        }
        CString read = CUtilityLib::GetPrivateProfileStringA("s", "k", file);
        EXPECT_EQ(1022, read.GetLength()) << byteCut;
        EXPECT_STREQ(wholeCharacters, read) << byteCut;
    }
}
