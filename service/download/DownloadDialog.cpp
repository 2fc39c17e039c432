#include "DownloadDialog.h"

#include <commctrl.h>

#include "DownloadDialogIds.h"
#include "SetupLaunch.h"

CDownloadDialog::CDownloadDialog(CWnd* parent, HICON icon, const char* url, const char* target)
    : CServiceDialog(IDD_SETUP_DOWNLOAD, parent),
      m_icon(icon),
      m_url(url),
      m_target(target),
      m_ended(false),
      m_setupWentOn(false) {
    const INITCOMMONCONTROLSEX progressClass = {sizeof progressClass, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&progressClass);
}

CDownloadDialog::~CDownloadDialog() { StopWorker(); }

BOOL CDownloadDialog::OnInitDialog() {
    CServiceDialog::OnInitDialog();
    if (m_icon)
        ::SendDlgItemMessageA(m_hWnd, IDC_DOWNLOAD_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon), 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_DOWNLOAD_PROGRESS, PBM_SETRANGE32, 0, 100);
    StartWorker();
    return TRUE;
}

void CDownloadDialog::StartWorker() {
    m_worker.Attach(CreateThread(nullptr, 0, &WorkerEntry, this, CREATE_SUSPENDED, nullptr));
    if (!m_worker.IsValid()) {
        PostMessage(kWorkerDone, 0);
        return;
    }
    ResumeThread(m_worker);
}

DWORD WINAPI CDownloadDialog::WorkerEntry(void* parameter) {
    auto* dialog = static_cast<CDownloadDialog*>(parameter);
    const HWND window = dialog->m_hWnd;
    bool complete = dialog->m_transfer.Run(dialog->m_url, dialog->m_target,
                                           [window](int percent) { ::PostMessageA(window, kProgress, percent, 0); });
    ::PostMessageA(window, kWorkerDone, complete ? 1 : 0, 0);
    return 0;
}

void CDownloadDialog::StopWorker() {
    if (!m_worker.IsValid())
        return;
    m_transfer.Stop();
    WaitForSingleObject(m_worker, INFINITE);
    m_worker.Close();
}

void CDownloadDialog::OnWorkerDone(bool complete) {
    m_ended = true;
    StopWorker();
    if (complete)
        m_setupWentOn = CSetupLaunch::Finish(m_target);
    else
        CSetupLaunch::OpenGotoPage();
    EndDialog(IDOK);
}

void CDownloadDialog::OnCancel() {
    m_ended = true;
    StopWorker();
    CServiceDialog::OnCancel();
}

LRESULT CDownloadDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kProgress:
        ::SendDlgItemMessageA(m_hWnd, IDC_DOWNLOAD_PROGRESS, PBM_SETPOS, wParam, 0);
        return 0;
    case kWorkerDone:
        if (!m_ended)
            OnWorkerDone(wParam != 0);
        return 0;
    case WM_DESTROY:
        StopWorker();
        break;
    }
    return CServiceDialog::WindowProc(message, wParam, lParam);
}
