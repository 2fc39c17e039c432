#include "ResizeDlg.h"

#include "WindowFacts.h"

HICON CResizeDlg::s_globalIcon = nullptr;

CResizeDlg::CResizeDlg(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent),
      m_autoDelete(false),
      m_modal(false),
      m_bigIcon(nullptr),
      m_smallIcon(nullptr),
      m_dialogAlign(0),
      m_minSize(-1, -1),
      m_initialClientSize(-1, -1),
      m_initialWindowSize(-1, -1),
      m_maxWidth(-1),
      m_maxHeight(-1),
      m_layingOut(false),
      m_layoutPending(false),
      m_backgroundColour(RGB(236, 233, 216)),
      m_backgroundBrush(m_backgroundColour),
      m_defaultButton(IDOK) {}

CResizeDlg::~CResizeDlg() {
    // The window goes before the owned controls, and must not delete this object again.
    m_autoDelete = false;
    if (m_hWnd)
        DestroyWindow();
}

INT_PTR CResizeDlg::DoModal() {
    m_modal = true;
    return CDialog::DoModal();
}

BOOL CResizeDlg::Create(const char* templateName, CWnd* parent) {
    m_modal = false;
    return CDialog::Create(templateName, parent);
}

void CResizeDlg::SetGlobalIcon(HICON icon) { s_globalIcon = icon; }

void CResizeDlg::SetIcon(HICON icon, bool big) {
    (big ? m_bigIcon : m_smallIcon) = icon;
    if (m_hWnd)
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void CResizeDlg::ApplyIcons() {
    if (m_bigIcon)
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    HICON smallIcon = m_smallIcon ? m_smallIcon : s_globalIcon;
    if (smallIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

void CResizeDlg::EnableDlgItem(UINT id, BOOL enable) {
    if (HWND item = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(item, enable);
}

BOOL CResizeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    InitResize(-1, -1);
    ApplyIcons();
    BindControls();
    SubclassTemplateControls();
    ChooseDefaultButton();
    AlignDialog(m_dialogAlign);
    return FALSE;
}

void CResizeDlg::ChooseDefaultButton() {
    m_defaultButton = IDOK;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HasWindowClass(child, "BUTTON") && (GetStyleOf(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            m_defaultButton = ::GetDlgCtrlID(child);
            break;
        }
    }
    SendMessage(DM_SETDEFID, m_defaultButton);
}

BOOL CResizeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
    if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
        auto found = m_focusDefaultButtons.find(LOWORD(wParam));
        if (found != m_focusDefaultButtons.end())
            SendMessage(DM_SETDEFID, code == EN_SETFOCUS ? found->second : m_defaultButton);
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CResizeDlg::OnOK() {
    if (m_modal)
        CDialog::OnOK();
    else
        CloseModeless();
}

void CResizeDlg::OnCancel() {
    if (m_modal)
        CDialog::OnCancel();
    else
        CloseModeless();
}

void CResizeDlg::CloseModeless() {
    // Not CWnd::DestroyWindow: it reads this object after the window is gone, and a self-deleting
    // dialog no longer exists by then. Nothing may touch members after this call.
    ::DestroyWindow(m_hWnd);
}

void CResizeDlg::PostNcDestroy() {
    ForgetWindowState();
    // DoModal still uses the object after its window is destroyed.
    if (m_autoDelete && !m_modal)
        delete this;
}

void CResizeDlg::ForgetWindowState() {
    m_layout.clear();
    m_decorations.clear();
    m_ownedControls.clear();
}

LRESULT CResizeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnCtlColor(reinterpret_cast<HDC>(wParam));
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
