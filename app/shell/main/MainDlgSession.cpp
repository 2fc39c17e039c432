#include "main/MainDlg.h"

#include "ShellState.h"
#include "UtilityLib.h"

namespace {

const int kCloseDelayMs = 500;

}  // namespace

// Windows asks whether the session may end: the checked items are cleaned before the answer.
LRESULT CMainDlg::OnQueryEndSession(WPARAM wParam, LPARAM lParam) {
    if (!Default())
        return 0;
    m_user32.BlockWithReason(m_hWnd);
    if (CUtilityLib::GetPrivateProfileIntA("Option", "CleanupAtLogout", 1, m_configPath)) {
        // Returns at once when a run is already going; the count so far is written then.
        RunWithProgress(1, 0);
        CUtilityLib::WritePrivateProfileInt("Logout", "LastRegistryProcessed", m_registryCount, m_configPath);
    }
    if (!ShellState::PowerOffRequest())
        return 1;
    // The user asked for a forced power-off: this end is refused, the program ends 500 ms later
    // and start-up turns the computer off.
    m_user32.Unblock(m_hWnd);
    m_commands.TimerExecute("MainDlg", "MainDlg", "CloseWindow", "caller", "QueryEndSession", kCloseDelayMs, nullptr);
    return 0;
}

LRESULT CMainDlg::OnEndSession(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default();
    m_user32.Unblock(m_hWnd);
    return result;
}
