#include "ServiceDialog.h"

#include "APPCommonServiceWnd.h"
#include "SelkorModule.h"
#include "ServiceDialogs.h"

CServiceDialog::CServiceDialog(UINT templateId, CWnd* parent) : CLangResizeDlg(templateId, parent) {
    m_hTemplateInstance = SelkorModule();
}

BOOL CServiceDialog::OnInitDialog() {
    BOOL result = CLangResizeDlg::OnInitDialog();
    CServiceDialogs::Add(m_hWnd);
    return result;
}

LRESULT CServiceDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CAPPCommonServiceWnd::kCloseDialogs:
        OnCancel();
        return 0;
    case WM_DESTROY:
        CServiceDialogs::Remove(m_hWnd);
        break;
    }
    return CLangResizeDlg::WindowProc(message, wParam, lParam);
}
