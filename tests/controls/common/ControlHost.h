#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "GdiTypes.h"
#include "Wnd.h"

// A top-level window for controls under test. Records the messages its children send or post
// to it; onCommand runs while a WM_COMMAND is being delivered. Never shown: without a window
// manager Wine takes about two seconds to map and unmap a window.
class ControlHost : public CWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    ControlHost() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "VantrelControlTestHost";
        ::RegisterClassA(&windowClass);
        CreateEx(0, windowClass.lpszClassName, "controls", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300),
                 nullptr, 0);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND || message >= WM_USER) {
            received.push_back({message, wParam, lParam});
            if (message == WM_COMMAND && onCommand)
                onCommand(wParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Message> Received(UINT message) const {
        std::vector<Message> found;
        for (const Message& m : received)
            if (m.message == message)
                found.push_back(m);
        return found;
    }

    std::vector<Message> received;
    std::function<void(WPARAM)> onCommand;
};
