#include "NoticeDlg.h"

#include "NoticeIds.h"
#include "ServiceFile.h"

CString CNoticeDlg::SectionOf(const char* name) {
    return name && *name ? CString("POPUP.") + name : CString("POPUP");
}

CSize CNoticeDlg::ClientSizeOf(const char* name) {
    const CString section = SectionOf(name);
    if (CServiceFile::Read(section, "URL").IsEmpty())
        return CSize(0, 0);
    return CSize(CServiceFile::ReadInt(section, "ClientCX", 0), CServiceFile::ReadInt(section, "ClientCY", 0));
}

HWND CNoticeDlg::Show(HWND parent, const char* name, DWORD align, int modal, HICON icon, HWND& modeless) {
    if (modeless && ::IsWindow(modeless))
        return nullptr;
    modeless = nullptr;
    const CString address = CServiceFile::Read(SectionOf(name), "URL");
    if (address.IsEmpty())
        return nullptr;
    const CSize clientSize = ClientSizeOf(name);
    if (modal) {
        CNoticeDlg dialog(address, clientSize, align, CWnd::FromHandle(parent));
        dialog.SetIcon(icon, true);
        dialog.SetIcon(icon, false);
        dialog.DoModal();
        return nullptr;
    }
    CNoticeDlg* dialog = new CNoticeDlg(address, clientSize, align, CWnd::FromHandle(parent));
    dialog->SetIcon(icon, true);
    dialog->SetIcon(icon, false);
    if (!dialog->Create(IDD_NOTICE, CWnd::FromHandle(parent))) {
        delete dialog;
        return nullptr;
    }
    // Set only now: a window that never came to be never deletes its object.
    dialog->SetAutoDelete(true);
    modeless = dialog->m_hWnd;
    return modeless;
}

void CNoticeDlg::DestroyModeless(HWND& modeless) {
    if (modeless && ::IsWindow(modeless))
        ::DestroyWindow(modeless);
    modeless = nullptr;
}

CNoticeDlg::CNoticeDlg(const CString& address, CSize clientSize, DWORD align, CWnd* parent)
    : CServiceDialog(IDD_NOTICE, parent), m_address(address), m_clientSize(clientSize), m_align(align) {
    SetDialogAlign(align);
}

BOOL CNoticeDlg::OnInitDialog() {
    CServiceDialog::OnInitDialog();
    CRect client;
    GetClientRect(client);
    m_browser.Create(this, client, IDC_NOTICE_BROWSER, this);
    SizeXYRate(m_browser.m_hWnd, 100, 100);
    FitClientArea();
    m_browser.Navigate(m_address);
    return TRUE;
}

void CNoticeDlg::FitClientArea() {
    if (m_clientSize.cx <= 0 || m_clientSize.cy <= 0)
        return;
    CRect frame(0, 0, m_clientSize.cx - 1, m_clientSize.cy - 1);
    ::AdjustWindowRectEx(frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    AlignDialog(m_align);
}

