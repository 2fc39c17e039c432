#pragma once
#include <windows.h>

#include "Framework.h"
#include "ImportPatch.h"

// Counts the starts of one program through this program's CreateProcessA, which the engine's
// calls go through too.
class ProgramStarts {
public:
    explicit ProgramStarts(const CString& program)
        : m_patch(GetModuleHandleA(nullptr), "kernel32.dll", "CreateProcessA", reinterpret_cast<void*>(&Create)) {
        s_program = program;
        s_count = 0;
    }
    bool IsReady() const { return m_patch.IsActive(); }
    int Count() const { return s_count; }

private:
    static BOOL WINAPI Create(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                              LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                              LPCSTR folder, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process) {
        if (application && s_program.CompareNoCase(application) == 0)
            ++s_count;
        using CreateFunction = decltype(&CreateProcessA);
        static auto real =
            reinterpret_cast<CreateFunction>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateProcessA"));
        return real(application, commandLine, processAttributes, threadAttributes, inherit, flags, environment, folder,
                    startup, process);
    }

    static inline CString s_program;
    static inline int s_count = 0;
    ImportPatch m_patch;
};
