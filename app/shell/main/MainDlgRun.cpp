#include "main/MainDlg.h"

#include <memory>

#include "CleaningRun.h"
#include "RunProgress.h"
#include "ShellState.h"
#include "UtilityLib.h"
#include "admin/AdminMode.h"
#include "busy/BusyNotice.h"
#include "progress/ProgressDlg.h"

namespace {

const DWORD kStopWaitMs = 5000;
const DWORD kBusyNoticeMs = 500;

// The three tab-separated fields of a registry finding; missing ones are empty.
void SplitFinding(const char* text, CString fields[3]) {
    const char* start = text;
    for (int field = 0; field < 3; ++field) {
        const char* tab = strchr(start, '\t');
        if (!tab || field == 2) {
            fields[field] = start;
            return;
        }
        fields[field] = CString(start, static_cast<int>(tab - start));
        start = tab + 1;
    }
}

}  // namespace

void CMainDlg::RunWithProgressThenMaybeEnd() {
    RunWithProgress(0, 1);
    if (ShellState::PowerOffRequest())
        PostMessage(WM_CLOSE_NOW);
}

void CMainDlg::RunWithProgress(int logoutFlag, int askFlag) {
    if (m_progress && m_progress->GetSafeHwnd())
        return;
    ResetEvent(m_runFinished);
    if (logoutFlag)
        StartDialogHider(m_runFinished, m_hWnd, m_progressWindow);
    CProgressDlg progress;
    m_progress = &progress;
    progress.SetAutoClose(1);
    if (logoutFlag && CUtilityLib::GetPrivateProfileIntA("Option", "SilentCleanAtShutdown", 0, m_configPath))
        progress.SetSilent(1);
    PostMessage(WM_START_RUN, logoutFlag, askFlag);
    progress.DoModal();
    ShellState::SetPowerOffRequest(progress.GetPowerOff());
    m_progress = nullptr;
    m_progressWindow = nullptr;
    // The worker has posted its end; its handle goes once the thread has left.
    if (m_worker) {
        WaitForSingleObject(m_worker, kStopWaitMs);
        CloseHandle(m_worker);
        m_worker = nullptr;
    }
    SetEvent(m_runFinished);
}

LRESULT CMainDlg::OnStartRun(int logoutFlag, int askFlag) {
    if (!m_progress)
        return 1;
    m_progressWindow = m_progress->GetSafeHwnd();
    if (!EndInternetExplorer(askFlag)) {
        m_progress->Close();
        return 1;
    }
    m_registryCount = 0;
    ShellState::SetLogoutRun(logoutFlag);
    ResetEvent(m_stopEvent);

    auto request = std::make_unique<CleaningRunRequest>();
    request->notifyWindow = m_hWnd;
    request->stopEvent = m_stopEvent;
    request->logoutFlag = logoutFlag;
    SaveChecks(&request->checkedIds);
    request->configIni = m_configPath;
    request->backupFolder = CUtilityLib::GetAppDataLocalPath(true);
    HANDLE worker = CreateThread(nullptr, 0, &CleaningRunThread, request.get(), CREATE_SUSPENDED, nullptr);
    if (!worker) {
        m_progress->RunEnded();
        return 1;
    }
    request.release();
    m_worker = worker;
    ResumeThread(worker);
    return 1;
}

// False when the user would rather keep Internet Explorer open: then no run happens.
bool CMainDlg::EndInternetExplorer(int askFlag) {
    if (!CUtilityLib::GetPrivateProfileIntA("Option", "KillIE", 1, m_configPath))
        return true;
    CDWordArray processes;
    CUtilityLib::NTGetProcessIDFromFileName("iexplore.exe", processes);
    if (processes.GetSize() == 0)
        return true;
    if (askFlag &&
        MessageBoxA(m_hWnd,
                    "청소 실행하기 전에 InternetExplore를 지금 강제 종료합니다. (옵션에서 설정).\n\n"
                    "저장되지 않은 정보가 있다면, 지금 정보를 저장하거나 [취소]를 선택하세요",
                    "알림", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return false;
    for (int i = 0; i < processes.GetSize(); ++i) {
        HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processes[i]);
        if (!process)
            continue;
        TerminateProcess(process, static_cast<UINT>(-1));
        CloseHandle(process);
    }
    return true;
}

void CMainDlg::OnRunProgress(WPARAM type, LPARAM data) {
    std::unique_ptr<char[]> finding(type == kProgressRegistryFinding ? reinterpret_cast<char*>(data) : nullptr);
    if (!m_progress || !m_progress->GetSafeHwnd())
        return;
    const int id = static_cast<int>(data);
    switch (type) {
    case kProgressAddItem:
        m_progress->AddItem(id);
        break;
    case kProgressDeleting:
        m_progress->MarkDeleting(id);
        break;
    case kProgressDone:
        m_progress->MarkDone(id);
        break;
    case kProgressEnded:
        m_progress->RunEnded();
        break;
    case kProgressClose:
        m_progress->Close();
        break;
    case kProgressRepaint:
        m_progress->RepaintItems();
        break;
    case kProgressRegistryFinding:
        if (finding) {
            CString fields[3];
            SplitFinding(finding.get(), fields);
            m_progress->AddRegistryEntry(fields[0], fields[1], fields[2]);
            ++m_registryCount;
        }
        break;
    }
}

void CMainDlg::OnStopRun() {
    if (!m_worker)
        return;
    SetEvent(m_stopEvent);
    if (WaitForSingleObject(m_worker, kStopWaitMs) == WAIT_TIMEOUT)
        TerminateThread(m_worker, static_cast<DWORD>(-1));
    CloseHandle(m_worker);
    m_worker = nullptr;
    PostMessage(WM_RUN_PROGRESS, kProgressClose, 0);
}

void CMainDlg::OnListButtonClick(HWND window, LPARAM lineAndColumn) {
    if (HIWORD(lineAndColumn) != 2)
        return;
    ItemList* list = ListOfWindow(window);
    if (!list)
        return;
    const int id = ItemOfLine(*list, static_cast<short>(LOWORD(lineAndColumn)));
    if (!id)
        return;
    if (!AdminMode::IsRunningAsAdmin() && Catalogue::IsAdministratorItem(id)) {
        AdminMode::AskAndRestart(m_hWnd, AdminMode::kLineButtonQuestion);
        return;
    }
    RunOneItem(*list, id);
}

// On this thread, with the busy notice in front: no progress window, no check saved.
void CMainDlg::RunOneItem(const ItemList& list, int id) {
    CString backupFile;
    if (list.tab == Catalogue::Tab::Registry) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        backupFile = CRegBackupWriter::RunFileName(CUtilityLib::GetAppDataLocalPath(true), now);
        CUtilityLib::CreateMultiFolder(backupFile, 0);
    }
    CBusyNotice notice;
    notice.Show(this);
    RunSingleItem(id, backupFile);
    Sleep(kBusyNoticeMs);
    notice.Close();
}
