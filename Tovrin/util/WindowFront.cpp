#include "UtilityLib.h"

int CUtilityLib::MSGSetForegroundWindow(HWND window) {
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    bool wasTopmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;

    AllowSetForegroundWindow(GetCurrentProcessId());
    int result = 1;
    if (foregroundThread != windowThread) {
        // Windows only lets the thread that owns the foreground hand it over; sharing its input
        // state makes this thread count as that owner for the call.
        AttachThreadInput(foregroundThread, windowThread, TRUE);
        result = SetForegroundWindow(window) ? 1 : 0;
        AttachThreadInput(foregroundThread, windowThread, FALSE);
    } else {
        SetForegroundWindow(window);
    }

    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!wasTopmost)
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return result;
}
