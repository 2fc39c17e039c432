#include <gtest/gtest.h>

#include "ControlHost.h"
#include "LinkMainWindow.h"
#include "NotifyIconRecorder.h"
#include "PLTrayIconWnd.h"

namespace {

// The program's tray icon, copied into the test program's Image folder by the build.
const char kShippedIcon[] = "TrayIcon.Ico";

class TrayIconWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(recorder.IsActive());
        ASSERT_TRUE(tray.Create(WS_CHILD, CRect(), &host, static_cast<UINT>(-1)));
    }

    UINT TrayId() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray.m_hWnd)); }
    bool TakePostedToParent(MSG& posted) {
        return PeekMessageA(&posted, host.m_hWnd, CPLTrayIconWnd::kNotifyMessage, CPLTrayIconWnd::kNotifyMessage,
                            PM_REMOVE) != FALSE;
    }

    NotifyIconRecorder recorder;
    LinkMainWindow main;
    ControlHost host;
    CPLTrayIconWnd tray;
};

}  // namespace

TEST_F(TrayIconWndTest, PressesAndDoubleClicksGoToTheParentAndTheMainWindow) {
    tray.SetTrayMessageRERU("reru://tray");
    for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}) {
        SCOPED_TRACE(mouse);
        tray.SendMessage(0x8114, TrayId(), mouse);

        MSG posted = {};
        ASSERT_TRUE(TakePostedToParent(posted));
        EXPECT_EQ(mouse, posted.wParam);
        EXPECT_EQ(reinterpret_cast<LPARAM>(tray.m_hWnd), posted.lParam);
        EXPECT_FALSE(TakePostedToParent(posted));

        ASSERT_TRUE(main.TakePosted(0x7F0E, posted));
        EXPECT_EQ(mouse, posted.wParam);
        char* copy = reinterpret_cast<char*>(posted.lParam);
        EXPECT_STREQ("reru://tray", copy);
        EXPECT_TRUE(LocalFree(copy) == nullptr);
        EXPECT_FALSE(main.TakePosted(0x7F0E, posted));
    }
}

TEST_F(TrayIconWndTest, OtherMouseMessagesPostNothing) {
    for (UINT mouse : {WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_MBUTTONUP, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE}) {
        SCOPED_TRACE(mouse);
        tray.SendMessage(0x8114, TrayId(), mouse);
        MSG posted = {};
        EXPECT_FALSE(TakePostedToParent(posted));
        EXPECT_FALSE(main.TakePosted(0x7F0E, posted));
    }
}

TEST_F(TrayIconWndTest, FirstShowAddsTheIconWithTheXPLayoutAndLaterShowsChangeIt) {
    ASSERT_EQ(0, tray.LoadIconA(kShippedIcon));
    ASSERT_EQ(1, tray.LoadIconA(kShippedIcon));
    EXPECT_TRUE(tray.ShowIcon(0, "Vantrel v1.0"));
    EXPECT_TRUE(tray.ShowIcon(1, nullptr));

    ASSERT_EQ(2u, recorder.calls.size());
    const NotifyIconRecorder::Call& add = recorder.calls[0];
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), add.action);
    EXPECT_EQ(sizeof(void*) == 8 ? 520u : 504u, add.size);
    EXPECT_EQ(tray.m_hWnd, add.window);
    EXPECT_EQ(TrayId(), add.id);
    EXPECT_EQ(0x8114u, add.callbackMessage);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), add.flags);
    EXPECT_EQ(tray.GetIcon(0), add.icon);
    EXPECT_EQ("Vantrel v1.0", add.tip);

    const NotifyIconRecorder::Call& change = recorder.calls[1];
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), change.action);
    EXPECT_EQ(TrayId(), change.id);
    EXPECT_EQ(tray.GetIcon(1), change.icon);
    EXPECT_NE(tray.GetIcon(0), change.icon);
    EXPECT_EQ("Vantrel v1.0", change.tip);
    EXPECT_TRUE(tray.IsVisible());
}

TEST_F(TrayIconWndTest, HideIconTwiceRemovesTheIconOnce) {
    tray.LoadIconA(kShippedIcon);
    tray.ShowIcon(0, "tip");
    tray.HideIcon();
    tray.HideIcon();

    EXPECT_EQ(1, recorder.Count(NIM_ADD));
    ASSERT_EQ(1, recorder.Count(NIM_DELETE));
    EXPECT_EQ(TrayId(), recorder.calls.back().id);
    EXPECT_FALSE(tray.IsVisible());
}

TEST_F(TrayIconWndTest, AnIconTheShellRefusedIsNotRemovedLater) {
    recorder.answer = FALSE;
    tray.LoadIconA(kShippedIcon);
    EXPECT_FALSE(tray.ShowIcon(0, "tip"));
    EXPECT_FALSE(tray.IsVisible());
    tray.HideIcon();
    EXPECT_EQ(0, recorder.Count(NIM_DELETE));
}

TEST_F(TrayIconWndTest, TheTimerShowsTheFramesInTurnAndWrapsAround) {
    tray.LoadIconA(kShippedIcon);
    tray.LoadIconA(kShippedIcon);
    CArray<int, int> frames;
    frames.Add(1);
    frames.Add(0);
    tray.SetAnimate(frames, 100000);
    EXPECT_TRUE(recorder.calls.empty());

    tray.StartAnimate();
    for (int tick = 0; tick < 3; ++tick)
        tray.SendMessage(WM_TIMER, 100);

    ASSERT_EQ(4u, recorder.calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), recorder.calls[0].action);
    const HICON shown[] = {recorder.calls[0].icon, recorder.calls[1].icon, recorder.calls[2].icon,
                           recorder.calls[3].icon};
    const HICON expected[] = {tray.GetIcon(1), tray.GetIcon(0), tray.GetIcon(1), tray.GetIcon(0)};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], shown[i]) << "call " << i;
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), recorder.calls[3].action);
    EXPECT_TRUE(tray.IsAnimated());
}

TEST_F(TrayIconWndTest, ShowIconWhileAnimatingStopsTheAnimationAndShowsTheGivenIcon) {
    tray.LoadIconA(kShippedIcon);
    tray.LoadIconA(kShippedIcon);
    CArray<int, int> frames;
    frames.Add(0);
    frames.Add(1);
    tray.SetAnimate(frames, 100000);
    tray.StartAnimate();
    ASSERT_TRUE(tray.IsAnimated());

    tray.ShowIcon(1, nullptr);

    EXPECT_FALSE(tray.IsAnimated());
    EXPECT_EQ(tray.GetIcon(1), recorder.calls.back().icon);
    // The animation's timer is gone: killing it again fails.
    EXPECT_FALSE(KillTimer(tray.m_hWnd, 100));
}

TEST_F(TrayIconWndTest, LoadingAMissingFileAppendsANullIcon) {
    EXPECT_EQ(0, tray.LoadIconA("no-such-icon.ico"));
    EXPECT_EQ(1, tray.LoadIconA(kShippedIcon));
    EXPECT_EQ(2, tray.GetIconCount());
    EXPECT_TRUE(tray.GetIcon(0) == nullptr);

    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(tray.GetIcon(1), &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(16, colour.bmWidth);
    EXPECT_EQ(16, colour.bmHeight);
}

TEST_F(TrayIconWndTest, TrayTextChangesTheTipOfAShownIconInWholeCharacters) {
    tray.SetTrayText("early");
    EXPECT_TRUE(recorder.calls.empty());
    tray.LoadIconA(kShippedIcon);
    tray.ShowIcon(0, nullptr);
    EXPECT_EQ("early", recorder.calls.back().tip);

    // 64 Hangul syllables are 128 bytes: the field keeps 63 of them, never half of one.
    CString korean;
    for (int i = 0; i < 64; ++i)
        korean += "정";
    tray.SetTrayText(korean);

    const NotifyIconRecorder::Call& change = recorder.calls.back();
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), change.action);
    EXPECT_EQ(static_cast<UINT>(NIF_TIP), change.flags);
    EXPECT_EQ(std::string(korean.Left(126)), change.tip);
}

TEST_F(TrayIconWndTest, DestroyingTheWindowRemovesTheIconAndFreesTheIcons) {
    tray.LoadIconA(kShippedIcon);
    tray.ShowIcon(0, "tip");
    const UINT id = TrayId();
    tray.DestroyWindow();

    ASSERT_EQ(1, recorder.Count(NIM_DELETE));
    EXPECT_EQ(id, recorder.calls.back().id);
    EXPECT_FALSE(tray.IsVisible());
    EXPECT_EQ(0, tray.GetIconCount());
}
