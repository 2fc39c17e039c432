#pragma once
#include <windows.h>

#include "CString.h"

// Sets an environment variable of this process (and so of the programs it starts) until the
// end of the test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        char old[4096];
        DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        m_hadValue = length > 0 && length < sizeof old;
        if (m_hadValue)
            m_oldValue = old;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(m_name, m_hadValue ? m_oldValue.GetString() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    CString m_name;
    CString m_oldValue;
    bool m_hadValue = false;
};
