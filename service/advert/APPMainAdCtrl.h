#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>

#include "Framework.h"
#include "Handle.h"
#include "PictureEx.h"
#include "SelkorApi.h"
#include "WindowList.h"

// The advert picture of a host window. It shows the image that the service file names in its
// section, cached beside Config.ini, and opens the advert's page when clicked. A refresh runs
// when a created control starts, every hour, and on AdUpdateNow; its download runs on a worker
// thread that only posts its result back, so the window is touched on its own thread alone.
class SELKOR_API CAPPMainAdCtrl : public CPictureEx {
public:
    enum : UINT { kRefreshNow = 0x8001 };
    enum : UINT_PTR { kRefreshTimer = 10 };
    enum : UINT { kRefreshPeriodMs = 3600000, kStopWaitMs = 3000 };

    // Section "MAINAD", or "MAINAD." + name when name is not empty.
    explicit CAPPMainAdCtrl(const char* name = "");
    ~CAPPMainAdCtrl() override;

    // Which edge stays where the template put it when the image gives the control a new width.
    void AlignRight() { m_leftAligned = false; }
    void AlignLeft() { m_leftAligned = true; }

    // Posts kRefreshNow to every advert control of the process.
    static void AdUpdateNow();

    // The worker of a refresh until its result has been applied, else null.
    HANDLE GetWorkerThread() const { return m_worker; }

    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;

private:
    enum : UINT {
        kShowCached = 0x8003,
        kFetched = 0x8004,  // the worker has ended; wParam 1: the image file is ready
    };

    void Prepare();
    CString ImagePath() const;
    void ShowImage();
    void Refresh();
    void OnFetched(bool ready);
    void OnClick();
    void StopWorker();
    static DWORD WINAPI FetchThread(LPVOID control);
    void Fetch();

    CString m_section;
    CString m_clickUrl;
    CRect m_createdRect;
    bool m_leftAligned;
    CHandle m_worker;
    std::atomic<bool> m_stop;
    void* m_session;  // the worker's Internet session while it downloads
    bool m_creating;
    bool m_refreshPending;
    std::mutex m_fetchedLock;
    CString m_fetchedUrl;

    static CWindowList m_arAdCtrl;
};
