#include "admin/AdminMode.h"

#include <shellapi.h>
#include <shlobj.h>

#include "CleanupCatalogue.h"
#include "UtilityLib.h"

namespace AdminMode {

const char kAfterOptionsQuestion[] = "지금 관리자 권한으로 전환하겠습니까 ?";
const char kLineButtonQuestion[] =
    "선택한 기능을 사용하기 위해서는 관리자 권한이 필요합니다.\n\n\n관리자 모드로 다시 실행한 후 수행해야 합니다\n\n"
    "지금 관리자 모드로 전환하겠습니까 ?";
const char kCheckedLineQuestion[] =
    "선택한 기능을 사용하기 위해서는 관리자 권한이 필요합니다.\n\n\n관리자 모드로 전환하지 않으면 정상적으로 "
    "수행하지 못합니다.\n\n지금 관리자 모드로 전환하겠습니까 ?";

bool IsRunningAsAdmin() { return IsUserAnAdmin() != FALSE; }

bool RightsWanted(const char* configPath, const CDWordArray& checkedLineItems) {
    if (CUtilityLib::GetPrivateProfileIntA("Option", "AlwaysAdmin", 1, configPath) != 0)
        return true;
    for (int i = 0; i < checkedLineItems.GetSize(); ++i)
        if (Catalogue::IsAdministratorItem(static_cast<int>(checkedLineItems[i])) != 0)
            return true;
    return false;
}

void RestartAsAdmin(const char* parameters) {
    if (IsRunningAsAdmin())
        return;
    const CString folder = CUtilityLib::GetAppPath();
    ShellExecuteA(nullptr, "open", folder + "\\VantrelAdmin.exe", parameters, folder, SW_SHOW);
    // The elevated instance needs the single-instance mutex, which goes with this process.
    ExitProcess(0);
}

void AskAndRestart(HWND owner, const char* question) {
    if (MessageBoxA(owner, question, "알림", MB_YESNO | MB_ICONQUESTION) == IDYES)
        RestartAsAdmin(nullptr);
}

}  // namespace AdminMode
