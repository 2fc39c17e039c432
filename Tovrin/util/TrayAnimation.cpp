#include "GdiTypes.h"
#include "UtilityLib.h"

namespace {

// The notification area, or the corner where it would be.
CRect TrayRect() {
    CRect rect;
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (taskbar) {
        HWND tray = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr);
        if (tray && GetWindowRect(tray, rect))
            return rect;
        if (GetWindowRect(taskbar, rect))
            return CRect(rect.right - 20, rect.bottom - 20, rect.right, rect.bottom);
    }
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    return CRect(width - 40, height - 20, width, height);
}

}  // namespace

void CUtilityLib::AniMinimizeToTray(HWND window) {
    CRect from;
    GetWindowRect(window, from);
    CRect to = TrayRect();
    DrawAnimatedRects(window, IDANI_CAPTION, from, to);
}

void CUtilityLib::AniMaximiseFromTray(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    CRect from = TrayRect();
    CRect to(placement.rcNormalPosition);
    DrawAnimatedRects(window, IDANI_CAPTION, from, to);
}
