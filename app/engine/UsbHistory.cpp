#include <windows.h>

#include <shlwapi.h>

#include <cstring>

#include "HistoryCleaner.h"
#include "MatchingFiles.h"
#include "UtilityLib.h"

namespace {

const char kSystemKey[] = "SYSTEM";
const char* const kDeviceClasses[] = {"Enum\\USB", "Enum\\USBSTOR"};
const char kControlSetPrefix[] = "ControlSet";
const int kControlSetNameLength = 13;  // ControlSet001 ...
const char kRootHubPrefix[] = "ROOT_";

bool IsNumberedControlSet(const CString& name) {
    return name.GetLength() == kControlSetNameLength &&
           name.Left(lstrlenA(kControlSetPrefix)).CompareNoCase(kControlSetPrefix) == 0;
}

void FreeHeap(void* block) {
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

void CHistoryCleaner::DeleteDeviceKeys(HKEY root, const char* key, PSECURITY_DESCRIPTOR descriptor) {
    CStringArray devices;
    CUtilityLib::GetSubRegKeyList(root, key, devices);
    for (int i = 0; i < devices.GetSize(); ++i) {
        if (strncmp(devices[i], kRootHubPrefix, lstrlenA(kRootHubPrefix)) == 0)
            continue;
        CString child = CString(key) + "\\" + devices[i];
        // Device keys are closed to the user, some so far that their subkeys cannot even be
        // listed: open each for us before going down into it, then delete deepest first.
        SetKeySecurity(root, child, descriptor, 0);
        DeleteDeviceKeys(root, child, descriptor);
        SHDeleteKeyA(root, child);
    }
}

void CHistoryCleaner::RemoveUSBHistory() {
    PSID userSid = nullptr;
    PACL acl = nullptr;
    SECURITY_DESCRIPTOR descriptor = {};
    if (GetCurrentUserSid(&userSid) && BuildUserSystemDacl(userSid, &descriptor, &acl)) {
        CStringArray controlSets;
        controlSets.Add("CurrentControlSet");
        CStringArray systemKeys;
        CUtilityLib::GetSubRegKeyList(HKEY_LOCAL_MACHINE, kSystemKey, systemKeys);
        for (int i = 0; i < systemKeys.GetSize(); ++i) {
            if (IsNumberedControlSet(systemKeys[i]))
                controlSets.Add(systemKeys[i]);
        }
        for (int i = 0; i < controlSets.GetSize(); ++i) {
            for (const char* deviceClass : kDeviceClasses) {
                CString devices = CString(kSystemKey) + "\\" + controlSets[i] + "\\" + deviceClass;
                DeleteDeviceKeys(HKEY_LOCAL_MACHINE, devices, &descriptor);
            }
        }
    }
    FreeHeap(acl);
    FreeHeap(userSid);

    CString windows = CUtilityLib::GetWindowsDirectoryA();
    if (!windows.IsEmpty())
        DeleteMatchingFiles(CUtilityLib::AddPath(windows, "setupapi.log*"), nullptr);
}
