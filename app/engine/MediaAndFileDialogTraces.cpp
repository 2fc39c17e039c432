#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kGomOptionKey[] = "Software\\GRETECH\\GomPlayer\\OPTION";

// Value names that begin with "_" cannot be matched from inside a double-byte character:
// "_" is never a trail byte in code page 949, so a plain byte search finds real names only.
bool IsGomListValue(const CString& name) {
    static const char* const kMarks[] = {"_RECENTMEDIA", "_SUBFOLDER", "_FAVORITE"};
    for (const char* mark : kMarks) {
        if (name.Find(mark) >= 0)
            return true;
    }
    return false;
}

}  // namespace

void CHistoryCleaner::RemoveMediaPlayerHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList");
}

void CHistoryCleaner::RemoveComDlgOpenHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
}

void CHistoryCleaner::RemoveGOMPlayerHistory() {
    static const char* const kRecentValues[] = {"sRecentFile", "sRecentFolder", "sRecentPLFolder", "sRecentURL",
                                                "sURLFileName"};
    for (const char* value : kRecentValues)
        SHDeleteValueA(HKEY_CURRENT_USER, kGomOptionKey, value);

    // Listed before deleting: removing values while enumerating by index would skip the next one.
    CStringArray names;
    CUtilityLib::GetSubValueList(HKEY_CURRENT_USER, kGomOptionKey, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (IsGomListValue(names[i]))
            SHDeleteValueA(HKEY_CURRENT_USER, kGomOptionKey, names[i]);
    }

    CleanFolder(TraceFolders::Join(TraceFolders::Special(CSIDL_APPDATA), "GRETECH\\GomPlayer"), nullptr,
                false, true, true);
}
