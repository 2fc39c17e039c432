#pragma once
#include <windows.h>

#include <atomic>

#include "LoadLibrary.h"

// The shutdown block reason of User32.dll, all three entry points or none (a system without
// them ends its sessions the same way, only without the reason shown).
class CUser32Library : public CLoadLibrary {
public:
    // The reason "시스템 청소 중입니다..." for the window; nothing when not loaded.
    void BlockWithReason(HWND window);
    void Unblock(HWND window);

protected:
    void BindFunctions() override;

private:
    BOOL(WINAPI* m_create)(HWND, LPCWSTR) = nullptr;
    BOOL(WINAPI* m_destroy)(HWND) = nullptr;
    BOOL(WINAPI* m_query)(HWND, LPWSTR, DWORD*) = nullptr;
};

// While a logout run goes on, every 50 ms, hides the visible dialog boxes of every program but
// the main window and the progress window, and ends as soon as the run-finished event is set.
// Nothing is hidden while there is no progress window. Nobody waits for the thread.
void StartDialogHider(HANDLE runFinished, HWND mainWindow, const std::atomic<HWND>& progressWindow);
