#include "Dialog.h"

namespace {

// The dialog manager's procedure; the object's WindowProc, installed over the dialog class
// procedure when the window is created, does the work.
INT_PTR CALLBACK PassiveDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Without a parent a modal dialog belongs to the main window's last active popup: one opened from
// inside another modal dialog is owned by that dialog and disables it, not only the main window.
HWND ModalOwner(const CWnd* parent, const CWnd* dialog) {
    HWND owner = parent ? parent->m_hWnd : nullptr;
    const CWnd* main = AfxGetMainWnd();
    if (!owner && main && main != dialog && main->m_hWnd)
        owner = ::GetLastActivePopup(::GetAncestor(main->m_hWnd, GA_ROOT));
    return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

// Modal loops running on this thread. A caller of a nested DoModal may still hold a temporary
// window object: only the outermost loop frees them.
thread_local int t_modalDepth = 0;

class ModalDepth {
public:
    ModalDepth() { ++t_modalDepth; }
    ~ModalDepth() { --t_modalDepth; }
    ModalDepth(const ModalDepth&) = delete;
    ModalDepth& operator=(const ModalDepth&) = delete;
    bool IsOutermost() const { return t_modalDepth == 1; }
};

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_hTemplateInstance(AfxGetInstanceHandle()),
      m_nIDTemplate(templateId),
      m_pParentWnd(parent),
      m_modalRunning(false),
      m_modalEnded(false),
      m_modalResult(-1) {}

BOOL CDialog::CreateFromTemplate(const char* templateName, HWND owner) {
    if (m_hWnd)
        return FALSE;
    HRSRC resource = ::FindResourceA(m_hTemplateInstance, templateName, MAKEINTRESOURCEA(5));
    HGLOBAL loaded = resource ? ::LoadResource(m_hTemplateInstance, resource) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return FALSE;
    HookWindowCreate();
    HWND window = ::CreateDialogIndirectParamA(m_hTemplateInstance, dialogTemplate, owner, &PassiveDialogProcedure, 0);
    UnhookWindowCreate();
    return window && m_hWnd == window;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::Create(const char* templateName, CWnd* parent) {
    m_pParentWnd = parent;
    m_modalRunning = false;
    return CreateFromTemplate(templateName, parent ? parent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner(m_pParentWnd, this);
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_modalRunning = true;
    m_modalEnded = false;
    m_modalResult = -1;
    if (CreateFromTemplate(MAKEINTRESOURCEA(m_nIDTemplate), owner)) {
        RunModalLoop();
        // Hidden first, so that activation goes back to the owner and nowhere else.
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    m_modalRunning = false;
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    const ModalDepth depth;
    MSG msg;
    while (!m_modalEnded && m_hWnd) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && depth.IsOutermost())
            CWnd::DeleteTempMap();
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the loop and stays for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    if (m_modalRunning) {
        m_modalEnded = true;
        PostMessage(WM_NULL);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    const bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                       (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && m_hWnd && ::IsDialogMessageA(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        DefWindowProc(message, wParam, lParam);
        return OnInitDialog();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}
