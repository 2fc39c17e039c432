#include "TokenPrivilege.h"
#include "UtilityLib.h"

void CUtilityLib::ComputerOff(int force) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info))
        return;

    CTokenPrivilege shutdown(SE_SHUTDOWN_NAME);
    int apmActive = static_cast<int>(
        ReadRegistryDWORD(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ApmActive", "Active", 0));
    UINT flags = EWX_SHUTDOWN;
    if (force)
        flags |= EWX_FORCE;
    if (apmActive > 0)
        flags |= EWX_POWEROFF;
    if (info.dwMajorVersion >= 5)
        flags |= EWX_FORCEIFHUNG;
    ExitWindowsEx(flags, 0);
}
