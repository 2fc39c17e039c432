#include <windows.h>

#include "HistoryCleaner.h"
#include "Settings.h"
#include "UtilityLib.h"

namespace {

const char* const kAddOnListKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects",
    "Software\\Microsoft\\Internet Explorer\\Extensions",
};
const char kAddOnSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";
const DWORD kFlagsAllowed = 0;
const DWORD kFlagsDisabled = 1;
const char kAnyVersion[] = "*";

bool IsDisabled(const CString& key) {
    return CUtilityLib::ReadRegistryDWORD(HKEY_CURRENT_USER, key, "Flags", static_cast<DWORD>(-1)) == kFlagsDisabled &&
           CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, key, "Version").CompareNoCase(kAnyVersion) == 0;
}

}  // namespace

void CHistoryCleaner::ApplyAddOnSettings(int enable) {
    CStringArray ids;
    for (const char* listKey : kAddOnListKeys)
        CUtilityLib::GetSubRegKeyList(HKEY_LOCAL_MACHINE, listKey, ids);
    CString config = Settings::ConfigPath();
    for (int i = 0; i < ids.GetSize(); ++i) {
        CString key = kAddOnSettingsKey + ids[i];
        bool enabled = !config.IsEmpty() && CUtilityLib::GetPrivateProfileIntA("EnableBHO", ids[i], 0, config) != 0;
        if (enabled) {
            if (enable == 1)
                CUtilityLib::WriteRegistryDWORD(HKEY_CURRENT_USER, key, "Flags", kFlagsAllowed);
        } else if (!IsDisabled(key)) {
            CUtilityLib::WriteRegistryDWORD(HKEY_CURRENT_USER, key, "Flags", kFlagsDisabled);
            CUtilityLib::WriteRegistry(HKEY_CURRENT_USER, key, "Version", kAnyVersion);
        }
    }
}
