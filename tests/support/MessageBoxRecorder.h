#pragma once
#include <windows.h>

#include "Arrays.h"
#include "CString.h"
#include "ImportPatch.h"

// Stands in for MessageBoxA of one module while it lives and keeps what was shown, so boxes
// are seen (and never wait for a click) with or without a display. One recorder at a time.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(HMODULE module)
        : m_patch(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&Show)) {
        s_active = this;
    }
    ~MessageBoxRecorder() { s_active = nullptr; }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    bool IsReady() const { return m_patch.IsActive(); }
    int Count() const { return static_cast<int>(texts.GetSize()); }

    CStringArray texts;
    // Of the last box.
    CString text;
    CString caption;
    UINT style = 0;
    // What every box answers, as if that button was pressed.
    int answer = IDOK;

private:
    static int WINAPI Show(HWND, LPCSTR text, LPCSTR caption, UINT style) {
        if (s_active) {
            s_active->texts.Add(text);
            s_active->text = text;
            s_active->caption = caption ? caption : "";
            s_active->style = style;
            return s_active->answer;
        }
        return IDOK;
    }

    static inline MessageBoxRecorder* s_active = nullptr;
    ImportPatch m_patch;
};
