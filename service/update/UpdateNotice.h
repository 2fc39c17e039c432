#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// The update notice and the user's own update check, by the service file's [Update] section and
// Config.ini's [Update] keys. Both may end the host process: a refused mandatory update, the end
// of a mandatory update, and a started setup with SetupExitForExec.
class SELKOR_API CUpdateNotice {
public:
    // owner: the window that owns the boxes and dialogs; icon: the application icon they show.
    CUpdateNotice(HWND owner, HICON icon) : m_owner(owner), m_icon(icon) {}

    // Once per process, and only while the service file is available.
    void ShowAutomatic();
    // Fetches the service file at once when it is not available; 0 when that fails, else 1.
    int CheckOnRequest();

private:
    // False when the user chose not to update now (and that choice is kept).
    bool AskUser(const CString& serverVersion, const CString& message);
    void RunSetup();
    int Box(const char* text, UINT style);

    HWND m_owner;
    HICON m_icon;
};
