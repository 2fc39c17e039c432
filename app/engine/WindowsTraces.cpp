#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "MatchingFiles.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char kSearchBarKey[] = "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
const char* const kTrayNotifyKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify",
};

CString TempPath() {
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    return (length > 0 && length < sizeof folder) ? CString(folder) : CString();
}

void DeleteUserKey(const CString& subkey) { SHDeleteKeyA(HKEY_CURRENT_USER, subkey); }

const int kRunHistoryItem = 9;
const int kTrayHistoryItem = 44;
const unsigned kRunHistory = 1;
const unsigned kTrayHistory = 2;

void DeleteTrayStreams() {
    for (const char* key : kTrayNotifyKeys) {
        SHDeleteValueA(HKEY_CURRENT_USER, key, "IconStreams");
        SHDeleteValueA(HKEY_CURRENT_USER, key, "PastIconsStream");
    }
}

}  // namespace

void CHistoryCleaner::RemoveWindowsTempFiles() {
    CString windows = CUtilityLib::GetWindowsDirectoryA();
    if (!windows.IsEmpty())
        CleanFolder(CUtilityLib::AddPath(windows, "Temp"), nullptr, true, true, true);
    CString temp = TempPath();
    if (!temp.IsEmpty())
        CleanFolder(temp, nullptr, true, true, true);
    CString lowTemp = TraceFolders::ExistingFolder("%LocalAppData%\\Temp\\Low");
    if (!lowTemp.IsEmpty())
        CleanFolder(lowTemp, nullptr, false, false, true);
}

void CHistoryCleaner::EmptyWindowsRecycleBin() {
    SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

void CHistoryCleaner::RemoveWindowsRecentDocumentHistory() {
    CString recent = TraceFolders::Special(CSIDL_RECENT);
    if (!recent.IsEmpty())
        CleanFolder(recent, nullptr, false, true, true);
    DeleteUserKey(CString(kExplorerKey) + "\\RecentDocs");
}

void CHistoryCleaner::RemoveWindowsRunHistory() { RemoveShellHistories(kRunHistory, 0); }

void CHistoryCleaner::RemoveWindowsFindFilesHistory() {
    DeleteUserKey(CString(kExplorerKey) + "\\Doc Find Spec MRU");
    DeleteUserKey(CString(kSearchBarKey) + "\\ContainingTextMRU");
    DeleteUserKey(CString(kSearchBarKey) + "\\FilesNamedMRU");
}

void CHistoryCleaner::RemoveWindowsFindComputerHistory() {
    DeleteUserKey(CString(kExplorerKey) + "\\FindComputerMRU");
    DeleteUserKey(CString(kSearchBarKey) + "\\ComputerNameMRU");
}

void CHistoryCleaner::RemoveWindowsNetworkConnectionHistory() {
    CString netHood = TraceFolders::Special(CSIDL_NETHOOD);
    if (!netHood.IsEmpty())
        CleanFolder(netHood, nullptr, false, true, true);
}

void CHistoryCleaner::RemoveWindowsUpdateLogFile() {
    CString windows = CUtilityLib::GetWindowsDirectoryA();
    if (!windows.IsEmpty())
        DeleteMatchingFiles(CUtilityLib::AddPath(windows, "KB*.log"), this);
}

void CHistoryCleaner::RemoveTrayHistory() { RemoveShellHistories(kTrayHistory, 2); }

void CHistoryCleaner::PlanShellRestarts(const CDWordArray& runOrder) {
    for (int i = 0; i < runOrder.GetSize(); ++i) {
        if (runOrder[i] == kRunHistoryItem)
            m_plannedShellHistories |= kRunHistory;
        else if (runOrder[i] == kTrayHistoryItem)
            m_plannedShellHistories |= kTrayHistory;
    }
}

// The shell is ended after the deletions, before it can save what it holds in memory. A history
// already removed before this engine's restart is not in the shell that came back.
void CHistoryCleaner::RemoveShellHistories(unsigned histories, UINT exitCode) {
    if ((m_shellHistoriesGone & histories) == histories)
        return;
    histories |= m_plannedShellHistories;
    if (histories & kRunHistory)
        DeleteUserKey(CString(kExplorerKey) + "\\RunMRU");
    if (histories & kTrayHistory)
        DeleteTrayStreams();
    RestartExplorer(exitCode);
    m_shellHistoriesGone |= histories;
}
