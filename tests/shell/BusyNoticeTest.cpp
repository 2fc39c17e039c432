#include <gtest/gtest.h>

#include <string>

#include "ShellState.h"
#include "WindowShot.h"
#include "busy/BusyNotice.h"
#include "busy/BusyNoticeIds.h"

namespace {

// Dark text pixels of the window's area as the screen shows it now.
int DarkPixelsOnScreen(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    int dark = 0;
    const auto* pixels = static_cast<const BYTE*>(bits);
    for (int i = 0; i < width * height; ++i)
        if (pixels[i * 4] < 90 && pixels[i * 4 + 1] < 90 && pixels[i * 4 + 2] < 90)
            ++dark;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return dark;
}

std::string WindowText(HWND window) {
    char text[256] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

CPoint Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

class PlainParent : public CWnd {
public:
    PlainParent() {
        CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(200, 150, 800, 550), nullptr, 0);
        UpdateWindow();
    }
};

TEST(BusyNotice, IsPaintedOverItsParentWhenShowReturnsAndGoneAfterClose) {
    const HICON appIcon = LoadIconA(nullptr, IDI_APPLICATION);
    ShellState::SetAppIcon(appIcon);
    PlainParent parent;
    CBusyNotice notice;
    ASSERT_TRUE(notice.Show(&parent));
    const HWND window = notice.m_hWnd;
    // No message has been dispatched since Show: what the screen holds was painted by it.
    const int darkPixels = DarkPixelsOnScreen(GetDlgItem(window, IDC_BUSY_TEXT));
    EXPECT_GT(darkPixels, 40);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ("청소 실행", WindowText(window));
    EXPECT_EQ("<b>청소 중</b> 입니다. 잠시만 기다려 주시기 바랍니다.", WindowText(GetDlgItem(window, IDC_BUSY_TEXT)));
    const CPoint noticeCentre = Centre(window);
    EXPECT_NEAR(500, noticeCentre.x, 1);
    EXPECT_NEAR(350, noticeCentre.y, 1);
    EXPECT_EQ(parent.m_hWnd, GetWindow(window, GW_OWNER));
    EXPECT_EQ(appIcon, reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
    WindowShot::Save(window, "busy-notice");

    notice.Close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, notice.m_hWnd);
    ShellState::SetAppIcon(nullptr);
}

}  // namespace
