#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FileProbe.h"
#include "FrameworkFileFaults.h"
#include "ImportPatch.h"
#include "MessageBoxRecorder.h"
#include "RegBackupWriter.h"
#include "TestFixtures.h"
#include "WideRegTree.h"

using namespace WideRegTree;

namespace {

const wchar_t kFileStart[] = L"\xFEFFWindows Registry Editor Version 5.00\r\n";

// The file as UTF-16 text; "<no byte-order mark>" when it is not UTF-16LE with its mark.
std::wstring ReadText(const char* path) {
    std::string bytes = FileProbe::ReadBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0 || bytes.size() % 2 != 0)
        return L"<no byte-order mark>";
    std::wstring text(bytes.size() / 2, L'\0');
    memcpy(&text[0], bytes.data(), bytes.size());
    return text;
}

Bytes Raw(const char* bytes, size_t count) { return Bytes(bytes, bytes + count); }

Bytes Sequence(size_t count) {
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>(i);
    return bytes;
}

class RegBackupWriterTest : public ::testing::Test {
protected:
    void SetValue(const char* key, const std::wstring& name, DWORD type, const Bytes& data) {
        ASSERT_TRUE(Set(HKEY_CURRENT_USER, Widen(temp / key), name, type, data));
    }
    void Backup(const char* key, const char* name) {
        ASSERT_EQ(1, writer.BackupValue(HKEY_CURRENT_USER, temp / key, name)) << key << " : " << name;
    }
    std::wstring Header(const char* key) const { return L"\r\n[HKEY_CURRENT_USER\\" + Widen(temp / key) + L"]\r\n"; }
    std::wstring Text() {
        writer.Close();
        return ReadText(file);
    }

    TempRegKey temp;
    TempFolder folder;
    CString file = folder / "backup.reg";
    CRegBackupWriter writer;
};

// Makes this program's next size queries of RegQueryValueExW report 1 byte, as if the value
// had grown between the size query and the read.
class ShrunkSizeQueries {
public:
    explicit ShrunkSizeQueries(int count)
        : m_real(reinterpret_cast<Query>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegQueryValueExW"))),
          m_patch(GetModuleHandleA(nullptr), "advapi32.dll", "RegQueryValueExW", reinterpret_cast<void*>(&Shrunk)) {
        s_active = this;
        m_remaining = count;
    }
    ~ShrunkSizeQueries() { s_active = nullptr; }
    bool IsReady() const { return m_patch.IsActive(); }

private:
    using Query = LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    static LONG WINAPI Shrunk(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
        LONG result = s_active->m_real(key, name, reserved, type, data, size);
        if (result == ERROR_SUCCESS && !data && size && s_active->m_remaining > 0) {
            --s_active->m_remaining;
            *size = 1;
        }
        return result;
    }

    static ShrunkSizeQueries* s_active;
    Query m_real;
    int m_remaining = 0;
    ImportPatch m_patch;
};

ShrunkSizeQueries* ShrunkSizeQueries::s_active = nullptr;

int CommitWithFailingFlush(CRegBackupWriter& writer) {
    FlushRecorder failing(true);
    return failing.IsReady() ? writer.Commit() : -1;
}

int CommitWithHalfWrites(CRegBackupWriter& writer) {
    HalfWrites failing;
    return failing.IsReady() ? writer.Commit() : -1;
}

}  // namespace

TEST_F(RegBackupWriterTest, WritesUtf16HeaderKeyEscapedStringAndDwordLines) {
    SetValue("K", L"say \"hi\"", REG_SZ, WideRegTree::Text(L"C:\\x"));
    SetValue("K", L"d", REG_DWORD, Raw("\xff\x00\x00\x00", 4));
    writer.SetFileName(file);
    Backup("K", "say \"hi\"");
    Backup("K", "d");

    EXPECT_EQ(kFileStart + Header("K") + L"\"say \\\"hi\\\"\"=\"C:\\\\x\"\r\n\"d\"=dword:000000ff\r\n", Text());
}

TEST_F(RegBackupWriterTest, BreaksHexListsAfterByte30AndEvery30BytesMore) {
    SetValue("K", L"short", REG_BINARY, Sequence(31));
    SetValue("K", L"long", REG_BINARY, Sequence(64));
    SetValue("K", L"multi", REG_MULTI_SZ, WideRegTree::Text(std::wstring(L"abcdefghijklmn\0", 15)));
    SetValue("K", L"expand", REG_EXPAND_SZ, WideRegTree::Text(L"%TEMP%\\abcdefgh"));
    writer.SetFileName(file);
    for (const char* name : {"short", "long", "multi", "expand"})
        Backup("K", name);

    std::wstring first30 = L"00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d";
    std::wstring next30 = L"1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,30,31,32,33,34,35,36,37,38,39,3a,3b,3c";
    EXPECT_EQ(kFileStart + Header("K") +
                  L"\"short\"=hex:" + first30 + L",1e\r\n"
                  L"\"long\"=hex:" + first30 + L",1e,\\\r\n" + next30 + L",\\\r\n3d,3e,3f\r\n"
                  L"\"multi\"=hex(7):61,00,62,00,63,00,64,00,65,00,66,00,67,00,68,00,69,00,6a,00,6b,00,6c,00,6d,00,"
                  L"6e,00,00,00,00,\\\r\n00\r\n"
                  L"\"expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,61,00,62,00,63,00,64,00,65,00,66,00,"
                  L"67,00,68,00,00,\\\r\n00\r\n",
              Text());
}

TEST_F(RegBackupWriterTest, KeepsTheTypeOfValuesWithoutAQuotedForm) {
    SetValue("K", L"qword", REG_QWORD, Raw("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    SetValue("K", L"none", REG_NONE, Raw("\xab", 1));
    SetValue("K", L"unknown", 0x1234, Raw("\x42", 1));
    SetValue("K", L"short dword", REG_DWORD, Raw("\x01\x02\x03", 3));
    SetValue("K", L"nul inside", REG_SZ, WideRegTree::Text(std::wstring(L"a\0b", 3)));
    SetValue("K", L"unterminated", REG_SZ, WideRegTree::Text(L"a", false));
    SetValue("K", L"odd", REG_SZ, Raw("a\0\0", 3));
    SetValue("K", L"empty", REG_SZ, Bytes());
    SetValue("K", L"break", REG_SZ, WideRegTree::Text(L"a\nb"));
    writer.SetFileName(file);
    for (const char* name : {"qword", "none", "unknown", "short dword", "nul inside", "unterminated", "odd", "empty",
                             "break"})
        Backup("K", name);

    EXPECT_EQ(kFileStart + Header("K") +
                  L"\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                  L"\"none\"=hex(0):ab\r\n"
                  L"\"unknown\"=hex(1234):42\r\n"
                  L"\"short dword\"=hex(4):01,02,03\r\n"
                  L"\"nul inside\"=hex(1):61,00,00,00,62,00,00,00\r\n"
                  L"\"unterminated\"=hex(1):61,00\r\n"
                  L"\"odd\"=hex(1):61,00,00\r\n"
                  L"\"empty\"=hex(1):\r\n"
                  L"\"break\"=hex(1):61,00,0a,00,62,00,00,00\r\n",
              Text());
}

TEST_F(RegBackupWriterTest, WritesDefaultValuesWithTheirType) {
    SetValue("Text", L"", REG_SZ, WideRegTree::Text(L"a\"b"));
    SetValue("Empty", L"", REG_SZ, WideRegTree::Text(L""));
    SetValue("Dword", L"", REG_DWORD, Raw("\x10\x00\x00\x00", 4));
    SetValue("Binary", L"", REG_BINARY, Raw("\x01\x02", 2));
    SetValue("Qword", L"", REG_QWORD, Raw("\x01\x00\x00\x00\x00\x00\x00\x00", 8));
    writer.SetFileName(file);
    Backup("Text", nullptr);
    Backup("Empty", "");
    Backup("Dword", nullptr);
    Backup("Binary", nullptr);
    Backup("Qword", "");

    EXPECT_EQ(kFileStart + Header("Text") + L"@=\"a\\\"b\"\r\n" + Header("Empty") + L"@=\"\"\r\n" + Header("Dword") +
                  L"@=dword:00000010\r\n" + Header("Binary") + L"@=hex:01,02\r\n" + Header("Qword") +
                  L"@=hex(b):01,00,00,00,00,00,00,00\r\n",
              Text());
}

TEST_F(RegBackupWriterTest, SharesKeyHeadersIgnoringCaseAndRepeatsThemAfterAnotherKey) {
    SetValue("Alpha", L"a", REG_DWORD, Raw("\x01\x00\x00\x00", 4));
    SetValue("Alpha", L"b", REG_DWORD, Raw("\x02\x00\x00\x00", 4));
    SetValue("Beta", L"c", REG_DWORD, Raw("\x03\x00\x00\x00", 4));
    writer.SetFileName(file);
    Backup("Alpha", "a");
    Backup("ALPHA", "b");
    Backup("Beta", "c");
    Backup("alpha", "a");

    EXPECT_EQ(kFileStart + Header("Alpha") + L"\"a\"=dword:00000001\r\n\"b\"=dword:00000002\r\n" + Header("Beta") +
                  L"\"c\"=dword:00000003\r\n" + Header("alpha") + L"\"a\"=dword:00000001\r\n",
              Text());
}

TEST_F(RegBackupWriterTest, WritesAKeyWithItsValuesThenItsSubkeysEvenEmptyOnes) {
    SetValue("Top", L"v", REG_SZ, WideRegTree::Text(L"1"));
    ASSERT_TRUE(MakeKey(HKEY_CURRENT_USER, Widen(temp / "Top\\Empty")));
    SetValue("Top\\Full", L"w", REG_SZ, WideRegTree::Text(L"2"));
    writer.SetFileName(file);
    ASSERT_EQ(1, writer.BackupKey(HKEY_CURRENT_USER, temp / "Top"));

    EXPECT_EQ(kFileStart + Header("Top") + L"\"v\"=\"1\"\r\n" + Header("Top\\Empty") + Header("Top\\Full") +
                  L"\"w\"=\"2\"\r\n",
              Text());
}

TEST_F(RegBackupWriterTest, AppendedListEndsTheFileAndReadsBackAsAnsiProfileText) {
    SetValue("K", L"v", REG_DWORD, Raw("\x01\x00\x00\x00", 4));
    writer.SetFileName(file);
    Backup("K", "v");
    const char finding[] = "잘못된 경로\tC:\\없음.exe\tHKCU\\Software\\x";
    ASSERT_EQ(1, writer.Append("\r\n\r\n[List]"));
    ASSERT_EQ(1, writer.Append("\r\n0="));
    ASSERT_EQ(1, writer.Append(finding));
    ASSERT_EQ(1, writer.Append("\r\n1=b\tc\td-ignored", 9));

    std::wstring text = Text();
    std::wstring tail = L"\"v\"=dword:00000001\r\n\r\n\r\n[List]\r\n0=" + Widen(finding) + L"\r\n1=b\tc\td";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
    // The history window reads the findings through the ANSI profile calls.
    char read[256] = {};
    GetPrivateProfileStringA("List", "0", "", read, sizeof read, file);
    EXPECT_STREQ(finding, read);
    GetPrivateProfileStringA("List", "1", "", read, sizeof read, file);
    EXPECT_STREQ("b\tc\td", read);
}

TEST_F(RegBackupWriterTest, CreatesNoFileUntilTheFirstEntry) {
    SetValue("K", L"v", REG_SZ, WideRegTree::Text(L"x"));
    writer.SetFileName(file);
    EXPECT_EQ(0, writer.Append("\r\n\r\n[List]"));
    EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "K", "missing"));
    EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "Missing", "v"));
    EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, temp / "Missing"));
    EXPECT_FALSE(FileProbe::Exists(file));

    Backup("K", "v");
    EXPECT_EQ(kFileStart + Header("K") + L"\"v\"=\"x\"\r\n", Text());
}

TEST_F(RegBackupWriterTest, FailsEveryBackupWithoutAFileOrWhenItCannotBeCreated) {
    SetValue("K", L"v", REG_SZ, WideRegTree::Text(L"x"));
    EXPECT_EQ(0, writer.Open());
    EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "K", "v"));
    EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, temp / "K"));

    CString unreachable = folder / "no such folder\\backup.reg";
    writer.SetFileName(unreachable);
    EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "K", "v"));
    EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, temp / "K"));
    EXPECT_FALSE(FileProbe::Exists(unreachable));
}

TEST_F(RegBackupWriterTest, RefusesSystemKeysWithAMessageBox) {
    MessageBoxRecorder boxes(GetModuleHandleA(nullptr));
    ASSERT_TRUE(boxes.IsReady());
    writer.SetFileName(file);

    EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, "Software"));
    EXPECT_EQ(1, boxes.Count());
    EXPECT_STREQ("잘못된 접근으로 판단 : 차단함 : [HKEY_CURRENT_USER\\Software]", boxes.text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.style & MB_TYPEMASK);

    EXPECT_EQ(0, writer.BackupKey(HKEY_LOCAL_MACHINE, "system\\currentcontrolset\\enum"));
    EXPECT_EQ(2, boxes.Count());
    EXPECT_STREQ("잘못된 접근으로 판단 : 차단함 : [HKEY_LOCAL_MACHINE\\system\\currentcontrolset\\enum]", boxes.text);

    EXPECT_EQ(0, writer.BackupKey(HKEY_CLASSES_ROOT, "CLSID"));
    EXPECT_EQ(3, boxes.Count());
    EXPECT_FALSE(FileProbe::Exists(file));
}

TEST_F(RegBackupWriterTest, RefusesWhatTheFileCannotBringBack) {
    SetValue("K", L"v", REG_SZ, WideRegTree::Text(L"x"));
    SetValue("K", L"two\nlines", REG_SZ, WideRegTree::Text(L"x"));
    writer.SetFileName(file);
    HKEY opened = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, temp / "K", 0, KEY_READ, &opened));
    EXPECT_EQ(0, writer.BackupValue(opened, "", "v"));
    EXPECT_EQ(0, writer.BackupKey(opened, ""));
    RegCloseKey(opened);

    EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "K", "two\nlines"));
    EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, temp / "K"));
}

TEST(RegBackupWriter, NamesTheRunFileAfterTheLocalTimeInKorean) {
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 5;
    time.wHour = 7;
    time.wMinute = 8;
    time.wSecond = 9;
    EXPECT_STREQ("C:\\Data\\RegHistory\\2024\xb3\xe2" "03\xbf\xf9" "05\xc0\xcf 07\xbd\xc3" "08\xba\xd0" "09\xc3\xca "
                 "\xbd\xc7\xc7\xe0.REG",
                 CRegBackupWriter::RunFileName("C:\\Data", time));
}

TEST_F(RegBackupWriterTest, SecondWriterOfTheSameNameReplacesTheFile) {
    SetValue("K", L"first", REG_SZ, WideRegTree::Text(L"1"));
    SetValue("K", L"second", REG_SZ, WideRegTree::Text(L"2"));
    writer.SetFileName(file);
    Backup("K", "first");
    writer.Close();

    CRegBackupWriter next;
    next.SetFileName(file);
    ASSERT_EQ(1, next.BackupValue(HKEY_CURRENT_USER, temp / "K", "second"));
    next.Close();
    EXPECT_EQ(kFileStart + Header("K") + L"\"second\"=\"2\"\r\n", ReadText(file));
}

TEST_F(RegBackupWriterTest, KeepsEarlierEntriesWhenWritingAgainAfterClose) {
    SetValue("K", L"first", REG_SZ, WideRegTree::Text(L"1"));
    SetValue("K", L"second", REG_SZ, WideRegTree::Text(L"2"));
    writer.SetFileName(file);
    Backup("K", "first");
    writer.Close();
    Backup("K", "second");

    EXPECT_EQ(kFileStart + Header("K") + L"\"first\"=\"1\"\r\n\"second\"=\"2\"\r\n", Text());
}

TEST_F(RegBackupWriterTest, ReadsAValueWholeWhenItGrewAfterItsSizeQueryAndGivesUpIfItKeepsGrowing) {
    SetValue("K", L"big", REG_BINARY, Sequence(4096));
    CString undisturbed = folder / "undisturbed.reg";
    {
        CRegBackupWriter reference;
        reference.SetFileName(undisturbed);
        ASSERT_EQ(1, reference.BackupValue(HKEY_CURRENT_USER, temp / "K", "big"));
    }
    writer.SetFileName(file);
    {
        ShrunkSizeQueries growing(1);
        ASSERT_TRUE(growing.IsReady());
        Backup("K", "big");
    }
    {
        ShrunkSizeQueries growing(1000);
        EXPECT_EQ(0, writer.BackupValue(HKEY_CURRENT_USER, temp / "K", "big"));
        EXPECT_EQ(0, writer.BackupKey(HKEY_CURRENT_USER, temp / "K"));
    }
    EXPECT_EQ(ReadText(undisturbed), Text());
}

TEST_F(RegBackupWriterTest, KeepsEntriesOutOfTheFileUntilACommitWritesAndFlushesThemOnce) {
    SetValue("K", L"a", REG_SZ, WideRegTree::Text(L"1"));
    SetValue("K\\Sub", L"b", REG_SZ, WideRegTree::Text(L"2"));
    writer.SetFileName(file);
    FlushRecorder flushes(false);
    ASSERT_TRUE(flushes.IsReady());
    Backup("K", "a");
    ASSERT_EQ(1, writer.BackupKey(HKEY_CURRENT_USER, temp / "K\\Sub"));
    EXPECT_EQ(kFileStart, ReadText(file));

    ASSERT_EQ(1, writer.Commit());
    EXPECT_EQ(kFileStart + Header("K") + L"\"a\"=\"1\"\r\n" + Header("K\\Sub") + L"\"b\"=\"2\"\r\n", ReadText(file));
    ASSERT_EQ(1, writer.Commit());
    EXPECT_EQ(1, flushes.count);
    EXPECT_EQ(1, writer.Flushes());
}

TEST_F(RegBackupWriterTest, AppendCommitsTheWaitingEntriesFirstAndCloseFlushesTheAppendedTextOnce) {
    SetValue("K", L"v", REG_SZ, WideRegTree::Text(L"x"));
    writer.SetFileName(file);
    FlushRecorder flushes(false);
    ASSERT_TRUE(flushes.IsReady());
    Backup("K", "v");
    ASSERT_EQ(1, writer.Append("\r\n\r\n[List]"));
    EXPECT_EQ(kFileStart + Header("K") + L"\"v\"=\"x\"\r\n\r\n\r\n[List]", ReadText(file));
    EXPECT_EQ(1, flushes.count);
    ASSERT_EQ(1, writer.Append("\r\n0=a"));
    ASSERT_EQ(1, writer.Append("\r\n1=b"));
    writer.Close();
    EXPECT_EQ(2, flushes.count);
}

TEST_F(RegBackupWriterTest, AFailedCommitLeavesNoneOfItsEntriesAndTheNextEntryRepeatsItsKeyHeader) {
    SetValue("K", L"a", REG_SZ, WideRegTree::Text(L"1"));
    SetValue("K", L"b", REG_SZ, WideRegTree::Text(L"2"));
    SetValue("K", L"c", REG_SZ, WideRegTree::Text(L"3"));
    const struct {
        const char* fault;
        int (*commit)(CRegBackupWriter&);
    } faults[] = {{"failing flush", &CommitWithFailingFlush}, {"half write", &CommitWithHalfWrites}};
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.fault);
        CString path = folder / fault.fault;
        CRegBackupWriter faulty;
        faulty.SetFileName(path);
        ASSERT_EQ(1, faulty.BackupValue(HKEY_CURRENT_USER, temp / "K", "a"));
        ASSERT_EQ(1, faulty.Commit());
        ASSERT_EQ(1, faulty.BackupValue(HKEY_CURRENT_USER, temp / "K", "b"));
        EXPECT_EQ(0, fault.commit(faulty));
        ASSERT_EQ(1, faulty.BackupValue(HKEY_CURRENT_USER, temp / "K", "c"));
        faulty.Close();
        EXPECT_EQ(kFileStart + Header("K") + L"\"a\"=\"1\"\r\n" + Header("K") + L"\"c\"=\"3\"\r\n", ReadText(path));
    }
}
