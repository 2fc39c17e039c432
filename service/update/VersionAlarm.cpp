#include "APPCommonServiceWnd.h"
#include "ServiceState.h"
#include "UpdateNotice.h"
#include "UtilityLib.h"

int CAPPCommonServiceWnd::IsNoVersionAlarm() {
    return CUtilityLib::GetPrivateProfileIntA("Update", "NoVersionNotify", 0, CServiceState::ConfigPath());
}

void CAPPCommonServiceWnd::SetNoVersionAlarm(int off) {
    CUtilityLib::WritePrivateProfileInt("Update", "NoVersionNotify", off ? 1 : 0, CServiceState::ConfigPath());
}

int CAPPCommonServiceWnd::CheckVersionAlarm(HWND parent) {
    return CUpdateNotice(Owner(parent), m_hAppIcon).CheckOnRequest();
}

void CAPPCommonServiceWnd::ShowVersionAlarm(HWND parent) { CUpdateNotice(Owner(parent), m_hAppIcon).ShowAutomatic(); }
