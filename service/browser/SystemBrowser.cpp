#include "SystemBrowser.h"

#include <shellapi.h>

void OpenInSystemBrowser(const char* address) {
    if (address && *address)
        ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

bool CBrowserNavigation::Divert(const CString& address) {
    if (!m_firstPageLoaded)
        return false;
    OpenInSystemBrowser(address);
    return true;
}
