#include "ShellState.h"

#include "APPCommonServiceWnd.h"
#include "UtilityLib.h"

namespace ShellState {
namespace {

HICON g_appIcon = nullptr;
int g_powerOffRequest = 0;
int g_logoutRun = 0;

}  // namespace

CAPPCommonServiceWnd& ServiceWindow() {
    static CAPPCommonServiceWnd serviceWindow;
    return serviceWindow;
}

HICON AppIcon() { return g_appIcon; }
void SetAppIcon(HICON icon) { g_appIcon = icon; }

int PowerOffRequest() { return g_powerOffRequest; }
void SetPowerOffRequest(int request) { g_powerOffRequest = request; }

int LogoutRun() { return g_logoutRun; }
void SetLogoutRun(int logout) { g_logoutRun = logout; }

CString VersionText() {
    char version[260] = {0};
    GetPrivateProfileStringA("Application", "Version", "N/A", version, sizeof version,
                             CUtilityLib::GetAppPath() + "\\Version.cfg");
    return version;
}

}  // namespace ShellState
