#include <gtest/gtest.h>

#include "browser/BrowserInput.h"

TEST(BrowserInput, SwallowsRightClicksAndTheNewFindAndPrintKeysOnly) {
    struct Case {
        UINT message;
        WPARAM wParam;
        bool controlDown;
        bool swallowed;
    } cases[] = {
        {WM_RBUTTONDOWN, MK_RBUTTON, false, true},
        {WM_RBUTTONUP, 0, false, true},
        {WM_RBUTTONDBLCLK, MK_RBUTTON, false, true},
        {WM_CONTEXTMENU, 0, false, true},
        {WM_KEYDOWN, 'N', true, true},
        {WM_KEYDOWN, 'F', true, true},
        {WM_KEYDOWN, 'P', true, true},
        {WM_KEYUP, 'P', true, true},
        {WM_KEYDOWN, 'N', false, false},
        {WM_KEYDOWN, 'F', false, false},
        {WM_KEYDOWN, 'A', true, false},
        {WM_KEYDOWN, 'C', true, false},
        {WM_KEYDOWN, VK_TAB, true, false},
        {WM_CHAR, 'n', true, false},
        {WM_LBUTTONDOWN, MK_LBUTTON, false, false},
        {WM_LBUTTONUP, 0, true, false},
        {WM_MOUSEMOVE, 0, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.swallowed, IsSwallowedBrowserInput(c.message, c.wParam, c.controlDown))
            << "message " << std::hex << c.message << " key " << c.wParam << " control " << c.controlDown;
}

TEST(BrowserInput, QueuedMessageIsJudgedWithTheThreadsControlKeyState) {
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    BYTE state[256];
    memcpy(state, saved, sizeof state);
    MSG key = {};
    key.message = WM_KEYDOWN;
    key.wParam = 'N';

    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    const bool withControl = IsSwallowedBrowserMessage(key);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    const bool withoutControl = IsSwallowedBrowserMessage(key);
    SetKeyboardState(saved);

    EXPECT_TRUE(withControl);
    EXPECT_FALSE(withoutControl);
}
