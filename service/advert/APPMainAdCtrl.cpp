#include "APPMainAdCtrl.h"

#include <shellapi.h>

#include "CrashLog.h"
#include "ServiceFile.h"
#include "ServiceState.h"
#include "UtilityLib.h"

namespace {

const char kDefaultSection[] = "MAINAD";
const DWORD kTerminatedExitCode = 1;

bool IsFile(const char* path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CRect RectInParent(HWND window) {
    CRect rect;
    ::GetWindowRect(window, rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

CWindowList CAPPMainAdCtrl::m_arAdCtrl;

CAPPMainAdCtrl::CAPPMainAdCtrl(const char* name)
    : m_section(kDefaultSection),
      m_leftAligned(true),
      m_stop(false),
      m_session(nullptr),
      m_creating(false),
      m_refreshPending(false) {
    if (name && *name)
        m_section += CString(".") + name;
}

CAPPMainAdCtrl::~CAPPMainAdCtrl() {
    // The base destructor would destroy the window past this class's WM_DESTROY handling.
    if (m_hWnd)
        DestroyWindow();
    StopWorker();
}

void CAPPMainAdCtrl::AdUpdateNow() { m_arAdCtrl.PostToAll(kRefreshNow); }

BOOL CAPPMainAdCtrl::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                              const RECT& rect, CWnd* parent, UINT id) {
    // Hidden until it has an image; WS_VISIBLE would show it again after WM_CREATE.
    m_creating = true;
    const BOOL created = CPictureEx::CreateEx(exStyle, className, windowName, style & ~WS_VISIBLE, rect, parent, id);
    m_creating = false;
    return created;
}

void CAPPMainAdCtrl::PreSubclassWindow() {
    CPictureEx::PreSubclassWindow();
    if (m_creating)
        return;  // WM_CREATE prepares a created control
    Prepare();
    // Not subclassed yet: the picture control would not see the image's text now.
    PostMessage(kShowCached);
}

void CAPPMainAdCtrl::Prepare() {
    m_createdRect = RectInParent(m_hWnd);
    // A static without SS_NOTIFY is transparent to the mouse: no cursor, no click.
    ModifyStyle(0, SS_NOTIFY);
    ShowWindow(SW_HIDE);
    m_arAdCtrl.Add(m_hWnd);
}

// All in lower case; "" without an application-data folder, so nothing lands at a drive root.
CString CAPPMainAdCtrl::ImagePath() const {
    const CString folder = CUtilityLib::GetAppDataPath(true, true);
    if (folder.IsEmpty())
        return CString();
    CString path = folder + "\\image\\" + m_section + ".gif";
    path.MakeLower();
    return path;
}

void CAPPMainAdCtrl::ShowImage() {
    const CString file = ImagePath();
    if (file.IsEmpty() || !IsFile(file))
        return;
    SetWindowTextA("\n" + file);
    if (!HasPicture())
        return;
    const CSize size = GetPictureSize();
    const CRect now = RectInParent(m_hWnd);
    const int left = m_leftAligned ? now.left : m_createdRect.right - size.cx;
    SetWindowPos(nullptr, left, now.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
}

void CAPPMainAdCtrl::Refresh() {
    if (!CServiceState::IsServiceFileAvailable())
        return;
    SetTimer(kRefreshTimer, kRefreshPeriodMs);
    if (m_worker.IsValid()) {
        m_refreshPending = true;
        return;
    }
    m_stop = false;
    m_worker.Attach(::CreateThread(nullptr, 0, &CAPPMainAdCtrl::FetchThread, this, CREATE_SUSPENDED, nullptr));
    if (m_worker.IsValid())
        ::ResumeThread(m_worker);
}

void CAPPMainAdCtrl::OnFetched(bool ready) {
    // The worker posted this as its last act.
    ::WaitForSingleObject(m_worker, kStopWaitMs);
    m_worker.Close();
    if (ready) {
        {
            std::lock_guard<std::mutex> hold(m_fetchedLock);
            m_clickUrl = m_fetchedUrl;
        }
        ShowImage();
    }
    if (m_refreshPending) {
        m_refreshPending = false;
        Refresh();
    }
}

void CAPPMainAdCtrl::OnClick() {
    if (!m_clickUrl.IsEmpty())
        ::ShellExecuteA(m_hWnd, "open", m_clickUrl, nullptr, nullptr, SW_SHOW);
}

void CAPPMainAdCtrl::StopWorker() {
    m_stop = true;
    // Closing the session makes a download that blocks in WinINet return.
    if (HINTERNET session = static_cast<HINTERNET>(InterlockedExchangePointer(&m_session, nullptr)))
        ::InternetCloseHandle(session);
    if (m_worker.IsValid() && ::WaitForSingleObject(m_worker, kStopWaitMs) == WAIT_TIMEOUT)
        ::TerminateThread(m_worker, kTerminatedExitCode);
    m_worker.Close();
    m_refreshPending = false;
}

DWORD WINAPI CAPPMainAdCtrl::FetchThread(LPVOID control) {
    try {
        static_cast<CAPPMainAdCtrl*>(control)->Fetch();
    } catch (...) {
        // Nothing may unwind into the system's thread start; the old image stays.
    }
    return 0;
}

void CAPPMainAdCtrl::Fetch() {
    const CString file = ImagePath();
    const CString image = CServiceFile::Read(m_section, "IMAGE");
    bool ready = false;
    if (!file.IsEmpty() && !image.IsEmpty()) {
        CUtilityLib::CreateMultiFolder(file, 0);
        const CString version = CServiceFile::Read(m_section, "VER");
        const CString config = CServiceState::ConfigPath();
        const CString cached = CUtilityLib::GetPrivateProfileStringA(m_section, "VER", config);
        ready = !cached.IsEmpty() && cached.CompareNoCase(version) == 0 && IsFile(file);
        if (!ready && !m_stop) {
            CCrashLog::Set("MainAdDownload 1 :%s", (const char*)image);
            ready = CUtilityLib::DownloadURL(image, file, &m_session);
            CCrashLog::Set(nullptr);
            if (ready)
                CUtilityLib::WritePrivateProfileStringA(m_section, "VER", version, config);
        }
    }
    if (m_stop)
        return;
    if (ready) {
        std::lock_guard<std::mutex> hold(m_fetchedLock);
        m_fetchedUrl = CServiceFile::Read(m_section, "URL");
    }
    ::PostMessageA(m_hWnd, kFetched, ready, 0);
}

LRESULT CAPPMainAdCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CPictureEx::WindowProc(message, wParam, lParam);
        if (result != -1) {
            Prepare();
            ShowImage();
            Refresh();
        }
        return result;
    }
    case kRefreshNow:
        Refresh();
        return 0;
    case kShowCached:
        ShowImage();
        return 0;
    case kFetched:
        OnFetched(wParam != 0);
        return 0;
    case WM_TIMER:
        if (wParam != kRefreshTimer)
            break;
        KillTimer(kRefreshTimer);
        Refresh();
        return 0;
    case WM_SETCURSOR:
        if (m_clickUrl.IsEmpty())
            break;
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDOWN:
        OnClick();
        break;
    case WM_DESTROY:
        KillTimer(kRefreshTimer);
        m_arAdCtrl.Remove(m_hWnd);
        StopWorker();
        break;
    }
    return CPictureEx::WindowProc(message, wParam, lParam);
}
