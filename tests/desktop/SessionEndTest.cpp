#include <future>

#include "DesktopFixture.h"
#include "SeedManifest.h"

using namespace VantrelDesktop;

namespace {

CString TracesFolder() { return UserTemp() + "\\vantrel-session-end"; }

// Windows' question whether the session may end, sent as Windows sends it, from another thread
// so that the test can watch the run it starts.
std::future<LRESULT> AskToEndTheSession(HWND main) {
    return std::async(std::launch::async, [main] {
        DWORD_PTR answer = 99;
        if (!SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 120000, &answer))
            return static_cast<LRESULT>(-1);
        SendMessageTimeoutA(main, WM_ENDSESSION, answer, 0, SMTO_NORMAL, 10000, nullptr);
        return static_cast<LRESULT>(answer);
    });
}

}  // namespace

TEST_F(DesktopTest, TheEndOfTheSessionCleansTheCheckedItemsBeforeItAnswers) {
    MakeTraceFiles(TracesFolder(), 5, 100);
    CheckOnly({6});
    HWND main = StartShown();
    ASSERT_TRUE(main);

    std::future<LRESULT> answer = AskToEndTheSession(main);
    EXPECT_TRUE(program.WaitForDialog("청소 실행하기...", 20000)) << "the progress window of the logout run";
    ASSERT_EQ(std::future_status::ready, answer.wait_for(std::chrono::seconds(120)));
    EXPECT_EQ(1, answer.get());
    EXPECT_EQ(0, CountFiles(TracesFolder()));
    EXPECT_EQ(0, ReadSetting("Logout", "LastRegistryProcessed", -1)) << "written also when nothing was found";
    EXPECT_FALSE(program.WaitForExit(500)) << "the program waits for Windows to end it";
}

TEST_F(DesktopTest, ASilentLogoutRunShowsNoWindowYetCleans) {
    MakeTraceFiles(TracesFolder(), 20, 100);
    CheckOnly({6});
    WriteSetting("Option", "SilentCleanAtShutdown", 1);
    HWND main = StartShown();
    ASSERT_TRUE(main);

    std::future<LRESULT> answer = AskToEndTheSession(main);
    bool progressShown = false;
    while (answer.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        progressShown = progressShown || program.FindDialog("청소 실행하기...") != nullptr;
    EXPECT_EQ(1, answer.get());
    EXPECT_FALSE(progressShown);
    EXPECT_EQ(0, CountFiles(TracesFolder()));
    EXPECT_EQ(0, ReadSetting("Logout", "LastRegistryProcessed", -1));
}

TEST_F(DesktopTest, WithoutCleaningAtLogoutTheSessionEndsAtOnceAndNothingIsWritten) {
    MakeTraceFiles(TracesFolder(), 1, 100);
    CheckOnly({6});
    WriteSetting("Option", "CleanupAtLogout", 0);
    HWND main = StartShown();
    ASSERT_TRUE(main);

    std::future<LRESULT> answer = AskToEndTheSession(main);
    ASSERT_EQ(std::future_status::ready, answer.wait_for(std::chrono::seconds(10)));
    EXPECT_EQ(1, answer.get());
    EXPECT_FALSE(program.FindDialog("청소 실행하기..."));
    EXPECT_EQ(100, CountFiles(TracesFolder()));
    EXPECT_EQ(-1, ReadSetting("Logout", "LastRegistryProcessed", -1));
}

TEST_F(DesktopTest, ADialogOfAnotherProgramIsHiddenWhileTheLogoutRunGoesOn) {
    MakeTraceFiles(TracesFolder(), 120, 100);
    CheckOnly({6});
    HWND main = StartShown();
    ASSERT_TRUE(main);

    std::future<LRESULT> answer = AskToEndTheSession(main);
    ASSERT_TRUE(program.WaitForDialog("청소 실행하기...", 20000));
    // This test program is the other program: its message box comes up during the run.
    std::thread box([] { MessageBoxA(nullptr, "다른 프로그램의 질문", "다른 프로그램", MB_OK); });
    HWND other = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (other = FindWindowA("#32770", "다른 프로그램")) != nullptr; }, 5000, 5));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(other); }, 1000, 5)) << "hidden within the hider's period";
    PostMessageA(other, WM_COMMAND, IDOK, 0);
    box.join();
    EXPECT_EQ(1, answer.get());
}

TEST_F(DesktopTest, ThePowerOffBoxTickedInALogoutRunRefusesTheEndAndPowersOffOnce) {
    MakeTraceFiles(TracesFolder(), 40, 100);
    CheckOnly({6});
    HWND main = StartShown();
    ASSERT_TRUE(main);

    std::future<LRESULT> answer = AskToEndTheSession(main);
    HWND progress = program.WaitForDialog("청소 실행하기...", 20000);
    ASSERT_TRUE(progress);
    Click(progress, 1035);
    EXPECT_EQ(0, answer.get()) << "this end of the session is refused";
    EXPECT_TRUE(EndsWithCodeZero(10000)) << "the program closes itself 500 ms later";
    EXPECT_STREQ("ComputerOff(1)\r\n", ReadRecord("ComputerOff.txt"));
}
