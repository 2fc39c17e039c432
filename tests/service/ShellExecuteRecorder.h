#pragma once
#include <windows.h>

#include "Arrays.h"
#include "ImportPatch.h"

// Stands in for Selkor's ShellExecuteA while it lives and keeps the files and pages it was asked
// to open, so nothing starts and no browser opens. One recorder at a time.
class ShellExecuteRecorder {
public:
    ShellExecuteRecorder()
        : m_patch(GetModuleHandleA("Selkor.dll"), "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Open)) {
        s_active = this;
    }
    ~ShellExecuteRecorder() { s_active = nullptr; }
    ShellExecuteRecorder(const ShellExecuteRecorder&) = delete;
    ShellExecuteRecorder& operator=(const ShellExecuteRecorder&) = delete;

    bool IsReady() const { return m_patch.IsActive(); }

    CStringArray opened;  // "verb file"

private:
    static HINSTANCE WINAPI Open(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
        if (s_active)
            s_active->opened.Add(CString(verb ? verb : "") + " " + (file ? file : ""));
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }

    static inline ShellExecuteRecorder* s_active = nullptr;
    ImportPatch m_patch;
};
