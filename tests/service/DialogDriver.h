#pragma once
#include <windows.h>

#include <functional>
#include <set>

// Plays the user of a modal dialog: a thread timer, which every modal loop of this thread
// dispatches, looks for a visible window of this thread that holds a control with controlId and
// hands it to act on each tick until act returns true. One driver at a time.
class DialogDriver {
public:
    DialogDriver(int controlId, std::function<bool(HWND dialog)> act) : m_controlId(controlId), m_act(std::move(act)) {
        s_active = this;
        m_timer = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~DialogDriver() {
        KillTimer(nullptr, m_timer);
        s_active = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // How many dialogs were seen (and acted on until done).
    int Seen() const { return static_cast<int>(m_done.size()); }

    static void Click(HWND dialog, int id) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM) {
        DialogDriver* driver = s_active;
        if (!driver || !IsWindowVisible(window) || !GetDlgItem(window, driver->m_controlId) ||
            driver->m_done.count(window))
            return TRUE;
        if (driver->m_act(window))
            driver->m_done.insert(window);
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), &Visit, 0); }

    static inline DialogDriver* s_active = nullptr;
    int m_controlId;
    std::function<bool(HWND)> m_act;
    std::set<HWND> m_done;
    UINT_PTR m_timer = 0;
};
