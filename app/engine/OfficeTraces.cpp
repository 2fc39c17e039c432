#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

// Every key of that name (without case) anywhere below the key.
void DeleteKeysNamed(const char* below, const char* name) {
    CUtilityLib::DeleteMatchingSubKeys(HKEY_CURRENT_USER, below, name, 1, 1);
}

}  // namespace

void CHistoryCleaner::RemoveOfficeRecentHistory() {
    static const char* const kOfficeLists[] = {"File Name MRU", "File MRU", "Recent Files"};
    for (const char* list : kOfficeLists)
        DeleteKeysNamed("Software\\Microsoft\\Office", list);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs");
    DeleteKeysNamed("Software\\Microsoft\\Windows\\CurrentVersion\\Applets", "Recent File List");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs");
    CleanFolder(TraceFolders::Join(TraceFolders::Special(CSIDL_APPDATA), "Microsoft\\Office\\Recent"), nullptr,
                false, true, true);
}

void CHistoryCleaner::RemoveHWPRecentHistory() {
    const char kHwpKey[] = "Software\\hnc\\hwp";
    CStringArray versions;
    CUtilityLib::GetSubRegKeyList(HKEY_CURRENT_USER, kHwpKey, versions);
    for (int i = 0; i < versions.GetSize(); ++i) {
        CString recent;
        recent.Format("%s\\%s\\RecentFile", kHwpKey, (const char*)versions[i]);
        SHDeleteKeyA(HKEY_CURRENT_USER, recent);
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, "software\\Nexsoft\\Nexcel\\Recent Dir List");
    SHDeleteKeyA(HKEY_CURRENT_USER, "software\\Nexsoft\\Nexcel\\Recent File List");
}

void CHistoryCleaner::RemoveMSDevStudioRecentHistory() {
    DeleteKeysNamed("Software\\Microsoft\\DevStudio", "Recent File List");
}
