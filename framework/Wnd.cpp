#include "Wnd.h"

#include <memory>
#include <unordered_map>

#include "WindowMap.h"

namespace {

// The message being handled on this thread, for Default().
struct CurrentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current{};

// Window objects made by FromHandle for windows no object owns.
struct TemporaryWindows {
    std::unordered_map<HWND, std::unique_ptr<CWnd>> windows;
    ~TemporaryWindows() { Clear(); }
    void Clear() {
        for (auto& entry : windows)
            entry.second->Detach();
        windows.clear();
    }
};
thread_local TemporaryWindows t_temporary;

// The object whose window CreateEx is creating on this thread, and the hook that attaches it.
thread_local CWnd* t_creating = nullptr;
thread_local HHOOK t_creationHook = nullptr;

CWnd* g_mainWnd = nullptr;

}  // namespace

// The Win32 entry points; a struct so that CWnd can befriend them.
struct FxWindowProcedures {
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    static void Finish(CWnd* wnd, HWND window);
};

LRESULT CALLBACK FxWindowProcedures::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = WindowMap::Find(window);
    if (!wnd)
        return ::DefWindowProcA(window, message, wParam, lParam);

    const CurrentMessage saved = t_current;
    t_current = {window, message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // An exception must not unwind through the system's message dispatch.
        result = 0;
    }
    t_current = saved;

    if (message == WM_NCDESTROY && WindowMap::Find(window) == wnd)
        Finish(wnd, window);
    return result;
}

void FxWindowProcedures::Finish(CWnd* wnd, HWND window) {
    if (wnd->m_pfnSuper &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC)) == &WindowProcedure)
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
    WindowMap::Remove(window);
    wnd->m_hWnd = nullptr;
    wnd->m_pfnSuper = nullptr;
    try {
        wnd->PostNcDestroy();
    } catch (...) {
    }
}

LRESULT CALLBACK FxWindowProcedures::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_creating) {
        CWnd* wnd = t_creating;
        CWnd::UnhookWindowCreate();
        try {
            wnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        } catch (...) {
        }
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    if (m_hWnd && WindowMap::Find(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND window) { return window ? WindowMap::Find(window) : nullptr; }

CWnd* CWnd::FromHandle(HWND window) {
    if (!window)
        return nullptr;
    if (CWnd* wnd = WindowMap::Find(window))
        return wnd;
    auto& slot = t_temporary.windows[window];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = window;
    }
    return slot.get();
}

void CWnd::DeleteTempMap() { t_temporary.Clear(); }

BOOL CWnd::Attach(HWND window) {
    if (m_hWnd || !window || WindowMap::Find(window))
        return FALSE;
    m_hWnd = window;
    WindowMap::Add(window, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    if (!window)
        return nullptr;
    if (m_pfnSuper)
        return UnsubclassWindow();
    if (WindowMap::Find(window) == this)
        WindowMap::Remove(window);
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (!::IsWindow(window) || !Attach(window))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FxWindowProcedures::WindowProcedure)));
    if (!m_pfnSuper) {
        WindowMap::Remove(window);
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    HWND window = m_hWnd;
    if (!window)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    WindowMap::Remove(window);
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd)
        return FALSE;
    HookWindowCreate();
    HWND window = ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
    UnhookWindowCreate();
    return window && m_hWnd == window;
}

void CWnd::HookWindowCreate() {
    UnhookWindowCreate();
    t_creating = this;
    t_creationHook = ::SetWindowsHookExA(WH_CBT, &FxWindowProcedures::CreationHook, nullptr, ::GetCurrentThreadId());
}

void CWnd::UnhookWindowCreate() {
    if (t_creationHook)
        ::UnhookWindowsHookEx(t_creationHook);
    t_creationHook = nullptr;
    t_creating = nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    HWND window = m_hWnd;
    BOOL result = ::DestroyWindow(window);
    // A subclassed window was detached at WM_NCDESTROY (and the object may be gone): only the map
    // is read here. A window that was merely attached is still mapped to this living object.
    if (WindowMap::Find(window) == this && !::IsWindow(window))
        Detach();
    return result;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ChangeStyle(GWL_STYLE, remove, add, flags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) { return ChangeStyle(GWL_EXSTYLE, remove, add, flags); }

BOOL CWnd::ChangeStyle(int which, DWORD remove, DWORD add, UINT flags) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, which));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, which, static_cast<LONG_PTR>(changed));
    if (flags)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int copied = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(copied);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY:
        if (OnNotify(wParam, lParam, &result))
            return result;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU && ReflectToChild(item->hwndItem, message, wParam, lParam, &result))
            return result;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU &&
            ReflectToChild(::GetDlgItem(m_hWnd, item->CtlID), message, wParam, lParam, &result))
            return result;
        break;
    }
    case WM_COMPAREITEM:
        if (ReflectToChild(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam, &result))
            return result;
        break;
    case WM_DELETEITEM:
        if (ReflectToChild(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam, &result))
            return result;
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    return lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, &ignored);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    return header && ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) { return FALSE; }

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && wnd != this && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::PreTranslateMessage(MSG* msg) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(MSG* msg) {
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        if (CWnd* wnd = FromHandlePermanent(window)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        // GetParent gives the owner of a top-level window: stop there.
        if (!(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

CWnd* AfxGetMainWnd() { return g_mainWnd; }

void AfxSetMainWnd(CWnd* wnd) { g_mainWnd = wnd; }

HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleA(nullptr); }
