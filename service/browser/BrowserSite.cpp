#include "BrowserSite.h"

#include <exdispid.h>

#include "BrowserInput.h"

namespace {

// Event arguments arrive last first; a by-reference VARIANT is followed to its value.
const VARIANT* Argument(const DISPPARAMS* parameters, UINT fromLast) {
    if (!parameters || fromLast >= parameters->cArgs)
        return nullptr;
    const VARIANT* value = &parameters->rgvarg[fromLast];
    if (V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    return value;
}

CString AnsiText(const VARIANT* value) {
    if (!value || V_VT(value) != VT_BSTR || !V_BSTR(value))
        return CString();
    const BSTR wide = V_BSTR(value);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return CString();
    CString text;
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.GetBuffer(size), size, nullptr, nullptr);
    text.ReleaseBuffer();
    return text;
}

IDispatch* DispatchOf(const VARIANT* value) {
    return value && V_VT(value) == VT_DISPATCH ? V_DISPATCH(value) : nullptr;
}

void SetCancel(const DISPPARAMS* parameters, UINT fromLast, bool cancel) {
    if (!parameters || fromLast >= parameters->cArgs)
        return;
    VARIANT& flag = parameters->rgvarg[fromLast];
    if (V_VT(&flag) == (VT_BYREF | VT_BOOL) && V_BOOLREF(&flag))
        *V_BOOLREF(&flag) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

STDMETHODIMP CBrowserSite::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDocHostUIHandler)
        *object = static_cast<IDocHostUIHandler*>(this);
    else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
        *object = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CBrowserSite::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

STDMETHODIMP_(ULONG) CBrowserSite::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CBrowserSite::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_owner ? m_owner->SiteWindow() : nullptr;
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP CBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                            RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    const HWND window = m_owner ? m_owner->SiteWindow() : nullptr;
    ::GetClientRect(window, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = ::GetAncestor(window, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CBrowserSite::TranslateAccelerator(LPMSG message, const GUID*, DWORD) {
    return message && IsSwallowedBrowserMessage(*message) ? S_OK : S_FALSE;
}

STDMETHODIMP CBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key)
        *key = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target)
        *target = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetExternal(IDispatch** external) {
    if (external)
        *external = nullptr;
    return S_FALSE;
}

STDMETHODIMP CBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    if (translated)
        *translated = nullptr;
    return S_FALSE;
}

STDMETHODIMP CBrowserSite::FilterDataObject(IDataObject*, IDataObject** filtered) {
    if (filtered)
        *filtered = nullptr;
    return S_FALSE;
}

STDMETHODIMP CBrowserSite::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    if (!m_owner)
        return S_OK;
    // The owner may release this site from inside an event.
    AddRef();
    switch (id) {
    case DISPID_BEFORENAVIGATE2:  // (frame, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (m_owner->CancelNavigation(DispatchOf(Argument(parameters, 6)), AnsiText(Argument(parameters, 5))))
            SetCancel(parameters, 0, true);
        break;
    case DISPID_DOCUMENTCOMPLETE:  // (frame, URL)
        m_owner->DocumentComplete(DispatchOf(Argument(parameters, 1)));
        break;
    case DISPID_WINDOWCLOSING:  // (IsChildWindow, Cancel)
        SetCancel(parameters, 0, true);
        m_owner->CloseRequested();
        break;
    // NewWindow2 names no address and is left alone: where NewWindow3 is not raised (before
    // IE 6 SP2) the page's new window opens as a window of the system's own browser.
    case DISPID_NEWWINDOW3:  // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (m_owner->CancelNewWindow(AnsiText(Argument(parameters, 0))))
            SetCancel(parameters, 3, true);
        break;
    }
    Release();
    return S_OK;
}
