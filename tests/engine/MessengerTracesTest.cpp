#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "ProgramTraceProfile.h"
#include "TestFixtures.h"
#include "WidePaths.h"

using FileProbe::Exists;
using FileProbe::IsFolder;
using RegProbe::KeyExists;
using RegProbe::ValueExists;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;
const char kMessenger[] = "Software\\Microsoft\\MSNMessenger";
const char kPassports[] = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings";
const char kNateOnConfiguration[] = "Software\\SK Communications\\Messenger\\Configuration";
const char kNateOnSettings[] = "Software\\SK Communications\\Messenger\\Settings";
const char kBuddyKey[] = "Software\\BuddyBuddy\\BuddyBuddy";

std::string Bytes(size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

}  // namespace

TEST(MsnMessengerTraces, KeepsLogPathsAndTheReceiveFolderAcrossTheKeyDeletion) {
    ProgramTraceProfile profile;
    std::string receiveFolder = Bytes(37, 3);
    receiveFolder[10] = '\0';  // binary data: a NUL inside must not cut it
    profile.SetBinary(kUser, kMessenger, "FtReceiveFolder", receiveFolder);
    profile.SetText(kUser, kMessenger, "AppCompatCanary", "history");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1a2b3c", "MessageLogPath",
                    "C:\\로그\\user1");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1a2b3c", "LastLogin", "today");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\4d5e6f", "MessageLogPath", "");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\7a8b9c", "MessageLogPath",
                    "D:\\logs\\user3");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\ListCache", "abc", "contacts");

    RunItem(23);

    DWORD type = 0;
    EXPECT_EQ(receiveFolder, RegProbe::ReadBytes(kUser, kMessenger, "FtReceiveFolder", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(std::set<std::string>{"FtReceiveFolder"}, RegProbe::ValueNames(kUser, kMessenger));
    EXPECT_EQ(std::string("C:\\로그\\user1", sizeof("C:\\로그\\user1")),
              RegProbe::ReadBytes(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1a2b3c",
                                  "MessageLogPath"));
    EXPECT_EQ(std::set<std::string>{"MessageLogPath"},
              RegProbe::ValueNames(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1a2b3c"));
    EXPECT_EQ(std::string("D:\\logs\\user3", sizeof("D:\\logs\\user3")),
              RegProbe::ReadBytes(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\7a8b9c",
                                  "MessageLogPath"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\4d5e6f"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\MSNMessenger\\ListCache"));
}

TEST(MsnMessengerTraces, KeepsAReceiveFolderThatFillsOrExceedsAPathBuffer) {
    for (size_t length : {520u, 521u, 4000u}) {
        ProgramTraceProfile profile;
        std::string receiveFolder = Bytes(length, static_cast<unsigned>(length));
        profile.SetBinary(kUser, kMessenger, "FtReceiveFolder", receiveFolder);

        RunItem(23);

        EXPECT_EQ(receiveFolder, RegProbe::ReadBytes(kUser, kMessenger, "FtReceiveFolder")) << length << " bytes";
    }
}

TEST(MsnMessengerTraces, WithoutSettingsToKeepLeavesNoMessengerKeyBehind) {
    ProgramTraceProfile profile;
    profile.SetText(kUser, kMessenger, "History", "x");
    profile.SetText(kUser, "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\4d5e6f", "MessageLogPath", "");
    profile.SetBinary(kUser, kMessenger, "FtReceiveFolder", "");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail\\a@b.com", "MessageCount", "3");
    profile.SetText(kUser, "Software\\Microsoft\\Windows Live\\Messenger", "Sign", "x");
    profile.SetText(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Kept", "a", "x");

    RunItem(23);

    EXPECT_FALSE(KeyExists(kUser, kMessenger));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail"));
    EXPECT_FALSE(KeyExists(kUser, "Software\\Microsoft\\Windows Live"));
    EXPECT_TRUE(ValueExists(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Kept", "a"));
}

TEST(MsnMessengerTraces, CleansContactsAndTheMessengerFoldersOfBothApplicationDataFolders) {
    ProgramTraceProfile profile;
    std::vector<CString> folders = {profile.MakeFolder(SandboxFolder(CSIDL_PROFILE) + "\\Contacts")};
    const char* messengerFolders[] = {"Credentials", "Windows Live Contacts", "MSN Messenger", "Windows Messenger",
                                      "Messenger"};
    for (int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        for (const char* folder : messengerFolders)
            folders.push_back(profile.MakeFolder(SandboxFolder(csidl) + "\\Microsoft\\" + folder));
    }
    for (const CString& folder : folders) {
        profile.MakeFile(folder + "\\vantrel-trace.txt");
        profile.MakeFile(folder + "\\vantrel-trace\\desktop.ini");
        profile.MakeFile(folder + "\\vantrel-trace.tmp");
    }
    CString neighbour = profile.MakeFile(SandboxFolder(CSIDL_APPDATA) + "\\Microsoft\\Messenger Kept\\a.txt");

    RunItem(23);

    for (const CString& folder : folders) {
        EXPECT_TRUE(IsFolder(folder)) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\vantrel-trace.txt")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\vantrel-trace")) << (const char*)folder;
        EXPECT_FALSE(Exists(folder + "\\vantrel-trace.tmp")) << (const char*)folder;
    }
    EXPECT_TRUE(Exists(neighbour));
}

TEST(NateOnTraces, WithoutAFullProgramPathDeletesNothing) {
    TempFolder program;
    CString programTemp = program.MakeFile("Temp\\a.txt");
    CString programData = program.MakeFile("BIN\\chatdata\\c.txt");
    CString relativeTemp = program.MakeFile("NateOn\\Temp\\r.txt");
    ScopedCurrentFolder current(program.Path());
    ProgramTraceProfile profile;
    CString local = SandboxFolder(CSIDL_LOCAL_APPDATA) + "\\SK Communications\\NATEON";
    CString localTemp = profile.MakeFile(local + "\\Temp\\a.txt");
    CString localData = profile.MakeFile(local + "\\user\\maildata\\m.txt");
    profile.SetText(kUser, kNateOnSettings, "AutoLogin", "1");
    profile.MakeKey(kUser, kNateOnConfiguration);

    // A device or server path names the program folder too, but no other program's setting may.
    for (CString setting : {CString(), CString("NateOn"), CString("."), CString("\\NateOn"), CString("C:NateOn"),
                            "\\\\?\\" + program.Path(), "\\\\.\\" + program.Path(), CString("\\\\server\\share")}) {
        if (!setting.IsEmpty())
            profile.SetText(kUser, kNateOnConfiguration, "Nateon Path", setting);
        RunItem(24);

        EXPECT_TRUE(ValueExists(kUser, kNateOnSettings, "AutoLogin")) << setting.GetString();
        EXPECT_TRUE(Exists(programTemp) && Exists(programData) && Exists(relativeTemp)) << setting.GetString();
        EXPECT_TRUE(Exists(localTemp) && Exists(localData)) << setting.GetString();
    }
}

TEST(NateOnTraces, CleansTempAndDataFoldersKeepingTheFoldersAndDeletesTheSettingsKey) {
    TempFolder program;
    ProgramTraceProfile profile;
    profile.SetText(kUser, kNateOnConfiguration, "Nateon Path", program.Path() + "\\");
    profile.SetText(kUser, kNateOnSettings, "AutoLogin", "1");
    profile.SetText(kUser, "Software\\SK Communications\\Messenger\\Settings\\user", "Id", "x");
    program.MakeFile("Temp\\a.txt");
    program.MakeFile("Temp\\sub\\b.txt");
    program.MakeFile("Temp\\desktop.ini");
    CString exe = program.MakeFile("BIN\\NateOnMain.exe");
    program.MakeFile("BIN\\MailData\\m.eml");
    program.MakeFile("BIN\\MailData\\inbox\\n.eml");
    program.MakeFile("BIN\\accounts\\0123456789abcdef0123456789abcde\\log.txt");  // 31 characters
    CString shortName = program.MakeFile("BIN\\accounts\\0123456789abcdef0123456789abcd\\log.txt");
    CString accountIndex = program.MakeFile("BIN\\accounts\\index.txt");
    CString memoIni = program.MakeFile("BIN\\MEMODATA\\desktop.ini");
    program.MakeFile("BIN\\MEMODATA\\memo.tmp");
    CString local = SandboxFolder(CSIDL_LOCAL_APPDATA) + "\\SK Communications\\NATEON";
    profile.MakeFile(local + "\\Temp\\t.txt");
    profile.MakeFile(local + "\\user\\ChatData\\c.txt");
    CString localConfig = profile.MakeFile(local + "\\config.ini");

    RunItem(24);

    EXPECT_TRUE(IsFolder(program / "Temp"));
    EXPECT_FALSE(Exists(program / "Temp\\a.txt"));
    EXPECT_FALSE(Exists(program / "Temp\\sub"));
    EXPECT_FALSE(Exists(program / "Temp\\desktop.ini"));
    EXPECT_TRUE(Exists(exe));
    EXPECT_TRUE(IsFolder(program / "BIN\\MailData"));
    EXPECT_FALSE(Exists(program / "BIN\\MailData\\m.eml"));
    EXPECT_FALSE(Exists(program / "BIN\\MailData\\inbox"));
    EXPECT_TRUE(IsFolder(program / "BIN\\accounts\\0123456789abcdef0123456789abcde"));
    EXPECT_FALSE(Exists(program / "BIN\\accounts\\0123456789abcdef0123456789abcde\\log.txt"));
    EXPECT_TRUE(Exists(shortName));
    EXPECT_TRUE(Exists(accountIndex));
    EXPECT_TRUE(Exists(memoIni));
    EXPECT_FALSE(Exists(program / "BIN\\MEMODATA\\memo.tmp"));
    EXPECT_TRUE(IsFolder(local + "\\Temp"));
    EXPECT_FALSE(Exists(local + "\\Temp\\t.txt"));
    EXPECT_TRUE(IsFolder(local + "\\user\\ChatData"));
    EXPECT_FALSE(Exists(local + "\\user\\ChatData\\c.txt"));
    EXPECT_TRUE(Exists(localConfig));
    EXPECT_FALSE(KeyExists(kUser, kNateOnSettings));
    EXPECT_TRUE(KeyExists(kUser, kNateOnConfiguration));
}

TEST(NateOnDataFolders, CleansAMaildataFolderWithAllItsSubfolders) {
    TempFolder folder;
    folder.MakeFile("BIN\\maildata\\sub\\chatdata\\c.txt");
    folder.MakeFile("BIN\\maildata\\m.txt");

    CHistoryCleaner().CleanNateOnDataFolders(folder / "BIN");

    EXPECT_TRUE(IsFolder(folder / "BIN\\maildata"));
    EXPECT_FALSE(Exists(folder / "BIN\\maildata\\m.txt"));
    EXPECT_FALSE(Exists(folder / "BIN\\maildata\\sub")) << "a data folder inside maildata is not kept as one";
}

TEST(NateOnDataFolders, FindsAndCleansDataFoldersBelowNamesOutsideTheCodePage) {
    TempFolder folder;
    std::wstring chat =
        WidePaths::Join(folder.Path(), std::wstring(L"BIN\\") + WidePaths::kAccentedFolder + L"\\chatdata");
    ASSERT_TRUE(WidePaths::MakeFile(chat + L"\\" + WidePaths::kChineseLink));
    ASSERT_TRUE(WidePaths::MakeFile(chat + L"\\plain.txt"));

    CHistoryCleaner().CleanNateOnDataFolders(folder / "BIN");

    EXPECT_TRUE(WidePaths::Exists(chat));
    EXPECT_FALSE(WidePaths::Exists(chat + L"\\" + WidePaths::kChineseLink));
    EXPECT_FALSE(WidePaths::Exists(chat + L"\\plain.txt"));
}

TEST(NateOnDataFolders, NeverEntersALinkNorCleansDataFoldersBehindOne) {
    TempFolder folder;
    TempFolder outside;
    CString outsideChat = outside.MakeFile("target\\chatdata\\c.txt", "outside");
    CString outsideAccount = outside.MakeFile("target\\0123456789abcdef0123456789abcdef\\a.txt", "outside");
    CString outsideMail = outside.MakeFile("mail\\m.txt", "outside");
    folder.MakeFile("BIN\\chatdata\\own.txt");
    ASSERT_TRUE(HostTools::MakeSymlink(folder / "BIN\\link", outside / "target"));
    ASSERT_TRUE(HostTools::MakeSymlink(folder / "BIN\\chatdata\\link", outside / "mail"));
    ASSERT_TRUE(HostTools::MakeSymlink(folder / "BIN\\maildata", outside / "mail"));
    ASSERT_TRUE(HostTools::MakeSymlink(folder / "linked BIN", outside / "target"));

    CHistoryCleaner engine;
    engine.CleanNateOnDataFolders(folder / "BIN");
    engine.CleanNateOnDataFolders(folder / "linked BIN");

    EXPECT_FALSE(Exists(folder / "BIN\\chatdata\\own.txt"));
    EXPECT_TRUE(FileProbe::IsLink(folder / "BIN\\link"));
    EXPECT_TRUE(FileProbe::IsLink(folder / "BIN\\chatdata\\link"));
    EXPECT_TRUE(FileProbe::IsLink(folder / "BIN\\maildata"));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideChat));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideAccount));
    EXPECT_EQ("outside", FileProbe::ReadBytes(outsideMail));
}

TEST(BuddyBuddyTraces, RemovesTheLogonSectionAndLidAndCleansUserAndMessageFolders) {
    TempFolder root;
    ProgramTraceProfile profile;
    CString ini = profile.MakeFile(SandboxFolder(CSIDL_WINDOWS) + "\\buddybuddy.ini",
                                   "[LOGON]\r\nID=me\r\nPW=secret\r\n[ROOT]\r\nPATH=" + root.Path() +
                                       "\\\r\n[OPTION]\r\nSound=1\r\n");
    profile.SetText(HKEY_LOCAL_MACHINE, kBuddyKey, "LID", "me");
    profile.SetText(HKEY_LOCAL_MACHINE, kBuddyKey, "Version", "5");
    root.MakeFile("Users\\me\\log.txt");
    root.MakeFile("Users\\list.dat");
    root.MakeFile("MSG\\m.txt");
    CString msgIni = root.MakeFile("MSG\\desktop.ini");
    CString data = root.MakeFile("Data\\d.txt");

    RunItem(25);

    char section[256];
    EXPECT_EQ(0u, GetPrivateProfileSectionA("LOGON", section, sizeof section, ini));
    EXPECT_EQ(1, GetPrivateProfileIntA("OPTION", "Sound", 0, ini));
    GetPrivateProfileStringA("ROOT", "PATH", "", section, sizeof section, ini);
    EXPECT_STREQ(root.Path() + "\\", section);
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kBuddyKey, "LID"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kBuddyKey, "Version"));
    EXPECT_TRUE(IsFolder(root / "Users"));
    EXPECT_FALSE(Exists(root / "Users\\me"));
    EXPECT_FALSE(Exists(root / "Users\\list.dat"));
    EXPECT_FALSE(Exists(root / "MSG\\m.txt"));
    EXPECT_TRUE(Exists(msgIni));
    EXPECT_TRUE(Exists(data));
}

TEST(BuddyBuddyTraces, JoinsARootPathWrittenWithoutTrailingBackslash) {
    TempFolder root;
    ProgramTraceProfile profile;
    profile.MakeFile(SandboxFolder(CSIDL_WINDOWS) + "\\buddybuddy.ini", "[ROOT]\r\nPATH=" + root.Path() + "\\bb\r\n");
    root.MakeFile("bb\\MSG\\m.txt");
    CString glued = root.MakeFile("bbMSG\\m.txt");

    RunItem(25);

    EXPECT_FALSE(Exists(root / "bb\\MSG\\m.txt"));
    EXPECT_TRUE(Exists(glued));
}

TEST(BuddyBuddyTraces, WithoutAFullRootPathStopsAfterTheIniAndTheRegistry) {
    TempFolder current;
    CString users = current.MakeFile("Users\\u.txt");
    CString messages = current.MakeFile("MSG\\m.txt");
    CString nested = current.MakeFile("rel\\MSG\\m.txt");
    ScopedCurrentFolder inside(current.Path());
    ProgramTraceProfile profile;
    CString ini = SandboxFolder(CSIDL_WINDOWS) + "\\buddybuddy.ini";

    for (CString path : {CString(), CString("rel\\"), CString("\\"), "\\\\?\\" + current.Path() + "\\"}) {
        profile.MakeFile(ini, "[LOGON]\r\nID=me\r\n[ROOT]\r\nPATH=" + path + "\r\n");
        profile.SetText(HKEY_LOCAL_MACHINE, kBuddyKey, "LID", "me");

        RunItem(25);

        char section[256];
        EXPECT_EQ(0u, GetPrivateProfileSectionA("LOGON", section, sizeof section, ini)) << path.GetString();
        EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kBuddyKey, "LID")) << path.GetString();
        EXPECT_TRUE(Exists(users) && Exists(messages) && Exists(nested)) << path.GetString();
    }
}

TEST(BuddyBuddyTraces, WithoutItsIniFileCreatesNoneAndStillDeletesLid) {
    CString ini = SandboxFolder(CSIDL_WINDOWS) + "\\buddybuddy.ini";
    ASSERT_FALSE(Exists(ini));
    ProgramTraceProfile profile;
    profile.SetText(HKEY_LOCAL_MACHINE, kBuddyKey, "LID", "me");

    RunItem(25);

    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, kBuddyKey, "LID"));
    EXPECT_FALSE(Exists(ini));
}
