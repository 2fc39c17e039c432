#pragma once
#include "Framework.h"
#include "HTMLStatic.h"
#include "ServiceDialog.h"
#include "SelkorApi.h"
#include "browser/WebBrowserHost.h"

// The about box: the program's icon, name, version and home page, and a page of the maker's
// server. The page loads off-screen behind a "Connect to server" text and takes the frame's
// place once it is shown.
class SELKOR_API CAboutDlg : public CServiceDialog, private CWebBrowserHost::Listener {
public:
    struct Facts {
        CString displayName;
        CString version;
        CString address;
        HICON icon = nullptr;
    };

    // ShowAboutDialog: modal over owner, with the version of Version.cfg and the page of
    // service.ini [About] URL ("about:blank" when empty).
    static void Run(HWND owner, const CString& displayName, HICON icon);

    CAboutDlg(const Facts& facts, CWnd* parent);

    const CWebBrowserHost& Browser() const { return m_browser; }

    // The language table's text with every "%s" replaced by the display name; the text is never
    // used as a format, since a translation may hold any other "%" sequence.
    static CString WithName(const char* key, const CString& name);

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;

private:
    CRect FrameRect() const;
    void OnPageShown(bool fallback) override;
    void OnPageCloseRequest() override { PostMessage(WM_CLOSE); }

    Facts m_facts;
    CHTMLStatic m_subject;
    CHTMLStatic m_home;
    CHTMLStatic m_connecting;
    CWebBrowserHost m_browser;
};
