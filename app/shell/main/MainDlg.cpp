#include "main/MainDlg.h"

#include <shellapi.h>

#include "APPCommonServiceWnd.h"
#include "MakerServer.h"
#include "RunProgress.h"
#include "Settings.h"
#include "ShellLook.h"
#include "ShellState.h"
#include "UtilityLib.h"
#include "admin/AdminMode.h"
#include "main/BackupPruning.h"
#include "history/RegHistoryDlg.h"
#include "options/OptionsDlg.h"

namespace {

const char kMainKey[] = "Software\\Quillon\\vantrel";
const UINT_PTR kHideTimer = 1001;
const UINT_PTR kAutoStartRunTimer = 1002;
const COLORREF kListFrame = RGB(127, 127, 127);

}  // namespace

int CMainDlg::CCommands::OnExecute(CNGTPParser* packet) {
    if (packet->GetCommand() == "CloseWindow")
        m_owner.PostMessage(WM_CLOSE_NOW);
    return 1;
}

CMainDlg::CMainDlg(const char* commandLine)
    : CResizeDlg(IDD_MAIN),
      m_commands(*this),
      m_lists{{Catalogue::Tab::Internet, IDC_MAIN_LIST_INTERNET, IDC_MAIN_TAB_INTERNET, {}, {}, {}},
              {Catalogue::Tab::Program, IDC_MAIN_LIST_PROGRAM, IDC_MAIN_TAB_PROGRAM, {}, {}, {}},
              {Catalogue::Tab::Windows, IDC_MAIN_LIST_WINDOWS, IDC_MAIN_TAB_WINDOWS, {}, {}, {}},
              {Catalogue::Tab::Registry, IDC_MAIN_LIST_REGISTRY, IDC_MAIN_TAB_REGISTRY, {}, {}, {}}},
      m_icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON))),
      m_runFinished(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_worker(nullptr),
      m_registryCount(0),
      m_stopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_progress(nullptr),
      m_commandLine(commandLine),
      m_configPath(Settings::ConfigPath()),
      m_taskbarCreated(RegisterWindowMessageA("TaskbarCreated")) {
    ShellState::SetAppIcon(m_icon);
    CUtilityLib::CreateMultiFolder(m_configPath, 0);
    m_user32.Load("User32.dll", 0);
}

CMainDlg::~CMainDlg() {
    if (m_worker)
        CloseHandle(m_worker);
    CloseHandle(m_stopEvent);
    CloseHandle(m_runFinished);
}

void CMainDlg::BindControls() {
    for (ItemList& list : m_lists) {
        list.control.SubclassDlgItem(list.listId, this);
        list.tabButton.SubclassDlgItem(list.tabButtonId, this);
    }
    m_note.SubclassDlgItem(IDC_MAIN_NOTE, this);
    m_advert.SubclassDlgItem(IDC_MAIN_ADVERT, this);
}

BOOL CMainDlg::OnInitDialog() {
    CResizeDlg::OnInitDialog();
    m_commands.SetHandlerName("MainDlg");
    CUtilityLib::WriteRegistry(HKEY_CURRENT_USER, kMainKey, "Main",
                               static_cast<int>(reinterpret_cast<INT_PTR>(m_hWnd)));
    m_advert.AlignRight();
    SetUpLists();
    SetIcon(m_icon, true);
    SetIcon(m_icon, false);
    m_note.SetMargin(5, 3);
    SetTitle();
    FillLists();
    LoadChecks();

    CDWordArray checkedItems;
    CheckedLineItems(checkedItems);
    if (AdminMode::RightsWanted(m_configPath, checkedItems) && !AdminMode::IsRunningAsAdmin())
        AdminMode::RestartAsAdmin(m_commandLine);

    ShowTab(Catalogue::Tab::Internet);
    CAPPCommonServiceWnd& service = ShellState::ServiceWindow();
    if (!service.GetSafeHwnd()) {
        service.Create(m_hWnd, m_icon);
        service.SetVersionAlarm(1);
        service.SetNoticeDialog(1, 0, 0);
        service.SetMakeServiceLog(1);
    }
    SetUpTray();
    m_header.Load("IMAGE", MAKEINTRESOURCEA(IDR_MAIN_HEADER), GetModuleHandleA(nullptr));
    CentreOnScreen();
    ReportLastLogoutRun();
    StartAsLaunched();
    if (CUtilityLib::GetPrivateProfileIntA("Option", "RemoveOldRegistryInfo", 1, m_configPath))
        PruneRegistryBackups(CUtilityLib::GetAppDataLocalPath(true) + "\\RegHistory");
    return TRUE;
}

void CMainDlg::SetTitle() {
    CString caption;
    GetWindowText(caption);
    SetWindowText(caption + " - v" + ShellState::VersionText());
}

void CMainDlg::CentreOnScreen() {
    CRect window;
    GetWindowRect(&window);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - window.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::SetUpTray() {
    CArray<int, int> frames;
    frames.Add(m_tray.LoadIconA("TrayIcon.Ico"));
    if (!m_tray.GetSafeHwnd())
        m_tray.Create(WS_CHILD, CRect(0, 0, 0, 0), this, static_cast<UINT>(-1));
    m_tray.HideIcon();
    const CString tip = "Vantrel v" + ShellState::VersionText();
    m_tray.SetAnimate(frames, 100000);
    m_tray.ShowIcon(0, tip);
}

// The registry entries the last end of the session removed, once.
void CMainDlg::ReportLastLogoutRun() {
    m_reportViewed = 0;
    if (!CUtilityLib::GetPrivateProfileIntA("Option", "AlertRegistryCleanupInfo", 1, m_configPath))
        return;
    const int count = CUtilityLib::GetPrivateProfileIntA("Logout", "LastRegistryProcessed", 0, m_configPath);
    if (count <= 0)
        return;
    CUtilityLib::DeletePrivateProfile("Logout", "LastRegistryProcessed", m_configPath);
    CString question;
    question.Format("바로 전에 윈도우 종료(로그아웃)할 때 %d개의 레지스트리 정보가 정리되었습니다.\n\n"
                    "정리된 레지스트리 목록을 확인하겠습니까 ?",
                    count);
    if (MessageBoxA(m_hWnd, question, "확인", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_reportViewed = 1;
    ShowWindow(SW_SHOW);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RunRegistryHistory(this);
}

// The window shows itself unless Windows started the program ("startup" in the line).
void CMainDlg::StartAsLaunched() {
    if (m_commandLine.Find("startup") < 0) {
        ShowWindow(SW_SHOW);
    } else if (m_reportViewed) {
        SetTimer(kHideTimer, 100);
    } else if (CUtilityLib::GetPrivateProfileIntA("Option", "CleanupAtAutoStart", 0, m_configPath)) {
        ShowWindow(SW_SHOW);
        SetTimer(kAutoStartRunTimer, 3000);
    }
}

void CMainDlg::HideToTray() {
    ShowWindow(SW_HIDE);
    CUtilityLib::AniMinimizeToTray(m_hWnd);
}

void CMainDlg::RestoreFromTray() {
    if (!IsWindowVisible()) {
        CUtilityLib::AniMaximiseFromTray(m_hWnd);
        ShowWindow(SW_SHOW);
    }
    CUtilityLib::MSGSetForegroundWindow(m_hWnd);
}

void CMainDlg::AskAndEnd() {
    if (CUtilityLib::GetPrivateProfileIntA("Option", "CleanupAtLogout", 1, m_configPath) &&
        MessageBoxA(m_hWnd,
                    "프로그램을 종료하겠습니까 ?\n\n프로그램을 종료하면, 컴퓨터 종료 때 청소 실행이 되지 않습니다.",
                    "종료", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    EndDialog(IDCANCEL);
}

// Enter hides, Escape asks to end: the dialog keys mean what the two buttons mean.
void CMainDlg::OnOK() { HideToTray(); }
void CMainDlg::OnCancel() { AskAndEnd(); }

void CMainDlg::OnDestroy() {
    SaveChecks();
    if (m_tray.GetSafeHwnd())
        m_tray.HideIcon();
}

void CMainDlg::OnEraseBackground(HDC dc) {
    // The picture may be smaller than the window at large dialog units.
    ShellLook::PaintBackground(*this, dc, m_header);
    CRect frame = m_listArea;
    frame.InflateRect(1, 1);
    HBRUSH frameBrush = CreateSolidBrush(kListFrame);
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);
}

BOOL CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_MAIN_HIDE:
        HideToTray();
        return TRUE;
    case IDC_MAIN_EXIT:
        AskAndEnd();
        return TRUE;
    case IDC_MAIN_RUN:
        RunWithProgressThenMaybeEnd();
        return TRUE;
    case IDC_MAIN_QUICK_MODE:
        ApplySelectionMode(Catalogue::SelectionMode::Quick);
        return TRUE;
    case IDC_MAIN_FULL_MODE:
        ApplySelectionMode(Catalogue::SelectionMode::Full);
        return TRUE;
    case IDC_MAIN_TAB_INTERNET:
    case IDC_MAIN_TAB_PROGRAM:
    case IDC_MAIN_TAB_WINDOWS:
    case IDC_MAIN_TAB_REGISTRY:
        for (const ItemList& list : m_lists)
            if (list.tabButtonId == LOWORD(wParam))
                ShowTab(list.tab);
        return TRUE;
    case IDC_MAIN_CHECK_TAB:
        VisibleList().CheckAllItem();
        return TRUE;
    case IDC_MAIN_UNCHECK_TAB:
        VisibleList().UncheckAllItem();
        return TRUE;
    case IDC_MAIN_OPTIONS: {
        CDWordArray checkedItems;
        CheckedLineItems(checkedItems);
        RunOptionsDialog(this, checkedItems);
        return TRUE;
    }
    case IDC_MAIN_REGISTRY_HISTORY:
        RunRegistryHistory(this);
        return TRUE;
    case IDC_MAIN_CHECK_UPDATE:
        ShellState::ServiceWindow().CheckVersionAlarm(m_hWnd);
        return TRUE;
    case IDC_MAIN_HOME_PAGE:
        ShellExecuteA(m_hWnd, "open", CMakerServer::BaseUrl(), nullptr, nullptr, SW_SHOW);
        return TRUE;
    case IDC_MAIN_ABOUT_MENU:
    case IDC_MAIN_ABOUT:
        ShellState::ServiceWindow().ShowAboutDialog(m_hWnd);
        return TRUE;
    case IDC_MAIN_ADVANCED:
        return TRUE;
    }
    return CResizeDlg::OnCommand(wParam, lParam);
}

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_taskbarCreated && m_taskbarCreated) {
        SetUpTray();
        return 1;
    }
    switch (message) {
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        if (IsIconic(m_hWnd)) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(m_hWnd, &paint);
            CRect client;
            GetClientRect(&client);
            DrawIcon(dc, (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2,
                     (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2, m_icon);
            EndPaint(m_hWnd, &paint);
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            HideToTray();
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kHideTimer) {
            KillTimer(kHideTimer);
            HideToTray();
        } else if (wParam == kAutoStartRunTimer) {
            KillTimer(kAutoStartRunTimer);
            RunWithProgress(0, 0);
            if (ShellState::PowerOffRequest())
                PostMessage(WM_CLOSE_NOW);
        }
        break;
    case WM_DESTROY: {
        const LRESULT result = CResizeDlg::WindowProc(message, wParam, lParam);
        OnDestroy();
        return result;
    }
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(wParam, lParam);
    case WM_ENDSESSION:
        return OnEndSession(wParam, lParam);
    case WM_ACTIVATE_MAIN:
        RestoreFromTray();
        return kActivateAnswer;
    case WM_TRAY_NOTIFY:
        RestoreFromTray();
        return 1;
    case WM_CLOSE_NOW:
        EndDialog(IDOK);
        return 0;
    case WM_START_RUN:
        return OnStartRun(static_cast<int>(wParam), static_cast<int>(lParam));
    case WM_RUN_PROGRESS:
        OnRunProgress(wParam, lParam);
        return 0;
    case WM_STOP_RUN:
        OnStopRun();
        return 1;
    case UM_NOTIFYLISTBTNCLICK:
        OnListButtonClick(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case UM_NOTIFYLISTCHECK:
        OnLineCheckChanged(reinterpret_cast<HWND>(wParam), static_cast<int>(lParam));
        return 0;
    }
    return CResizeDlg::WindowProc(message, wParam, lParam);
}
