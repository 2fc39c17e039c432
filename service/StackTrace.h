#pragma once
#include <windows.h>

#include "CrashReport.h"

// The return addresses of a thread's stack as a crash context describes it; the first is the
// faulting instruction.
class CStackTrace {
public:
    void Read(HANDLE thread, const CONTEXT& context);
    const ULONG64* Addresses() const { return m_addresses; }
    int Count() const { return m_count; }

private:
    CONTEXT m_context;  // StackWalk64 moves the context it walks, so it walks a copy
    ULONG64 m_addresses[CCrashReport::StackDepth];
    int m_count = 0;
};
