#pragma once
#include <windows.h>

#include "Framework.h"

class CRegBackupWriter;

// The cleaning engine: one per cleaning run, single-item run or direct-mode start, used by one
// thread only. Routines report nothing but registry findings; single failed deletions are
// ignored.
class CHistoryCleaner {
public:
    // notifyWindow receives WM_RUN_PROGRESS type 7 for each finding (none: findings are only
    // recorded); stopEvent is the main window's manual-reset stop event (none: never stops).
    CHistoryCleaner(HWND notifyWindow = nullptr, HANDLE stopEvent = nullptr, int logoutFlag = 0);
    CHistoryCleaner(const CHistoryCleaner&) = delete;
    CHistoryCleaner& operator=(const CHistoryCleaner&) = delete;

    int LogoutFlag() const { return m_logoutFlag; }
    const CStringArray& Findings() const { return m_findings; }

    // The stop check every long loop makes before each element.
    bool IsStopRequested() const;

    // Records "category\tentry\tkeyPath" (cut at 1023 characters) and posts it unless stopped.
    void AddFinding(const char* category, const char* entry, const char* keyPath);

    // 1 when the folder was scanned; 0 when refused (none, or a folder that CPathGuard protects:
    // a drive root, the Windows, Program Files or profile folders, Documents, Desktop, or one
    // above them, however written) or not listable. Never enters or removes a link.
    int CleanFolder(const char* folder, const CStringArray* exceptions, bool includeDesktopIni, bool includeTmp,
                    bool recurse);

    // Key access rights for keys closed to the user. Buffers come from the process heap and
    // belong to the caller (HeapFree).
    static int GetCurrentUserSid(PSID* sid);
    static void SidToString(PSID sid, char* text);  // text holds at least 256 bytes
    static int GetKeySecurity(HKEY root, const char* subkey, PSECURITY_DESCRIPTOR* descriptor);
    static int BuildUserSystemDacl(PSID userSid, PSECURITY_DESCRIPTOR descriptor, PACL* acl);
    static int SetKeySecurity(HKEY key, const char* subkey, PSECURITY_DESCRIPTOR descriptor, int recurse);

    // Browser traces.
    int CleanUrlCache(int mode, const CStringArray* exceptions);  // mode 0: non-cookie entries, 1: cookies
    void ResetIndexDat(const char* root, const char* secondRoot = nullptr);
    void FindIndexDatFolders(const char* root, CStringArray& folders);
    // True when Empty.dat is there (made when missing) as a file.
    bool EnsureEmptyDat();
    void RemoveIETempFiles();
    void RemoveIECookies(const CStringArray* exceptions);
    void RemoveIEAddressBarHistory();
    void RemoveIEAutomaticPassword();
    void RemoveIEVisitWebSiteHistory();
    void RemoveIECacheIndexDat();
    void RemoveIECookieIndexDat();
    void RemoveFlashTempFolder();
    void RemoveOperaTempFiles();
    void RemoveOperaHistory();
    void RemoveOperaCookies();
    void ApplyAddOnSettings(int enable);

    // Windows traces.
    void RemoveWindowsTempFiles();
    void EmptyWindowsRecycleBin();
    void RemoveWindowsRecentDocumentHistory();
    void RemoveWindowsRunHistory();
    void RemoveWindowsFindFilesHistory();
    void RemoveWindowsFindComputerHistory();
    void RemoveWindowsNetworkConnectionHistory();
    void RemovePrefetch(const char* folder = nullptr);
    void RemoveWindowsUpdateLogFile();
    void UpdatePrefetchLayoutINI();
    void RemoveNTUninstall();
    void RemoveUSBHistory();
    void RemoveTrayHistory();
    // Items 9 and 44 each end the shell, so that it cannot write their history back from memory.
    // A run or direct-mode start names its items here: when it holds both, the first of them removes
    // both histories and the shell goes down and comes back once.
    void PlanShellRestarts(const CDWordArray& runOrder);
    void RestartExplorer(UINT exitCode);
    static bool MatchesUpdateFolder(const char* folder, const CStringArray& patterns);
    void DeleteDeviceKeys(HKEY root, const char* key, PSECURITY_DESCRIPTOR descriptor);

    // Application traces.
    void RemoveMediaPlayerHistory();
    void RemoveComDlgOpenHistory();
    void RemoveGOMPlayerHistory();
    void RemoveALSEEHistory();
    void RemoveOfficeRecentHistory();
    void RemoveHWPRecentHistory();
    void RemoveMSNMessengerHistory();
    void RemoveNateOnMessengerHistory();
    void RemoveBuddyBuddyHistory();
    void RemoveTerminalServiceHistory();
    void RemoveALZIPExtractHistory();
    void RemoveMSDevStudioRecentHistory();
    void RemoveAdobeHistory();
    void CleanNateOnDataFolders(const char* folder);

    // Registry cleanup checks. Every entry is backed up, then deleted in a group once the
    // group's backups are flushed (CRemovalGroup), and recorded once it is gone; an entry whose
    // backup fails is neither deleted nor recorded, one that stays is not recorded.
    void RegistryCheckMUICache(CRegBackupWriter& writer);
    void RegistryCheckAppPaths(CRegBackupWriter& writer);
    void RegistryCheckHelpFile(CRegBackupWriter& writer);
    void RegistryCheckFontFile(CRegBackupWriter& writer);
    void RegistryCheckSetupPath(CRegBackupWriter& writer);
    void RegistryCheckUnusedProgramKey(CRegBackupWriter& writer);
    void RegistryCheckStartProgram(CRegBackupWriter& writer);
    void RegistryCheckStartMenuOrder(CRegBackupWriter& writer);
    void RegistryCheckProgramCommand(CRegBackupWriter& writer);
    void RegistryCheckSoundSetting(CRegBackupWriter& writer);
    static int IsLoadableFile(const char* path);
    static int IsValidCommandLine(const char* command);
    static CString StripQuotes(const char* text);
    static CString MuiCacheNameToPath(const char* valueName);
    // Entries per flush of the checks' backups; 1 gives one flush per entry (the benchmark's
    // comparison). Values below 1 count as 1.
    void SetRemovalGroupLimit(int entries) { m_removalGroupLimit = entries < 1 ? 1 : entries; }
    int RemovalGroupLimit() const { return m_removalGroupLimit; }

private:
    void RemoveShellHistories(unsigned histories, UINT exitCode);

    HWND m_notifyWindow;
    HANDLE m_stopEvent;
    int m_logoutFlag;
    CStringArray m_findings;
    unsigned m_plannedShellHistories = 0;
    unsigned m_shellHistoriesGone = 0;
    int m_removalGroupLimit = 64;
};
