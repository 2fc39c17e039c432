#pragma once
#include "Handle.h"
#include "ServiceDialog.h"
#include "SetupTransfer.h"
#include "SelkorApi.h"

// Fetches the setup program on a worker thread and shows how far it got. The worker only posts:
// kProgress with the percentage, then kWorkerDone with 1 for a complete file. The dialog then
// hands the file to CSetupLaunch and closes; closing it earlier (Escape, the close box, the
// service window's close message) stops the worker and leaves no partial file.
class SELKOR_API CDownloadDialog : public CServiceDialog {
public:
    enum : UINT {
        kProgress = WM_APP + 0x18,
        kWorkerDone = 0x8001,
    };

    CDownloadDialog(CWnd* parent, HICON icon, const char* url, const char* target);
    ~CDownloadDialog() override;

    // After DoModal: the setup went on (CSetupLaunch::Finish accepted the file).
    bool SetupWentOn() const { return m_setupWentOn; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    static DWORD WINAPI WorkerEntry(void* dialog);
    void StartWorker();
    void StopWorker();
    void OnWorkerDone(bool complete);

    HICON m_icon;
    CString m_url;
    CString m_target;
    CSetupTransfer m_transfer;
    CHandle m_worker;
    bool m_ended;  // finished or cancelled: a late kWorkerDone changes nothing
    bool m_setupWentOn;
};
