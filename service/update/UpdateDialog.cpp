#include "UpdateDialog.h"

#include "SelkorModule.h"
#include "UpdateDialogIds.h"

namespace {
const int kLineHeightOffset = 3;
}

CUpdateDialog::CUpdateDialog(CWnd* parent, HICON icon, const char* message, bool withSetup)
    : CLangResizeDlg(IDD_UPDATE_NOTICE, parent),
      m_icon(icon),
      m_message(message),
      m_withSetup(withSetup),
      m_choice(choiceDoNotUpdate) {
    m_hTemplateInstance = SelkorModule();
}

void CUpdateDialog::BindControls() {
    m_text.SubclassDlgItem(IDC_UPDATE_TEXT, this);
    m_text.SetLineHeightOffset(kLineHeightOffset);
}

BOOL CUpdateDialog::OnInitDialog() {
    SetBackgroundColor(RGB(236, 233, 216));
    CLangResizeDlg::OnInitDialog();
    if (m_icon)
        ::SendDlgItemMessageA(m_hWnd, IDC_UPDATE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon), 0);
    // Set after the translation of the template, so a message is never taken for a text key.
    m_text.SetScript(m_message);
    if (m_withSetup)
        ::SetDlgItemTextA(m_hWnd, IDOK, TXT("지금 업데이트"));
    return FALSE;
}

void CUpdateDialog::OnOK() {
    if (CWnd* main = AfxGetMainWnd())
        if (main->m_hWnd)
            ::ShowWindow(main->m_hWnd, SW_MINIMIZE);
    Close(choiceUpdate);
}

// Escape and the close box arrive here too.
void CUpdateDialog::OnCancel() { Close(choiceDoNotUpdate); }

BOOL CUpdateDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_UPDATE_LATER && HIWORD(wParam) == BN_CLICKED) {
        Close(choiceRemindLater);
        return TRUE;
    }
    return CLangResizeDlg::OnCommand(wParam, lParam);
}

void CUpdateDialog::Close(CChoice choice) {
    m_choice = choice;
    EndDialog(IDOK);
}
