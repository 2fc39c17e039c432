#pragma once
#include <windows.h>

#include "CString.h"
#include "HTMLLinkOpener.h"
#include "ImportPatch.h"
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

// Records ShellExecuteA calls made by Tovrin.dll instead of starting anything.
class ShellExecuteRecorder {
public:
    ShellExecuteRecorder()
        : m_patch(GetModuleHandleA("Tovrin.dll"), "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Record)) {
        s_current = this;
    }
    ~ShellExecuteRecorder() { s_current = nullptr; }

    bool IsActive() const { return m_patch.IsActive(); }

    int calls = 0;
    HWND window = nullptr;
    CString verb, file, parameters;
    int show = -1;

private:
    static HINSTANCE WINAPI Record(HWND window, const char* verb, const char* file, const char* parameters,
                                   const char* folder, int show) {
        ShellExecuteRecorder& self = *s_current;
        ++self.calls;
        self.window = window;
        self.verb = verb;
        self.file = file;
        self.parameters = parameters;
        self.show = show;
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }

    ImportPatch m_patch;
    static inline ShellExecuteRecorder* s_current = nullptr;
};
