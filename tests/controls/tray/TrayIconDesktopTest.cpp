#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "ControlHost.h"
#include "MessagePump.h"
#include "PLTrayIconWnd.h"
#include "WindowShot.h"

namespace {

// Only an icon the notification area holds can be changed.
bool ShellHoldsIcon(HWND tray) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V3_SIZE;
    data.hWnd = tray;
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray));
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// Pixels of the shield's green (green well above red) on the taskbar as the screen shows it.
int ShieldPixelsOnTaskbar(HWND taskbar) {
    RECT rect;
    GetWindowRect(taskbar, &rect);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = GetPixel(screen, x, y);
            count += GetGValue(pixel) > GetRValue(pixel) + 50 && GetGValue(pixel) > GetBValue(pixel) + 10;
        }
    ReleaseDC(nullptr, screen);
    return count;
}

}  // namespace

// Run by scripts/desktop-shots.sh (the TrayIconShot test), which sets VANTREL_DESKTOP: only
// explorer's virtual desktop has a notification area under Wine.
TEST(TrayIconDesktop, ShownIconIsInTheNotificationAreaUntilHidden) {
    if (!getenv("VANTREL_DESKTOP"))
        GTEST_SKIP() << "needs the notification area of a Wine virtual desktop";
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_TRUE(taskbar != nullptr);
    ControlHost host;
    CPLTrayIconWnd tray;
    ASSERT_TRUE(tray.Create(WS_CHILD, CRect(), &host, static_cast<UINT>(-1)));
    ASSERT_EQ(0, tray.LoadIconA("TrayIcon.Ico"));
    ASSERT_TRUE(tray.GetIcon(0) != nullptr);
    EXPECT_EQ(0, ShieldPixelsOnTaskbar(taskbar));

    ASSERT_TRUE(tray.ShowIcon(0, "Vantrel v1.0"));
    EXPECT_TRUE(ShellHoldsIcon(tray.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return ShieldPixelsOnTaskbar(taskbar) > 30; }, 5000));
    EXPECT_FALSE(WindowShot::Save(taskbar, "tray-icon-taskbar").empty());

    tray.HideIcon();
    EXPECT_FALSE(ShellHoldsIcon(tray.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return ShieldPixelsOnTaskbar(taskbar) == 0; }, 5000));
}
