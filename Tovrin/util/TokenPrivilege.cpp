#include "TokenPrivilege.h"

CTokenPrivilege::CTokenPrivilege(const char* name) : m_previous(), m_enabled(false) {
    TOKEN_PRIVILEGES wanted = {};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, name, &wanted.Privileges[0].Luid))
        return;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    m_token.Attach(token);
    DWORD previousSize = sizeof(m_previous);
    // A privilege the token lacks still gives TRUE; only ERROR_NOT_ALL_ASSIGNED tells.
    if (AdjustTokenPrivileges(m_token, FALSE, &wanted, sizeof(wanted), &m_previous, &previousSize))
        m_enabled = GetLastError() == ERROR_SUCCESS;
}

CTokenPrivilege::~CTokenPrivilege() {
    // An empty previous state means the privilege was on already: nothing to put back.
    if (m_enabled && m_previous.PrivilegeCount > 0)
        AdjustTokenPrivileges(m_token, FALSE, &m_previous, 0, nullptr, nullptr);
}
