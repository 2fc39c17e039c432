#include <gtest/gtest.h>

#include <windows.h>

#include "UtilityLib.h"

namespace {

// A plain popup window of this thread. Wine without a display creates no windows at all.
class PopupWindow {
public:
    explicit PopupWindow(DWORD extendedStyle)
        : m_window(CreateWindowExA(extendedStyle, "STATIC", "front", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~PopupWindow() {
        if (m_window)
            DestroyWindow(m_window);
    }
    operator HWND() const { return m_window; }
    bool IsTopmost() const { return (GetWindowLongA(m_window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

private:
    HWND m_window;
};

// True when upper comes before lower in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == lower)
            return true;
    return false;
}

}  // namespace

TEST(MSGSetForegroundWindow, KeepsATopmostWindowTopmost) {
    PopupWindow window(WS_EX_TOPMOST);
    if (!window)
        GTEST_SKIP() << "no windows without a display";
    ASSERT_TRUE(window.IsTopmost());

    CUtilityLib::MSGSetForegroundWindow(window);

    EXPECT_TRUE(window.IsTopmost());
}

TEST(MSGSetForegroundWindow, RaisesAnOrdinaryWindowAboveOthersWithoutMakingItTopmost) {
    PopupWindow window(0);
    PopupWindow later(0);
    if (!window || !later)
        GTEST_SKIP() << "no windows without a display";
    ASSERT_TRUE(IsAbove(later, window));

    CUtilityLib::MSGSetForegroundWindow(window);

    EXPECT_TRUE(IsAbove(window, later));
    EXPECT_FALSE(window.IsTopmost());
}
