#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ImportPatch.h"

// Stands in for ShellExecuteA of one module while it lives and keeps every call; starts nothing.
class ShellExecuteLog {
public:
    struct Call {
        std::string verb, file, parameters;
        int show;
    };

    explicit ShellExecuteLog(const char* module)
        : m_patch(GetModuleHandleA(module), "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&Record)) {
        s_current = this;
    }
    ~ShellExecuteLog() { s_current = nullptr; }
    ShellExecuteLog(const ShellExecuteLog&) = delete;
    ShellExecuteLog& operator=(const ShellExecuteLog&) = delete;

    bool IsActive() const { return m_patch.IsActive(); }

    std::vector<Call> calls;

private:
    static HINSTANCE WINAPI Record(HWND, const char* verb, const char* file, const char* parameters, const char*,
                                   int show) {
        if (s_current)
            s_current->calls.push_back({verb ? verb : "", file ? file : "", parameters ? parameters : "", show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
    }

    static inline ShellExecuteLog* s_current = nullptr;
    ImportPatch m_patch;
};
