#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FileProbe.h"
#include "HeapCeiling.h"
#include "ImportPatch.h"
#include "Language.h"
#include "MessageBoxRecorder.h"
#include "SparseFile.h"
#include "TestFixtures.h"

namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(boxes.IsReady()); }
    // The table is process-wide: leave it empty for the tests that follow.
    void TearDown() override { CLanguage::SetMsgPathName(folder / "none.msg", "kor"); }

    // Writes the bytes as the message file and loads it for the language.
    void Load(const std::string& bytes, const char* language = "kor") {
        ASSERT_TRUE(FileProbe::WriteBytes(messageFile, bytes));
        CLanguage::SetMsgPathName(messageFile, language);
    }

    CString ErrorAt(int line) const {
        char key[16];
        wsprintfA(key, "%d", line);
        char value[512] = {};
        GetPrivateProfileStringA("Error", key, "<none>", value, sizeof value, errorFile);
        return value;
    }

    // Every "key=value" of [Error], separated by "|".
    CString ErrorSection() const {
        char buffer[4096] = {};
        DWORD length = GetPrivateProfileSectionA("Error", buffer, sizeof buffer, errorFile);
        CString joined;
        for (const char* entry = buffer; entry < buffer + length && *entry; entry += strlen(entry) + 1)
            joined += CString(joined.IsEmpty() ? "" : "|") + entry;
        return joined;
    }

    MessageBoxRecorder boxes{GetModuleHandleA("Tovrin.dll")};
    TempFolder folder;
    CString messageFile = folder / "language.msg";
    CString errorFile = folder / "msg_error.ini";
};

bool IsCodePage949() { return GetACP() == 949; }

// Stands in for GetModuleFileNameA when the program's path cannot be learnt.
DWORD WINAPI NoModuleFileName(HMODULE, LPSTR name, DWORD size) {
    if (size)
        name[0] = 0;
    return 0;
}

// A file at the root of drive C, removed at the end.
class RootFile {
public:
    RootFile(const char* name, const std::string& bytes) : m_path(CString("C:\\") + name) {
        EXPECT_FALSE(FileProbe::Exists(m_path)) << (const char*)m_path;
        EXPECT_TRUE(FileProbe::WriteBytes(m_path, bytes));
    }
    ~RootFile() { DeleteFileA(m_path); }
    RootFile(const RootFile&) = delete;
    RootFile& operator=(const RootFile&) = delete;

    std::string Bytes() const { return FileProbe::ReadBytes(m_path); }

private:
    CString m_path;
};

// The names at the root of drive C, sorted.
std::vector<std::string> RootNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("C:\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(LanguageTest, TxtGivesTheLanguagesTextAndTheKeyItselfWithoutAnEntry) {
    Load("msgid \"Close\"\nmsg.kor \"닫기\"\nmsg.eng \"Close it\"\n\nmsgid \"Open\"\nmsg.eng \"Open it\"");
    EXPECT_STREQ("닫기", CLanguage::TXT("Close"));
    EXPECT_STREQ("Open", CLanguage::TXT("Open"));
    EXPECT_STREQ("Missing key", CLanguage::TXT("Missing key"));
    EXPECT_FALSE(FileProbe::Exists(errorFile));
}

TEST_F(LanguageTest, LookupKeepsCaseWhileTagsAndMsgidMatchWithoutCase) {
    Load("MsgID \"Close\"\nMSG.ENG \"Close it\"\nmsg.kor \"닫기\"\n", "Eng");
    EXPECT_STREQ("Close it", CLanguage::TXT("Close"));
    EXPECT_STREQ("close", CLanguage::TXT("close"));
    EXPECT_STREQ("CLOSE", CLanguage::TXT("CLOSE"));
}

TEST_F(LanguageTest, TagMustBeFollowedBySpaceOrTab) {
    Load("msgid \"a\"\nmsg.korean \"wrong\"\nmsg.kor\t\"tab\"\n"
         "msgid \"b\"\nmsg.kor\"glued\"\n");
    EXPECT_STREQ("tab", CLanguage::TXT("a"));
    EXPECT_STREQ("b", CLanguage::TXT("b"));
}

TEST_F(LanguageTest, OnlyTheFirstTranslationOfAnEntryCounts) {
    Load("msgid \"a\"\nmsg.kor \"first\"\nmsg.kor \"second\"\n");
    EXPECT_STREQ("first", CLanguage::TXT("a"));
}

TEST_F(LanguageTest, EmptyQuotesGiveAnEmptyTextThatStillReplacesTheKey) {
    Load("msgid \"blank\"\nmsg.kor \"\"\n");
    EXPECT_STREQ("", CLanguage::TXT("blank"));
}

TEST_F(LanguageTest, TextLiesBetweenFirstAndLastQuoteAndEscapesAreUndone) {
    Load("msgid \"say \\\"hi\\\"\"\nmsg.kor   \"a\\nb\\rc\\td\\\"e\"  trailing\n"
         "msgid \"plain\"\nmsg.kor \"one \"inner\" two\"\n");
    EXPECT_STREQ("a\nb\rc\td\"e", CLanguage::TXT("say \"hi\""));
    EXPECT_STREQ("one \"inner\" two", CLanguage::TXT("plain"));
}

TEST_F(LanguageTest, BackslashBeforeLfContinuesTheLineAndStaysInIt) {
    Load("msgid \"long\"\nmsg.kor \"가\\\n나\"\nmsgid \"next\"\nmsg.kor \"다\"\nmsgid broken\n");
    EXPECT_STREQ("가\\\n나", CLanguage::TXT("long"));
    EXPECT_STREQ("다", CLanguage::TXT("next"));
    // The continued line counts once, so the fault is on line 5.
    EXPECT_STREQ("5=Quotation Fault", ErrorSection());
}

TEST_F(LanguageTest, LinesEndingInCrLfAreNotContinuedAndLoseTheirCr) {
    Load("msgid \"crlf\"\r\nmsg.kor \"a\\\r\nb\"\r\nmsgid \"k\"\r\nmsg.kor \"v\"\r\n");
    EXPECT_STREQ("crlf", CLanguage::TXT("crlf"));
    EXPECT_STREQ("v", CLanguage::TXT("k"));
    EXPECT_STREQ("2=Quotation Fault", ErrorSection());
}

// A trail byte 0x5C does not occur in well-formed CP949, but the scan reads byte pairs as the
// system does: a lead byte's partner is never taken for a backslash.
TEST_F(LanguageTest, TrailByte5CBeforeLfDoesNotContinueTheLine) {
    ASSERT_TRUE(IsCodePage949());
    Load("msgid \"first\"\nmsg.kor \"x\" \x81" "\\\nmsgid \"second\"\nmsg.kor \"y\"\n");
    EXPECT_STREQ("x", CLanguage::TXT("first"));
    EXPECT_STREQ("y", CLanguage::TXT("second"));
}

TEST_F(LanguageTest, TrailByte5CBeforeNIsNotAnEscape) {
    ASSERT_TRUE(IsCodePage949());
    Load("msgid \"k\"\nmsg.kor \"\x81" "\\n\\n\"\n");
    EXPECT_STREQ("\x81" "\\n\n", CLanguage::TXT("k"));
}

TEST_F(LanguageTest, DuplicateMsgidIsReportedOnceAndTheLaterTranslationWins) {
    Load("msgid \"dup\"\nmsg.kor \"old\"\n\nmsgid \"dup\"\nmsg.kor \"new\"\nmsgid \"other\"\nmsg.kor \"o\"\n");
    EXPECT_STREQ("new", CLanguage::TXT("dup"));
    EXPECT_STREQ("o", CLanguage::TXT("other"));
    const char* report = "msgid [dup] were duplicated (Line: 4, File: language.msg)";
    EXPECT_STREQ(CString("4=") + report, ErrorSection());
    ASSERT_EQ(1, boxes.Count());
    EXPECT_STREQ(report, boxes.texts[0]);
}

TEST_F(LanguageTest, ThousandsOfDuplicatesGiveOneBoxAndEveryLineInTheErrorFile) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += i == 1500 ? "msgid \"dup\"\nmsg.kor \"middle\"\nmsgid lost\n" : "msgid \"dup\"\nmsg.kor \"v\"\n";
    bytes += "msgid \"dup\"\nmsg.kor \"last\"\n";
    Load(bytes);

    EXPECT_STREQ("last", CLanguage::TXT("dup"));
    ASSERT_EQ(1, boxes.Count());
    EXPECT_STREQ("msgid [dup] were duplicated (Line: 3, File: language.msg)\n\n3000 duplicated msgids in all",
                 boxes.texts[0]);
    EXPECT_STREQ("알림", boxes.caption);
    EXPECT_STREQ("msgid [dup] were duplicated (Line: 3, File: language.msg)", ErrorAt(3));
    EXPECT_STREQ("Quotation Fault", ErrorAt(3003));
    EXPECT_STREQ("msgid [dup] were duplicated (Line: 3004, File: language.msg)", ErrorAt(3004));
    EXPECT_STREQ("msgid [dup] were duplicated (Line: 6002, File: language.msg)", ErrorAt(6002));
    EXPECT_STREQ("<none>", ErrorAt(6003));

    std::vector<char> section(1 << 20);
    DWORD length = GetPrivateProfileSectionA("Error", section.data(), static_cast<DWORD>(section.size()), errorFile);
    int entries = 0;
    for (const char* entry = section.data(); entry < section.data() + length && *entry; entry += strlen(entry) + 1)
        ++entries;
    EXPECT_EQ(3001, entries);
}

TEST_F(LanguageTest, DuplicateIsFoundByTheStoredKeyEvenWithEscapesOrAnEmptyText) {
    Load("msgid \"say \\\"hi\\\"\"\nmsg.kor \"\"\nmsgid \"say \\\"hi\\\"\"\nmsg.kor \"later\"\n");
    EXPECT_STREQ("later", CLanguage::TXT("say \"hi\""));
    EXPECT_STREQ("msgid [say \\\"hi\\\"] were duplicated (Line: 3, File: language.msg)", ErrorAt(3));
    EXPECT_EQ(1, boxes.Count());
}

TEST_F(LanguageTest, LinesWithoutAQuotePairAreLoggedWithTheirLineNumbers) {
    Load("msgid \"a\"\n"
         "msgid no quotes\n"    // 2: the key stays "a"
         "msg.kor \"A\"\n"
         "msgid \"b\"\n"
         "msg.kor \"half\n"      // 5: the entry stays open
         "msg.kor \"B\"\n"
         "msgid \"\n"            // 7: one quote is no pair
         "msg.kor \"C\"\n");
    EXPECT_STREQ("A", CLanguage::TXT("a"));
    EXPECT_STREQ("B", CLanguage::TXT("b"));
    EXPECT_STREQ("2=Quotation Fault|5=Quotation Fault|7=Quotation Fault", ErrorSection());
    EXPECT_EQ(0, boxes.Count());
}

TEST_F(LanguageTest, EachLoadDeletesTheErrorFileFirst) {
    Load("msgid broken\n");
    ASSERT_STREQ("Quotation Fault", ErrorAt(1));
    Load("msgid \"fine\"\nmsg.kor \"ok\"\n");
    EXPECT_FALSE(FileProbe::Exists(errorFile));
    EXPECT_STREQ("ok", CLanguage::TXT("fine"));
}

TEST_F(LanguageTest, MissingFileLeavesTheTableEmpty) {
    Load("msgid \"k\"\nmsg.kor \"v\"\n");
    ASSERT_STREQ("v", CLanguage::TXT("k"));
    CLanguage::SetMsgPathName(folder / "absent.msg", "kor");
    EXPECT_STREQ("k", CLanguage::TXT("k"));
}

TEST_F(LanguageTest, AddedTextsAreLostByALaterLoadAndOverrideAnEarlierOne) {
    CLanguage::AddMsgText("early", "lost");
    Load("msgid \"shared\"\nmsg.kor \"from file\"\nmsgid \"kept\"\nmsg.kor \"file\"\n");
    EXPECT_STREQ("early", CLanguage::TXT("early"));

    CLanguage::AddMsgText("shared", "added");
    CMapStringToString more;
    more.SetAt("kept", "from map");
    more.SetAt("new", "새 글");
    CLanguage::AddMsgText(more);
    EXPECT_STREQ("added", CLanguage::TXT("shared"));
    EXPECT_STREQ("from map", CLanguage::TXT("kept"));
    EXPECT_STREQ("새 글", CLanguage::TXT("new"));
}

TEST_F(LanguageTest, TxtWithANumberLooksUpThePrefixFollowedByTheNumber) {
    CLanguage::AddMsgText("Item7", "일곱");
    CLanguage::AddMsgText("Item-2", "minus two");
    EXPECT_STREQ("일곱", CLanguage::TXT("Item", 7));
    EXPECT_STREQ("minus two", CLanguage::TXT("Item", -2));
    EXPECT_STREQ("Item8", CLanguage::TXT("Item", 8));
}

TEST_F(LanguageTest, BareFileNameIsTakenFromTheProgramFolderNotTheCurrentOne) {
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    CString programFolder(program);
    programFolder = programFolder.Left(programFolder.ReverseFind('\\'));
    char name[64];
    wsprintfA(name, "language-test-%lu.msg", GetCurrentProcessId());
    CString besideProgram = programFolder + "\\" + name;
    CString programErrors = programFolder + "\\msg_error.ini";
    ASSERT_TRUE(FileProbe::WriteBytes(besideProgram, "msgid \"where\"\nmsg.kor \"program\"\nmsgid lost\n"));
    ASSERT_TRUE(FileProbe::WriteBytes(folder / name, "msgid \"where\"\nmsg.kor \"current\"\n"));

    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(folder.Path());
    CLanguage::SetMsgPathName(name, "kor");
    SetCurrentDirectoryA(saved);

    CString where = CLanguage::TXT("where");
    std::string errors = FileProbe::ReadBytes(programErrors);
    DeleteFileA(besideProgram);
    DeleteFileA(programErrors);
    EXPECT_STREQ("program", where);
    EXPECT_NE(std::string::npos, errors.find("3=Quotation Fault"));
}

TEST_F(LanguageTest, WithoutTheProgramFolderABareNameLoadsNothingAndNeverTouchesTheDriveRoot) {
    RootFile marker("msg_error.ini", "[Error]\r\n1=marker\r\n");
    RootFile rootMessages("language.msg", "msgid \"root\"\nmsg.kor \"from the root\"\nmsgid broken\n");
    std::vector<std::string> before = RootNames();
    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    // "\\name" is taken from the root of the current folder's drive.
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path()));
    {
        ImportPatch noProgramPath(GetModuleHandleA("Tovrin.dll"), "kernel32.dll", "GetModuleFileNameA",
                                  reinterpret_cast<void*>(&NoModuleFileName));
        EXPECT_TRUE(noProgramPath.IsActive());
        CLanguage::SetMsgPathName("language.msg", "kor");
    }
    SetCurrentDirectoryA(saved);

    EXPECT_STREQ("root", CLanguage::TXT("root"));
    EXPECT_EQ("[Error]\r\n1=marker\r\n", marker.Bytes());
    EXPECT_EQ(before, RootNames());
}

TEST_F(LanguageTest, AMessageFileOfGigabytesLoadsItsFirstEntriesWithoutThrowing) {
    for (ULONGLONG size : {kOneGiB + kOneGiB / 2, 3 * kOneGiB}) {
        ASSERT_TRUE(MakeSparseFile(messageFile, size, "msgid \"first\"\nmsg.kor \"처음\"\n"));
        HeapCeiling ceiling(kLargestBlockOf32BitProcess);
        ASSERT_TRUE(ceiling.IsReady());
        EXPECT_NO_THROW(CLanguage::SetMsgPathName(messageFile, "kor")) << size;
        EXPECT_STREQ("처음", CLanguage::TXT("first")) << size;
    }
}

TEST_F(LanguageTest, OnlyTheFirstFourMiBOfTheFileAreRead) {
    std::string bytes = "msgid \"early\"\nmsg.kor \"read\"\n#";
    bytes += std::string(4 * 1024 * 1024 - bytes.size() - 1, 'x') + "\n";
    bytes += "msgid \"late\"\nmsg.kor \"read too\"\n";
    Load(bytes);
    EXPECT_STREQ("read", CLanguage::TXT("early"));
    EXPECT_STREQ("late", CLanguage::TXT("late"));
}
