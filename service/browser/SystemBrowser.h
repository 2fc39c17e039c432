#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// Opens an address with the shell (ShellExecute "open", SW_SHOW): the user's own browser.
// An empty address opens nothing.
SELKOR_API void OpenInSystemBrowser(const char* address);

// Where the pages of a hosted browser may go: the first page loads inside it; once it has
// loaded, every navigation is cancelled and its address goes to the system browser instead.
class SELKOR_API CBrowserNavigation {
public:
    CBrowserNavigation() : m_firstPageLoaded(false) {}

    // True when the navigation must be cancelled; the address has then been opened outside.
    bool Divert(const CString& address);
    void FirstPageLoaded() { m_firstPageLoaded = true; }
    bool IsFirstPageLoaded() const { return m_firstPageLoaded; }

private:
    bool m_firstPageLoaded;
};
