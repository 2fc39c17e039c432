#include "APPCommonServiceWnd.h"
#include "NoticeDlg.h"

HWND CAPPCommonServiceWnd::ShowNoticeDialog(HWND parent, const char* name, DWORD align, int modal) {
    return CNoticeDlg::Show(Owner(parent), name, align, modal, m_hAppIcon, m_hNoticeWnd);
}

CSize CAPPCommonServiceWnd::GetNoticeDialogSize(const char* name) { return CNoticeDlg::ClientSizeOf(name); }
