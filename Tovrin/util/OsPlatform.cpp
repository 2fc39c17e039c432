#include "UtilityLib.h"

int CUtilityLib::GetOSPlatformID() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info))
        return 0;
    return static_cast<int>(info.dwPlatformId);
}
