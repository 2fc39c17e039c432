#pragma once
#include <windows.h>

#include "Arrays.h"
#include "CString.h"
#include "ImportPatch.h"

// Records the ShellExecuteA calls that one module (such as "Tovrin.dll") makes instead of
// starting anything: the last call's arguments, and every call as "verb file". One at a time.
class ShellExecuteRecorder {
public:
    explicit ShellExecuteRecorder(const char* module)
        : m_patch(GetModuleHandleA(module), "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Record)) {
        s_current = this;
    }
    ~ShellExecuteRecorder() { s_current = nullptr; }

    bool IsActive() const { return m_patch.IsActive(); }

    int calls = 0;
    HWND window = nullptr;
    CString verb, file, parameters;
    int show = -1;
    CStringArray opened;

private:
    static HINSTANCE WINAPI Record(HWND window, const char* verb, const char* file, const char* parameters,
                                   const char* folder, int show) {
        ShellExecuteRecorder& self = *s_current;
        ++self.calls;
        self.window = window;
        self.verb = verb;
        self.file = file;
        self.parameters = parameters;
        self.show = show;
        self.opened.Add(CString(verb ? verb : "") + " " + (file ? file : ""));
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }

    ImportPatch m_patch;
    static inline ShellExecuteRecorder* s_current = nullptr;
};
