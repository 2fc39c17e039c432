#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "Framework.h"
#include "RunProgress.h"
#include "progress/ProgressDlg.h"

// Stands in for the main window: set as the application's main window while it lives, it
// counts the stop-run messages the progress window posts to it.
class StopReceiver : public CWnd {
public:
    StopReceiver() : m_previous(AfxGetMainWnd()) {
        CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        AfxSetMainWnd(this);
    }
    ~StopReceiver() override { AfxSetMainWnd(m_previous); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_STOP_RUN && wParam == 0 && lParam == 0)
            ++stopRequests;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int stopRequests = 0;

private:
    CWnd* m_previous;
};

// Runs a progress window modally and plays the reports of a run from a thread timer, which the
// window's own modal loop dispatches: each tick runs the current step until it returns true.
// A window still open long after the last step, or a step that waits too long, is closed and
// reported in closedByGuard.
class ProgressRun {
public:
    using Step = std::function<bool(CProgressDlg&)>;

    explicit ProgressRun(CProgressDlg& dialog) : m_dialog(dialog) {}

    INT_PTR Run(std::vector<Step> steps) {
        m_steps = std::move(steps);
        s_current = this;
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &WatchShow, nullptr, GetCurrentThreadId());
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &Tick);
        const INT_PTR result = m_dialog.DoModal();
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(hook);
        s_current = nullptr;
        return result;
    }

    // Steps that wait for the window's own timers.
    static Step Ticks(int count) {
        auto left = std::make_shared<int>(count);
        return [left](CProgressDlg&) { return --*left <= 0; };
    }

    bool everShown = false;
    bool closedByGuard = false;
    size_t stepsRun = 0;

private:
    enum { kTickMs = 50, kGuardTicks = 100 };

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ProgressRun* self = s_current;
        if (!self || !self->m_dialog.m_hWnd)
            return;
        if (self->stepsRun < self->m_steps.size() && self->m_steps[self->stepsRun](self->m_dialog)) {
            ++self->stepsRun;
            self->m_idleTicks = 0;
        } else if (++self->m_idleTicks > kGuardTicks) {
            self->closedByGuard = true;
            self->m_dialog.Close();
        }
    }

    static LRESULT CALLBACK WatchShow(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        ProgressRun* self = s_current;
        if (code == HC_ACTION && self && message->hwnd == self->m_dialog.m_hWnd && message->message == WM_SHOWWINDOW &&
            message->wParam)
            self->everShown = true;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    CProgressDlg& m_dialog;
    std::vector<Step> m_steps;
    int m_idleTicks = 0;
    static inline ProgressRun* s_current = nullptr;
};
