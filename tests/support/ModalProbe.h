#pragma once
#include <windows.h>

#include <functional>

#include "ServiceDialogs.h"

// Runs a call that shows a modal dialog, looks at the dialog from inside its modal loop, then
// closes it with the service window's 0x7D18 (CServiceDialogs::CloseAll). A dialog that 0x7D18
// leaves open is closed with WM_CLOSE after a while and reported in closedByCloseAll.
class ModalProbe {
public:
    explicit ModalProbe(std::function<void(HWND)> inspect) : m_inspect(std::move(inspect)) {}

    void Run(const std::function<void()>& showModal) {
        s_current = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &Tick);
        showModal();
        KillTimer(nullptr, timer);
        s_current = nullptr;
    }

    bool inspected = false;
    bool closedByCloseAll = true;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalProbe* self = s_current;
        if (!self)
            return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog)
            return;
        if (!self->inspected) {
            self->inspected = true;
            self->m_inspect(dialog);
            CServiceDialogs::CloseAll();
        } else if (++self->m_ticksOpen > 40) {
            self->closedByCloseAll = false;
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }

    std::function<void(HWND)> m_inspect;
    int m_ticksOpen = 0;
    static inline ModalProbe* s_current = nullptr;
};
