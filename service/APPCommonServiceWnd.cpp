#include "APPCommonServiceWnd.h"

#include <wininet.h>

#include "MakerServer.h"
#include "ServiceDialogs.h"
#include "ServiceFile.h"
#include "ServiceRequest.h"
#include "ServiceState.h"
#include "ServiceTexts.h"
#include "UtilityLib.h"
#include "advert/APPMainAdCtrl.h"
#include "notice/NoticeDlg.h"

namespace {

const UINT kServiceWindowId = 0xFFFF;
const DWORD kWorkerPatienceMs = 3000;

// The usage log must not hold the window while a slow network answers.
DWORD WINAPI TouchAndFree(void* url) {
    CString* address = static_cast<CString*>(url);
    CServiceRequest::Touch(*address);
    delete address;
    return 0;
}

void TouchInBackground(const CString& url) {
    CString* address = new CString(url);
    HANDLE thread = CreateThread(nullptr, 0, TouchAndFree, address, 0, nullptr);
    if (thread)
        CloseHandle(thread);
    else
        delete address;
}

CString Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString date;
    date.Format("%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    return date;
}

}  // namespace

CAPPCommonServiceWnd::CAPPCommonServiceWnd()
    : m_hAppIcon(nullptr),
      m_hNoticeWnd(nullptr),
      m_versionAlarm(0),
      m_notice(0),
      m_noticeAlign(0),
      m_noticeModal(1),
      m_serviceLog(0),
      m_hWorker(nullptr),
      m_downloadSession(nullptr) {}

CAPPCommonServiceWnd::~CAPPCommonServiceWnd() { StopDownload(); }

// The language table has no lock, so its texts are loaded here on the window thread, not by the
// worker, and before any dialog of the service can ask for them.
BOOL CAPPCommonServiceWnd::Create(HWND parent, HICON icon) {
    m_hAppIcon = icon;
    CServiceTexts::Load();
    return CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 0, 0), CWnd::FromHandle(parent), kServiceWindowId);
}

void CAPPCommonServiceWnd::SetServiceID(const char* id, const char* name) {
    m_displayName = name ? name : "";
    CServiceState::SetServiceID(id, name);
}

void CAPPCommonServiceWnd::SetNoticeDialog(int show, DWORD align, int modal) {
    m_notice = show;
    m_noticeAlign = align;
    m_noticeModal = modal;
}

LRESULT CAPPCommonServiceWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(kStartTimer, kStartDelayMs);
        break;
    case WM_TIMER:
        if (wParam != kStartTimer)
            break;
        KillTimer(kStartTimer);
        StartDownload();
        return 0;
    case kWorkerDone:
        OnServiceFile(wParam != 0);
        return 0;
    case kCloseDialogs:
        CServiceDialogs::CloseAll();
        return 0;
    case WM_DESTROY:
        StopDownload();
        // The notice is owned by the top-level window, so it would outlive this one.
        CNoticeDlg::DestroyModeless(m_hNoticeWnd);
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CAPPCommonServiceWnd::StartDownload() {
    if (m_hWorker && WaitForSingleObject(m_hWorker, 0) == WAIT_TIMEOUT)
        return;
    if (m_hWorker)
        CloseHandle(m_hWorker);
    m_hWorker = CreateThread(nullptr, 0, ThreadInitialize, this, CREATE_SUSPENDED, nullptr);
    if (m_hWorker)
        ResumeThread(m_hWorker);
}

void CAPPCommonServiceWnd::StopDownload() {
    if (!m_hWorker)
        return;
    void* session = InterlockedExchangePointer(const_cast<void**>(&m_downloadSession), nullptr);
    if (session)
        InternetCloseHandle(static_cast<HINTERNET>(session));
    if (WaitForSingleObject(m_hWorker, kWorkerPatienceMs) == WAIT_TIMEOUT)
        TerminateThread(m_hWorker, 0);
    CloseHandle(m_hWorker);
    m_hWorker = nullptr;
}

// The window outlives its worker: it stops the worker before it goes.
DWORD WINAPI CAPPCommonServiceWnd::ThreadInitialize(void* window) {
    CAPPCommonServiceWnd* self = static_cast<CAPPCommonServiceWnd*>(window);
    bool available = CServiceFile::Download(const_cast<void**>(&self->m_downloadSession)) ||
                     CServiceFile::OldCopyAvailable();
    CServiceState::SetServiceFileAvailable(available);
    ::PostMessageA(self->m_hWnd, kWorkerDone, available ? 1 : 0, 0);
    return 0;
}

void CAPPCommonServiceWnd::OnServiceFile(bool available) {
    if (!available) {
        SetTimer(kStartTimer, kStartDelayMs);
        return;
    }
    if (m_serviceLog)
        MakeServiceLog();
    HWND parent = ::GetParent(m_hWnd);
    if (m_versionAlarm)
        ShowVersionAlarm(parent);
    if (m_notice)
        ShowNoticeDialog(parent, nullptr, m_noticeAlign, m_noticeModal);
    CAPPMainAdCtrl::AdUpdateNow();
}

void CAPPCommonServiceWnd::MakeServiceLog() {
    if (!CServiceState::IsServiceFileAvailable() || !CServiceState::TakeOnce(CServiceState::onceUsageLog))
        return;
    CString config = CServiceState::ConfigPath();
    CString lastDate = CUtilityLib::GetPrivateProfileStringA("Application", "Date", config);
    CUtilityLib::WritePrivateProfileStringA("Application", "Date", Today(), config);
    CString address = CMakerServer::Address(CServiceState::IsKorean() ? "/log/makelog.php" : "/log/makelog.eng.php") +
                      CServiceState::Query();
    if (lastDate.IsEmpty())
        address += "&first=1";
    TouchInBackground(address);
}
