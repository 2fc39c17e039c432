#pragma once
#include "SelkorApi.h"

// The breadcrumb that a crash report carries: code about to do risky work records what it is
// doing. Shared by all threads without a lock; the last writer wins.
class SELKOR_API CCrashLog {
public:
    enum { BufferSize = 1024 };

    // Moves the current text to the previous one, then stores the formatted text (at most
    // BufferSize - 1 bytes, never ending in half a double-byte character). A null format
    // leaves the current text empty.
    __attribute__((format(gnu_printf, 1, 2))) static void Set(const char* format, ...);
    static const char* Get() { return m_szLog; }
    static const char* GetPrev() { return m_szLogPrev; }

    static char m_szLog[BufferSize];
    static char m_szLogPrev[BufferSize];
};
