#include "options/OptionsDlg.h"

#include <shellapi.h>

#include <iterator>

#include "APPCommonServiceWnd.h"
#include "MakerServer.h"
#include "Settings.h"
#include "ShellLook.h"
#include "ShellState.h"
#include "UtilityLib.h"
#include "admin/AdminMode.h"
#include "options/OptionsIds.h"

namespace {

struct OptionKey {
    UINT box;
    const char* key;
    int defaultValue;
};

const OptionKey kOptionKeys[] = {
    {IDC_OPTIONS_LOGOUT_CLEANUP, "CleanupAtLogout", 1},
    {IDC_OPTIONS_AUTOSTART_CLEANUP, "CleanupAtAutoStart", 0},
    {IDC_OPTIONS_REMOVE_OLD_BACKUPS, "RemoveOldRegistryInfo", 1},
    {IDC_OPTIONS_ALERT_REGISTRY, "AlertRegistryCleanupInfo", 1},
    {IDC_OPTIONS_ALWAYS_ADMIN, "AlwaysAdmin", 1},
    {IDC_OPTIONS_KILL_IE, "KillIE", 1},
    {IDC_OPTIONS_SILENT_SHUTDOWN, "SilentCleanAtShutdown", 0},
};

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Vantrel";

CString RunCommand() {
    char program[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    return CString("\"") + program + "\" startup";
}

}  // namespace

static_assert(std::size(kOptionKeys) == 7, "one member per [Option] key");

COptionsDlg::COptionsDlg(CWnd* parent)
    : CResizeDlg(IDD_OPTIONS, parent), m_configPath(Settings::ConfigPath()), m_optionChecks{},
      m_runAtWindowsStart(0), m_noUpdateCheck(0) {}

BOOL COptionsDlg::OnInitDialog() {
    ShellLook::SetAppIcon(*this);
    CResizeDlg::OnInitDialog();
    Load();
    ShowChecks();
    return TRUE;
}

void COptionsDlg::Load() {
    char runCommand[260] = {0};
    CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, kRunKey, kRunValue, runCommand, sizeof runCommand);
    m_runAtWindowsStart = runCommand[0] != '\0';
    for (size_t i = 0; i < std::size(kOptionKeys); ++i)
        m_optionChecks[i] = CUtilityLib::GetPrivateProfileIntA("Option", kOptionKeys[i].key, kOptionKeys[i].defaultValue,
                                                               m_configPath) != 0;
    m_noUpdateCheck = ShellState::ServiceWindow().IsNoVersionAlarm() != 0;
}

void COptionsDlg::ShowChecks() {
    for (size_t i = 0; i < std::size(kOptionKeys); ++i)
        CheckDlgButton(m_hWnd, kOptionKeys[i].box, m_optionChecks[i] ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_OPTIONS_RUN_AT_WINDOWS_START, m_runAtWindowsStart ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_OPTIONS_NO_UPDATE_CHECK, m_noUpdateCheck ? BST_CHECKED : BST_UNCHECKED);
}

void COptionsDlg::TakeChecks() {
    for (size_t i = 0; i < std::size(kOptionKeys); ++i)
        m_optionChecks[i] = IsDlgButtonChecked(m_hWnd, kOptionKeys[i].box) == BST_CHECKED;
    m_runAtWindowsStart = IsDlgButtonChecked(m_hWnd, IDC_OPTIONS_RUN_AT_WINDOWS_START) == BST_CHECKED;
    m_noUpdateCheck = IsDlgButtonChecked(m_hWnd, IDC_OPTIONS_NO_UPDATE_CHECK) == BST_CHECKED;
}

void COptionsDlg::Save() {
    if (m_runAtWindowsStart)
        CUtilityLib::WriteRegistry(HKEY_CURRENT_USER, kRunKey, kRunValue, RunCommand());
    else
        CUtilityLib::DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, kRunValue);
    for (size_t i = 0; i < std::size(kOptionKeys); ++i)
        CUtilityLib::WritePrivateProfileInt("Option", kOptionKeys[i].key, m_optionChecks[i], m_configPath);
    ShellState::ServiceWindow().SetNoVersionAlarm(m_noUpdateCheck);
}

void COptionsDlg::OnOK() {
    TakeChecks();
    Save();
    CResizeDlg::OnOK();
}

BOOL COptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_OPTIONS_HOME_PAGE && HIWORD(wParam) == BN_CLICKED) {
        ShellExecuteA(m_hWnd, "open", CMakerServer::BaseUrl(), nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return CResizeDlg::OnCommand(wParam, lParam);
}

void RunOptionsDialog(CWnd* parent, const CDWordArray& checkedLineItems) {
    COptionsDlg(parent).DoModal();
    if (AdminMode::RightsWanted(Settings::ConfigPath(), checkedLineItems) && !AdminMode::IsRunningAsAdmin())
        AdminMode::AskAndRestart(parent ? parent->m_hWnd : nullptr, AdminMode::kAfterOptionsQuestion);
}
