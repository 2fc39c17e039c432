#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// The services of the maker's web server for a host program: the service file downloaded once
// per start, the usage log, the update notice and its setup, the notice window and the about
// box. An invisible child of the host's main window; the download runs on a worker thread that
// reports back with kWorkerDone.
class SELKOR_API CAPPCommonServiceWnd : public CWnd {
public:
    enum : UINT {
        kWorkerDone = 0x8001,     // wParam 1: the service file is available
        kCloseDialogs = 0x7D18,   // closes the notice, about and download dialogs
    };
    enum : UINT_PTR { kStartTimer = 11 };
    enum : UINT { kStartDelayMs = 10000 };

    CAPPCommonServiceWnd();
    ~CAPPCommonServiceWnd() override;

    BOOL Create(HWND parent, HICON icon);
    void SetServiceID(const char* id, const char* name);
    void SetVersionAlarm(int enable) { m_versionAlarm = enable; }
    void SetNoticeDialog(int show, DWORD align, int modal);
    void SetMakeServiceLog(int enable) { m_serviceLog = enable; }

    int IsNoVersionAlarm();
    void SetNoVersionAlarm(int off);

    // The update check the user asked for: 1 when the service file was available, else 0.
    int CheckVersionAlarm(HWND parent);
    // The automatic update notice, once per process.
    void ShowVersionAlarm(HWND parent);
    // The notice window of [POPUP] or [POPUP.name]; the modeless window, or null.
    HWND ShowNoticeDialog(HWND parent, const char* name, DWORD align, int modal);
    CSize GetNoticeDialogSize(const char* name);
    // Modal; a null parent means this window.
    void ShowAboutDialog(HWND parent);
    void GotoHelpPage();

    HICON GetAppIcon() const { return m_hAppIcon; }
    void SetAppIcon(HICON icon) { m_hAppIcon = icon; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static DWORD WINAPI ThreadInitialize(void* window);
    void StartDownload();
    void StopDownload();
    void OnServiceFile(bool available);
    // Once per process, when the service file is available.
    void MakeServiceLog();
    HWND Owner(HWND parent) const { return parent ? parent : m_hWnd; }

    CString m_displayName;  // the about box's; the service id is process-wide
    HICON m_hAppIcon;
    HWND m_hNoticeWnd;
    int m_versionAlarm;
    int m_notice;
    DWORD m_noticeAlign;
    int m_noticeModal;
    int m_serviceLog;
    HANDLE m_hWorker;
    void* volatile m_downloadSession;  // the worker's Internet session, closed to abort it
};
