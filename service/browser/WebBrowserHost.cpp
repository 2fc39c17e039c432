#include "WebBrowserHost.h"

#include <mshtml.h>

#include "BrowserInput.h"

namespace {

const char kHostClass[] = "VantrelWebBrowserHost";
const UINT kFallbackId = 1;
// Posted to itself: the control is not closed from inside one of its own events.
const UINT kShowFallbackMessage = WM_APP + 1;
// CLSID_HTMLDocument, which MinGW's uuid library lacks.
const CLSID kHtmlDocumentClass = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

void RegisterHostClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &::DefWindowProcA;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kHostClass;
    // A second registration fails with ERROR_CLASS_ALREADY_EXISTS, which is what we want.
    ::RegisterClassA(&windowClass);
}

// Without an HTML engine (Wine without Gecko) the control creates, navigates and never shows a
// document: the engine's absence is the one signal that comes at once.
bool HasHtmlEngine() {
    CComRef<IUnknown> document;
    return SUCCEEDED(::CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                        reinterpret_cast<void**>(document.Receive())));
}

CString EscapedText(const char* text) {
    CString escaped(text);
    escaped.Replace("&", "&amp;");
    escaped.Replace("<", "&lt;");
    escaped.Replace(">", "&gt;");
    return escaped;
}

// The link's target is an attribute value, which has no entities: the characters that would end
// it go percent-encoded, as in any address.
CString LinkTarget(const char* address) {
    CString target(address);
    target.Replace("\"", "%22");
    target.Replace("<", "%3C");
    target.Replace(">", "%3E");
    return target;
}

}  // namespace

CWebBrowserHost::CWebBrowserHost()
    : m_listener(nullptr), m_oleStarted(false), m_site(nullptr), m_eventsCookie(0), m_pageShown(false) {}

CWebBrowserHost::~CWebBrowserHost() {
    if (m_hWnd)
        DestroyWindow();
    CloseBrowser();
}

BOOL CWebBrowserHost::Create(CWnd* parent, const CRect& rect, UINT id, Listener* listener) {
    RegisterHostClass();
    m_listener = listener;
    return CreateEx(0, kHostClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

CString CWebBrowserHost::FallbackMarkup(const char* address) {
    return "#255,255,255#<a href=\"" + LinkTarget(address) + "\"><font color=blue><u>" + EscapedText(address) +
           "</u></font></a>";
}

void CWebBrowserHost::Navigate(const char* address) {
    m_address = address ? address : "";
    m_pageShown = false;
    if (!CreateBrowser() || !StartNavigation())
        ShowFallback();
}

bool CWebBrowserHost::CreateBrowser() {
    if (m_browser)
        return true;
    if (!m_oleStarted)
        m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    if (!HasHtmlEngine())
        return false;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(m_object.Receive()))))
        return false;
    m_site = new CBrowserSite(this);
    CRect client;
    GetClientRect(client);
    if (FAILED(m_object->SetClientSite(m_site->ClientSite())) ||
        FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site->ClientSite(), 0, m_hWnd, client)) ||
        !m_browser.QueryFrom(m_object.Get())) {
        CloseBrowser();
        return false;
    }
    m_browser->put_Silent(VARIANT_TRUE);
    ConnectEvents();
    return true;
}

void CWebBrowserHost::ConnectEvents() {
    CComRef<IConnectionPointContainer> container;
    if (container.QueryFrom(m_browser.Get()) &&
        SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_events.Receive())) &&
        FAILED(m_events->Advise(m_site->EventSink(), &m_eventsCookie)))
        m_events.Release();
}

bool CWebBrowserHost::StartNavigation() {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, m_address, -1, nullptr, 0);
    if (size <= 1)
        return false;
    BSTR address = ::SysAllocStringLen(nullptr, size - 1);
    if (!address)
        return false;
    ::MultiByteToWideChar(CP_ACP, 0, m_address, -1, address, size);
    VARIANT none;
    ::VariantInit(&none);
    const HRESULT result = m_browser->Navigate(address, &none, &none, &none, &none);
    ::SysFreeString(address);
    return SUCCEEDED(result);
}

void CWebBrowserHost::CloseBrowser() {
    if (m_events) {
        m_events->Unadvise(m_eventsCookie);
        m_events.Release();
    }
    m_browser.Release();
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object.Release();
    }
    if (m_site) {
        m_site->Detach();
        m_site->Release();
        m_site = nullptr;
    }
    if (m_oleStarted) {
        ::OleUninitialize();
        m_oleStarted = false;
    }
}

void CWebBrowserHost::ShowFallback() {
    CloseBrowser();
    if (!m_fallback.GetSafeHwnd()) {
        CRect client;
        GetClientRect(client);
        m_fallback.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, client, this, kFallbackId);
        m_fallback.SetMargin(8, 8);
    }
    m_fallback.SetWindowTextA(FallbackMarkup(m_address));
    m_fallback.Invalidate();
    m_pageShown = true;
    if (m_listener)
        m_listener->OnPageShown(true);
}

bool CWebBrowserHost::IsTopFrame(IDispatch* frame) const {
    CComRef<IUnknown> frameObject, browserObject;
    return frameObject.QueryFrom(frame) && browserObject.QueryFrom(m_browser.Get()) &&
           frameObject.Get() == browserObject.Get();
}

bool CWebBrowserHost::CancelNavigation(IDispatch*, const CString& address) { return m_navigation.Divert(address); }

void CWebBrowserHost::DocumentComplete(IDispatch* frame) {
    if (m_pageShown || !IsTopFrame(frame))
        return;
    CComRef<IDispatch> document;
    CComRef<IHTMLDocument2> html;
    if (FAILED(m_browser->get_Document(document.Receive())) || !html.QueryFrom(document.Get())) {
        m_pageShown = true;
        PostMessage(kShowFallbackMessage);
        return;
    }
    m_navigation.FirstPageLoaded();
    m_pageShown = true;
    if (m_listener)
        m_listener->OnPageShown(false);
}

void CWebBrowserHost::CloseRequested() {
    if (m_listener)
        m_listener->OnPageCloseRequest();
}

bool CWebBrowserHost::CancelNewWindow(const CString& address) {
    OpenInSystemBrowser(address);
    return true;
}

bool CWebBrowserHost::IsInside(HWND window) const {
    return window && (window == m_hWnd || ::IsChild(m_hWnd, window));
}

BOOL CWebBrowserHost::PreTranslateMessage(MSG* message) {
    if (!IsInside(message->hwnd))
        return FALSE;
    if (IsSwallowedBrowserMessage(*message))
        return TRUE;
    // The control's own keys (Tab between links, Backspace, Enter) go to it before the dialog
    // takes them for its navigation.
    if (m_object && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
        CComRef<IOleInPlaceActiveObject> active;
        if (active.QueryFrom(m_object.Get()) && active->TranslateAccelerator(message) == S_OK)
            return TRUE;
    }
    return FALSE;
}

void CWebBrowserHost::FitContent(int width, int height) {
    CRect area(0, 0, width, height);
    CComRef<IOleInPlaceObject> inPlace;
    if (inPlace.QueryFrom(m_object.Get()))
        inPlace->SetObjectRects(area, area);
    if (m_fallback.GetSafeHwnd())
        m_fallback.MoveWindow(area);
}

LRESULT CWebBrowserHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        FitContent(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case kShowFallbackMessage:
        ShowFallback();
        return 0;
    case WM_DESTROY:
        CloseBrowser();
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
