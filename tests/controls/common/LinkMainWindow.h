#pragma once
#include <windows.h>

#include "CString.h"
#include "HTMLLinkOpener.h"
#include "ShellExecuteRecorder.h"
#include "Wnd.h"

// A hidden top-level window (Wine waits for a mapped one to go when there is no window
// manager) installed as the application's main window for the life of the object.
// It records the open-link messages it is sent and answers them with `answer`.
class LinkMainWindow {
public:
    LinkMainWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VantrelLinkMainWindow";
        RegisterClassA(&windowClass);
        s_current = this;
        wnd.Attach(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 320, 200, nullptr,
                                   nullptr, windowClass.hInstance, nullptr));
        AfxSetMainWnd(&wnd);
    }
    ~LinkMainWindow() {
        AfxSetMainWnd(nullptr);
        wnd.DestroyWindow();
        s_current = nullptr;
    }
    LinkMainWindow(const LinkMainWindow&) = delete;
    LinkMainWindow& operator=(const LinkMainWindow&) = delete;

    HWND Handle() const { return wnd.GetSafeHwnd(); }
    // Removes a message posted to this window; false when there is none.
    bool TakePosted(UINT message, MSG& posted) {
        return PeekMessageA(&posted, Handle(), message, message, PM_REMOVE) != FALSE;
    }

    CWnd wnd;
    LRESULT answer = 0;
    int openLinkCount = 0;
    HWND openLinkControl = nullptr;
    CString openLinkTarget;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kHTMLOpenLinkMessage && s_current) {
            ++s_current->openLinkCount;
            s_current->openLinkControl = reinterpret_cast<HWND>(wParam);
            s_current->openLinkTarget = reinterpret_cast<const char*>(lParam);
            return s_current->answer;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static inline LinkMainWindow* s_current = nullptr;
};
