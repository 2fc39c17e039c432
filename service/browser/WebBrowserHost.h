#pragma once
#include <windows.h>
#include <exdisp.h>

#include "BrowserSite.h"
#include "ComRef.h"
#include "Framework.h"
#include "HTMLStatic.h"
#include "SelkorApi.h"
#include "SystemBrowser.h"

// A child window that shows one web page in the WebBrowser control. The first page loads inside;
// every later navigation goes to the system browser. Where the control cannot show the page (it
// cannot be created, there is no HTML engine, Navigate fails, or the loaded document is no HTML
// document) the window shows the page's address as a link instead, never an empty frame.
class SELKOR_API CWebBrowserHost : public CWnd, private CBrowserSiteOwner {
public:
    class Listener {
    public:
        // The first page is shown, by the browser or, with fallback set, as its address.
        virtual void OnPageShown(bool fallback) = 0;
        // The page asked to close its window.
        virtual void OnPageCloseRequest() = 0;

    protected:
        ~Listener() = default;
    };

    CWebBrowserHost();
    ~CWebBrowserHost() override;

    BOOL Create(CWnd* parent, const CRect& rect, UINT id, Listener* listener);
    void Navigate(const char* address);

    bool IsShowingFallback() const { return m_fallback.GetSafeHwnd() != nullptr; }
    HWND FallbackWindow() const { return m_fallback.GetSafeHwnd(); }
    // "#255,255,255#" and a blue, underlined link to the address.
    static CString FallbackMarkup(const char* address);

    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool CreateBrowser();
    bool StartNavigation();
    void ConnectEvents();
    void CloseBrowser();
    void ShowFallback();
    bool IsTopFrame(IDispatch* frame) const;
    bool IsInside(HWND window) const;
    void FitContent(int width, int height);

    // CBrowserSiteOwner
    HWND SiteWindow() const override { return m_hWnd; }
    bool CancelNavigation(IDispatch* frame, const CString& address) override;
    void DocumentComplete(IDispatch* frame) override;
    void CloseRequested() override;
    bool CancelNewWindow(const CString& address) override;

    Listener* m_listener;
    CString m_address;
    bool m_oleStarted;
    CBrowserSite* m_site;
    CComRef<IOleObject> m_object;
    CComRef<IWebBrowser2> m_browser;
    CComRef<IConnectionPoint> m_events;
    DWORD m_eventsCookie;
    CBrowserNavigation m_navigation;
    bool m_pageShown;
    CHTMLStatic m_fallback;
};
