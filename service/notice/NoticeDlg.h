#pragma once
#include "Framework.h"
#include "ServiceDialog.h"
#include "SelkorApi.h"
#include "browser/WebBrowserHost.h"

// The notice window: one web page of the maker's server in a browser that fills the client
// area. Modal, or modeless and deleting itself; closes on the service window's 0x7D18.
class SELKOR_API CNoticeDlg : public CServiceDialog, private CWebBrowserHost::Listener {
public:
    // The notice of [POPUP], or [POPUP.name] when a name is given, for ShowNoticeDialog: nothing
    // while modeless names an open window or when the section has no URL; a modeless window is
    // stored in modeless and returned, a modal one runs to its end and gives null.
    static HWND Show(HWND parent, const char* name, DWORD align, int modal, HICON icon, HWND& modeless);
    // ClientCX, ClientCY of the section, or (0, 0) when it has no URL.
    static CSize ClientSizeOf(const char* name);
    // Destroys the open modeless notice, if any, and forgets it.
    static void DestroyModeless(HWND& modeless);

    CNoticeDlg(const CString& address, CSize clientSize, DWORD align, CWnd* parent);

    const CWebBrowserHost& Browser() const { return m_browser; }

protected:
    BOOL OnInitDialog() override;

private:
    static CString SectionOf(const char* name);
    void FitClientArea();

    void OnPageShown(bool) override {}
    // Posted: the browser is still inside its own event.
    void OnPageCloseRequest() override { PostMessage(WM_CLOSE); }

    CString m_address;
    CSize m_clientSize;
    DWORD m_align;
    CWebBrowserHost m_browser;
};
