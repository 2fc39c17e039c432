#include "ArgsRecord.h"
#include "DesktopFixture.h"
#include "UtilityLib.h"

using namespace VantrelDesktop;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

CString RunValue() { return CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, kRunKey, "Vantrel"); }

int BoxOf(HWND dialog, int id) { return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0)); }
void SetBox(HWND dialog, int id, int check) { SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, check, 0); }

// The stand-in launcher's record: its command line and working folder.
CString LauncherRecord(DWORD patienceMs = 5000) {
    ArgsRecord record = ArgsRecord::WaitFor(kInstallFolder, patienceMs);
    return record.found ? record.arguments + "|" + record.workingFolder : CString("(not started)");
}

// Every administrator line unchecked and AlwaysAdmin off: nothing asks for the rights at start.
void WantNoRights() {
    WriteSetting("Option", "AlwaysAdmin", 0);
    const char* keys[] = {"RegistryCheckAppPaths",     "RegistryCheckHelpFile",      "RegistryCheckFontFile",
                          "RegistryCheckUnusedProgramKey", "RegistryCheckStartProgram", "RegistryCheckProgramCommand",
                          "RemoveWindowsUpdateLogFile", "RemoveNTUninstall"};
    for (const char* key : keys)
        WriteSetting("Setting", key, 0);
}

}  // namespace

TEST_F(DesktopTest, OptionsWriteTheOptionKeysAndTheRunValueAndRemoveItAgain) {
    CUtilityLib::DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Vantrel");
    HWND main = StartShown();
    ASSERT_TRUE(main);

    Click(main, 1030);
    HWND options = program.WaitForDialog("옵션");
    ASSERT_TRUE(options);
    Sleep(300);
    WindowShot::Save(options, "options");
    EXPECT_EQ(1, BoxOf(options, 1033));
    EXPECT_EQ(0, BoxOf(options, 1031));
    EXPECT_EQ(0, BoxOf(options, 1035));
    EXPECT_EQ(1, BoxOf(options, 1050));
    EXPECT_EQ(0, BoxOf(options, 1054));
    SetBox(options, 1035, 1);
    SetBox(options, 1031, 1);
    SetBox(options, 1050, 0);
    Click(options, IDOK);
    ASSERT_TRUE(program.WaitForNoDialog("옵션", 5000));

    EXPECT_STREQ("\"C:\\vantrel-desktop\\Vantrel.exe\" startup", RunValue());
    EXPECT_EQ(1, ReadSetting("Option", "CleanupAtAutoStart", -1));
    EXPECT_EQ(0, ReadSetting("Option", "KillIE", -1));
    EXPECT_EQ(1, ReadSetting("Option", "CleanupAtLogout", -1));
    EXPECT_EQ(1, ReadSetting("Option", "AlwaysAdmin", -1));
    EXPECT_EQ(0, ReadSetting("Option", "SilentCleanAtShutdown", -1));

    Click(main, 1030);
    options = program.WaitForDialog("옵션");
    ASSERT_TRUE(options);
    EXPECT_EQ(1, BoxOf(options, 1035));
    SetBox(options, 1035, 0);
    Click(options, IDOK);
    ASSERT_TRUE(program.WaitForNoDialog("옵션", 5000));
    EXPECT_STREQ("", RunValue());
}

TEST_F(DesktopTest, WithoutRightsAlwaysAdminRestartsThroughTheLauncherPassingTheCommandLineOn) {
    ASSERT_TRUE(program.Start("startup", false));
    ASSERT_TRUE(EndsWithCodeZero(20000));
    EXPECT_STREQ("startup|C:\\vantrel-desktop", LauncherRecord());
}

TEST_F(DesktopTest, WithoutRightsTheButtonOfAnAdministratorLineAsksBeforeRestarting) {
    WantNoRights();
    HWND main = StartShown("", false);
    ASSERT_TRUE(main) << "no administrator line checked: no restart";

    HWND list = ShowTab(main, 1024, 1005);
    ClickRunButton(list, 2);  // RemoveNTUninstall
    const CString question = Answer("알림", IDNO);
    EXPECT_NE(-1, question.Find("관리자 모드로 다시 실행한 후 수행해야 합니다"));
    EXPECT_FALSE(program.WaitForExit(1000));
    EXPECT_STREQ("(not started)", LauncherRecord(500));

    ClickRunButton(list, 2);
    Answer("알림", IDYES);
    EXPECT_TRUE(EndsWithCodeZero(10000));
    EXPECT_STREQ("|C:\\vantrel-desktop", LauncherRecord());
}

TEST_F(DesktopTest, WithoutRightsCheckingAnAdministratorLineOrWantingThemInOptionsAsks) {
    WantNoRights();
    HWND main = StartShown("", false);
    ASSERT_TRUE(main);

    HWND list = ShowTab(main, 1024, 1005);
    ClickCheckBox(list, 2);
    EXPECT_NE(-1, Answer("알림", IDNO).Find("관리자 모드로 전환하지 않으면 정상적으로 수행하지 못합니다."));
    EXPECT_TRUE(RemoteList(list).Checked(2)) << "declining keeps the check";

    Click(main, 1030);
    HWND options = program.WaitForDialog("옵션");
    ASSERT_TRUE(options);
    Click(options, IDCANCEL);
    EXPECT_STREQ("지금 관리자 권한으로 전환하겠습니까 ?", Answer("알림", IDNO));
    EXPECT_FALSE(program.WaitForExit(1000));
    EXPECT_STREQ("(not started)", LauncherRecord(500));
}
