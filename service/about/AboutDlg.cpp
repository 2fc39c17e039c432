#include "AboutDlg.h"

#include "AboutIds.h"
#include "Language.h"
#include "ServiceFile.h"
#include "ServiceState.h"

namespace {
const char kConnectingText[] = "#255,255,255#Connect to server....";
}

CString CAboutDlg::WithName(const char* key, const CString& name) {
    CString text = CLanguage::TXT(key);
    // "%" is ASCII and never a trail byte of CP949, so a byte search finds only real ones.
    text.Replace("%s", name);
    return text;
}

void CAboutDlg::Run(HWND owner, const CString& displayName, HICON icon) {
    Facts facts;
    facts.displayName = displayName;
    facts.version = CServiceState::LocalVersion();
    facts.address = CServiceFile::Read("About", "URL", "about:blank");
    facts.icon = icon;
    CAboutDlg dialog(facts, CWnd::FromHandle(owner));
    dialog.DoModal();
}

CAboutDlg::CAboutDlg(const Facts& facts, CWnd* parent) : CServiceDialog(IDD_ABOUT, parent), m_facts(facts) {
    SetIcon(facts.icon, true);
    SetIcon(facts.icon, false);
}

void CAboutDlg::BindControls() {
    m_subject.SubclassDlgItem(IDC_ABOUT_SUBJECT, this);
    m_home.SubclassDlgItem(IDC_ABOUT_HOME, this);
    m_connecting.SubclassDlgItem(IDC_ABOUT_CONNECTING, this);
}

BOOL CAboutDlg::OnInitDialog() {
    CServiceDialog::OnInitDialog();
    SetWindowText(WithName("ABOUT_PROGRAM", m_facts.displayName));
    ::SendDlgItemMessageA(m_hWnd, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_facts.icon), 0);
    m_subject.SetWindowTextA(WithName("ABOUT_SUBJECT", m_facts.displayName));
    m_home.SetWindowTextA(TXT("ABOUT_HOME"));
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, m_facts.version);
    m_connecting.SetWindowTextA(kConnectingText);
    // Off-screen, at the frame's size, so the page lays itself out for its final place.
    CRect hidden = FrameRect();
    hidden.OffsetRect(-hidden.right - 100, 0);
    m_browser.Create(this, hidden, IDC_ABOUT_BROWSER, this);
    m_browser.Navigate(m_facts.address);
    return TRUE;
}

CRect CAboutDlg::FrameRect() const {
    CRect frame;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_ABOUT_FRAME), frame);
    ScreenToClient(frame);
    return frame;
}

void CAboutDlg::OnPageShown(bool) {
    m_browser.MoveWindow(FrameRect());
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_ABOUT_FRAME), SW_HIDE);
    m_connecting.ShowWindow(SW_HIDE);
}

