#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "ImportPatch.h"

// Records the Shell_NotifyIconA calls of Tovrin.dll instead of making them, answering `answer`.
// One at a time.
class NotifyIconRecorder {
public:
    struct Call {
        DWORD action;
        DWORD size;
        HWND window;
        UINT id;
        UINT flags;
        UINT callbackMessage;
        HICON icon;
        std::string tip;
    };

    NotifyIconRecorder()
        : m_patch(GetModuleHandleA("Tovrin.dll"), "shell32.dll", "Shell_NotifyIconA", reinterpret_cast<void*>(&Record)) {
        s_current = this;
    }
    ~NotifyIconRecorder() { s_current = nullptr; }

    bool IsActive() const { return m_patch.IsActive(); }
    int Count(DWORD action) const {
        int count = 0;
        for (const Call& call : calls)
            count += call.action == action;
        return count;
    }

    BOOL answer = TRUE;
    std::vector<Call> calls;

private:
    static BOOL WINAPI Record(DWORD action, NOTIFYICONDATAA* data) {
        s_current->calls.push_back({action, data->cbSize, data->hWnd, data->uID, data->uFlags, data->uCallbackMessage,
                                    data->hIcon, std::string(data->szTip)});
        return s_current->answer;
    }

    ImportPatch m_patch;
    static inline NotifyIconRecorder* s_current = nullptr;
};
