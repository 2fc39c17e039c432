#include "BrowserInput.h"

bool IsSwallowedBrowserInput(UINT message, WPARAM wParam, bool controlDown) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return controlDown && (wParam == 'N' || wParam == 'F' || wParam == 'P');
    default:
        return false;
    }
}

bool IsSwallowedBrowserMessage(const MSG& message) {
    return IsSwallowedBrowserInput(message.message, message.wParam, GetKeyState(VK_CONTROL) < 0);
}
