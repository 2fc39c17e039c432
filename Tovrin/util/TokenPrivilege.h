#pragma once
#include <windows.h>

#include "Handle.h"
#include "TovrinApi.h"

// Enables one privilege of the process token for the life of the object, then puts back the
// state it had before. A privilege the token does not hold stays off (IsEnabled false).
class TOVRIN_API CTokenPrivilege {
public:
    explicit CTokenPrivilege(const char* name);
    ~CTokenPrivilege();
    CTokenPrivilege(const CTokenPrivilege&) = delete;
    CTokenPrivilege& operator=(const CTokenPrivilege&) = delete;

    bool IsEnabled() const { return m_enabled; }

private:
    CHandle m_token;
    TOKEN_PRIVILEGES m_previous;
    bool m_enabled;
};
