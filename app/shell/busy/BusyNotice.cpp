#include "busy/BusyNotice.h"

#include "ShellLook.h"
#include "busy/BusyNoticeIds.h"

CBusyNotice::CBusyNotice() : CResizeDlg(IDD_BUSY_NOTICE) { SetDialogAlign(kAlignCentreOverParent); }

BOOL CBusyNotice::OnInitDialog() {
    ShellLook::SetAppIcon(*this);
    return CResizeDlg::OnInitDialog();
}

bool CBusyNotice::Show(CWnd* parent) {
    if (m_hWnd || !Create(IDD_BUSY_NOTICE, parent))
        return false;
    ShowWindow(SW_SHOW);
    // The caller blocks this thread next; the text control is painted with the notice.
    UpdateWindow();
    return true;
}

void CBusyNotice::Close() {
    if (m_hWnd)
        DestroyWindow();
}
