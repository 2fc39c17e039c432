#include <windows.h>
#include <shellapi.h>

#include "DesktopFixture.h"

using namespace VantrelDesktop;

namespace {

struct TabLook {
    int button;
    const char* caption;
    int list;
    int lines;
    const char* shot;
};
const TabLook kTabs[] = {
    {1022, "인터넷 기록", 1025, 11, "main-window-internet"},
    {1024, "윈도우 기록", 1005, 11, "main-window-windows"},
    {1023, "프로그램 기록", 1004, 12, "main-window-program"},
    {1028, "레지스트리 정리", 1006, 10, "main-window-registry"},
};

// The unchecked lines of the four lists as "list:line".
std::vector<std::string> UncheckedLines(HWND main) {
    std::vector<std::string> unchecked;
    for (const TabLook& tab : kTabs) {
        RemoteList list(GetDlgItem(main, tab.list));
        for (int line = 0; line < list.Count(); ++line)
            if (!list.Checked(line))
                unchecked.push_back(std::to_string(tab.list) + ":" + std::to_string(line));
    }
    return unchecked;
}

NOTIFYICONDATAA IconOf(HWND tray) {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V3_SIZE;
    icon.hWnd = tray;
    icon.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray));
    return icon;
}

// Changing nothing succeeds only for an icon that the notification area holds.
bool TrayHoldsIcon(HWND tray) {
    NOTIFYICONDATAA icon = IconOf(tray);
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

}  // namespace

TEST_F(DesktopTest, StartShowsFourTabsOfHangulLinesWithTheChecksOfSettings) {
    WriteSetting("Setting", "RemoveIECookies", 0);
    WriteSetting("Setting", "RegistryCheckMUICache", 1);
    HWND main = StartShown();
    ASSERT_TRUE(main);

    EXPECT_STREQ("Vantrel - v1.0.0", TextOf(main));
    for (const TabLook& tab : kTabs) {
        EXPECT_STREQ(tab.caption, DialogText(main, tab.button));
        HWND list = ShowTab(main, tab.button, tab.list);
        EXPECT_TRUE(IsWindowVisible(list)) << tab.caption;
        EXPECT_EQ(tab.lines, RemoteList(list).Count()) << tab.caption;
        WindowShot::Save(main, tab.shot);
    }
    RemoteList internet(GetDlgItem(main, 1025));
    EXPECT_STREQ("인터넷 <C=0000FF><B>캐시</B></C>(임시 파일) 삭제 <C=888888>", internet.Text(0, 0));
    EXPECT_STREQ("\nBTN=지금 실행", internet.Text(0, 2));
    RemoteList windows(GetDlgItem(main, 1005));
    EXPECT_STREQ("윈도우 <C=0000FF><B>임시폴더</B></C> 삭제", windows.Text(0, 0));

    // Lines 2 (cookies) of Internet, 8-11 (messengers, remote desktop) of program, 4 and 10
    // (run history, tray) and 9 (USB) of Windows, 4 (setup path) of registry.
    EXPECT_EQ((std::vector<std::string>{"1025:2", "1005:4", "1005:9", "1005:10", "1004:8", "1004:9", "1004:10",
                                        "1004:11", "1006:4"}),
              UncheckedLines(main));
}

TEST_F(DesktopTest, ASecondStartBringsTheFirstWindowForwardAndEndsWithoutOne) {
    HWND main = StartShown();
    ASSERT_TRUE(main);
    Click(main, 1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));

    Program second;
    ASSERT_TRUE(second.Start());
    bool secondShowedAWindow = false;
    DWORD exitCode = 99;
    EXPECT_TRUE(WaitUntil(
        [&] {
            secondShowedAWindow = secondShowedAWindow || second.FindDialog("") != nullptr;
            return second.WaitForExit(0, &exitCode);
        },
        20000));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(secondShowedAWindow);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
}

TEST_F(DesktopTest, QuickAndFullModeAskFirstAndLeaveSevenAndFiveLinesUnchecked) {
    HWND main = StartShown();
    ASSERT_TRUE(main);

    Click(main, 1003);
    HWND question = program.WaitForDialog("알림");
    ASSERT_TRUE(question);
    WindowShot::Save(question, "quick-mode-question");
    EXPECT_EQ(0, MessageText(question).Find("빠른 실행 모드는 반복해서"));
    Click(question, IDOK);
    ASSERT_TRUE(program.WaitForNoDialog("알림", 5000));
    EXPECT_TRUE(WaitUntil([&] { return UncheckedLines(main).size() == 7; }, 3000));
    EXPECT_EQ((std::vector<std::string>{"1005:9", "1004:8", "1004:9", "1004:10", "1004:11", "1006:0", "1006:4"}),
              UncheckedLines(main));

    Click(main, 1007);
    EXPECT_EQ(0, Answer("알림", IDCANCEL).Find("임시 기록이 아닌 대상은"));
    EXPECT_EQ(7u, UncheckedLines(main).size()) << "a cancelled question changes nothing";
    Click(main, 1007);
    Answer("알림", IDOK);
    EXPECT_TRUE(WaitUntil([&] { return UncheckedLines(main).size() == 5; }, 3000));
    EXPECT_EQ((std::vector<std::string>{"1005:9", "1004:8", "1004:9", "1004:10", "1004:11"}), UncheckedLines(main));
}

TEST_F(DesktopTest, UncheckingACleaningUnchecksItsIndexResetAndNothingElse) {
    HWND main = StartShown();
    ASSERT_TRUE(main);
    HWND list = ShowTab(main, 1022, 1025);
    RemoteList internet(list);
    ClickCheckBox(list, 0);  // cache: its index reset (line 1) goes with it
    ASSERT_TRUE(WaitUntil([&] { return !internet.Checked(0); }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return !internet.Checked(1); }, 3000));
    EXPECT_TRUE(internet.Checked(2));
    ClickCheckBox(list, 3);  // cookies' index reset alone: the cookies stay
    ASSERT_TRUE(WaitUntil([&] { return !internet.Checked(3); }, 3000));
    EXPECT_TRUE(internet.Checked(2));
    ClickCheckBox(list, 0);
    ASSERT_TRUE(WaitUntil([&] { return internet.Checked(0); }, 3000));
    EXPECT_FALSE(internet.Checked(1)) << "checking the cleaning again leaves the reset to the user";
}

TEST_F(DesktopTest, HiddenToTheTrayAndBackFromAClickOnTheIconWhichSurvivesATaskbarRestart) {
    HWND main = StartShown();
    ASSERT_TRUE(main);
    HWND tray = FindWindowExA(main, nullptr, "TovrinTrayIconWindow", nullptr);
    ASSERT_TRUE(tray);
    EXPECT_TRUE(TrayHoldsIcon(tray));

    Click(main, 1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
    EXPECT_TRUE(TrayHoldsIcon(tray));
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
        WindowShot::Save(taskbar, "taskbar-tray-icon");

    // What the notification area sends the icon's window for a click.
    PostMessageA(tray, 0x8114, IconOf(tray).uID, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));

    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    Sleep(500);
    EXPECT_TRUE(TrayHoldsIcon(tray));
    NOTIFYICONDATAA again = IconOf(tray);
    again.uFlags = NIF_TIP;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &again)) << "the icon is there once, not added a second time";
}

TEST_F(DesktopTest, TheCloseBoxHidesAndEscapeAsksBeforeEnding) {
    HWND main = StartShown();
    ASSERT_TRUE(main);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
    EXPECT_FALSE(program.WaitForExit(500));

    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, 0x7F11, 0, 0, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(0x8080u, answer);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
    Click(main, 32771);
    HWND about = program.WaitForDialog("[");
    ASSERT_TRUE(about) << "the about box of the Help menu";
    EXPECT_NE(-1, TextOf(about).Find("에 대하여"));
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForNoDialog("[", 5000));
    Click(main, 2);
    EXPECT_EQ(0, Answer("종료", IDNO).Find("프로그램을 종료하겠습니까 ?"));
    EXPECT_FALSE(program.WaitForExit(500));
    Click(main, 2);
    Answer("종료", IDYES);
    EXPECT_TRUE(EndsWithCodeZero(10000));
    EXPECT_EQ(1, ReadSetting("Setting", "RemoveIETempFiles", -1)) << "the checks are saved at the end";
    EXPECT_EQ(0, ReadSetting("Setting", "RemoveMSNMessengerHistory", -1));
}

TEST_F(DesktopTest, AnAutoStartLaunchStaysInTheTrayUnlessItCleansThreeSecondsAfterStarting) {
    ASSERT_TRUE(program.Start("startup"));
    HWND main = program.WaitForMainWindow();
    ASSERT_TRUE(main);
    HWND tray = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (tray = FindWindowExA(main, nullptr, "TovrinTrayIconWindow", nullptr)); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return TrayHoldsIcon(tray); }, 5000));
    EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 4000)) << "only the tray icon shows";
    program.End();

    WriteSetting("Option", "CleanupAtAutoStart", 1);
    HWND shown = StartShown("startup");
    ASSERT_TRUE(shown);
    EXPECT_TRUE(program.WaitForDialog("청소 실행하기...", 10000)) << "the run of an auto-start launch";
    EXPECT_TRUE(program.WaitForNoDialog("청소 실행하기...", 60000));
}

TEST_F(DesktopTest, TheNextStartReportsWhatTheLastLogoutRunRemovedOnce) {
    WriteSetting("Logout", "LastRegistryProcessed", 3);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(0, Answer("확인", IDNO).Find("바로 전에 윈도우 종료(로그아웃)할 때 3개의 레지스트리 정보가 정리되었습니다."));
    EXPECT_EQ(-1, ReadSetting("Logout", "LastRegistryProcessed", -1));
    HWND main = program.WaitForMainWindow();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
    program.End();

    WriteSetting("Logout", "LastRegistryProcessed", 0);
    ASSERT_TRUE(StartShown());
    EXPECT_FALSE(program.FindDialog("확인"));
    EXPECT_EQ(0, ReadSetting("Logout", "LastRegistryProcessed", -1)) << "nothing to report: the key stays";
}
