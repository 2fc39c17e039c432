#include "main/SessionEnd.h"

#include <memory>

#include "BinData.h"
#include "UtilityLib.h"

namespace {

const char kBlockReason[] = "시스템 청소 중입니다. 자동 종료될 때 까지 기다려 주십시요.";
const DWORD kHiderPeriodMs = 50;

struct HiderContext {
    HANDLE runFinished;
    HWND mainWindow;
    const std::atomic<HWND>* progressWindow;
};

bool IsSet(HANDLE event, DWORD waitMs) { return WaitForSingleObject(event, waitMs) == WAIT_OBJECT_0; }

DWORD WINAPI HideDialogs(LPVOID parameter) {
    std::unique_ptr<HiderContext> context(static_cast<HiderContext*>(parameter));
    while (!IsSet(context->runFinished, kHiderPeriodMs)) {
        const HWND progress = context->progressWindow->load();
        if (!progress)
            continue;
        for (HWND dialog = FindWindowExA(nullptr, nullptr, "#32770", nullptr); dialog;
             dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) {
            // Asynchronous: a program that does not answer cannot hold the hider up.
            if (dialog != context->mainWindow && dialog != progress && IsWindowVisible(dialog))
                ShowWindowAsync(dialog, SW_HIDE);
            if (IsSet(context->runFinished, 0))
                return 0;
        }
    }
    return 0;
}

}  // namespace

void CUser32Library::BindFunctions() {
    Bind(m_create, "ShutdownBlockReasonCreate");
    Bind(m_destroy, "ShutdownBlockReasonDestroy");
    Bind(m_query, "ShutdownBlockReasonQuery");
}

void CUser32Library::BlockWithReason(HWND window) {
    if (!IsLoaded())
        return;
    CBinData reason;
    CUtilityLib::ConvertToWideChar(kBlockReason, reason);
    m_create(window, reinterpret_cast<LPCWSTR>(reason.GetData()));
}

void CUser32Library::Unblock(HWND window) {
    if (IsLoaded())
        m_destroy(window);
}

void StartDialogHider(HANDLE runFinished, HWND mainWindow, const std::atomic<HWND>& progressWindow) {
    auto context = std::make_unique<HiderContext>(HiderContext{runFinished, mainWindow, &progressWindow});
    HANDLE thread = CreateThread(nullptr, 0, &HideDialogs, context.get(), CREATE_SUSPENDED, nullptr);
    if (!thread)
        return;
    context.release();
    ResumeThread(thread);
    CloseHandle(thread);
}
