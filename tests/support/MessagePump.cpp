#include "MessagePump.h"

#include "Wnd.h"

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (done() || ::GetTickCount() - start > limitMs)
            return done();
        ::Sleep(1);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
