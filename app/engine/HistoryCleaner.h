#pragma once
#include <windows.h>

#include "Framework.h"

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

    // 1 when the folder was scanned; 0 when refused (none, a drive root, My Documents or a
    // folder above it, a link) or not listable. Never enters or removes a link.
    int CleanFolder(const char* folder, const CStringArray* exceptions, bool includeDesktopIni, bool includeTmp,
                    bool recurse);

    // Key access rights for keys closed to the user. Buffers come from the process heap and
    // belong to the caller (HeapFree).
    static int GetCurrentUserSid(PSID* sid);
    static void SidToString(PSID sid, char* text);  // text holds at least 256 bytes
    static int GetKeySecurity(HKEY root, const char* subkey, PSECURITY_DESCRIPTOR* descriptor);
    static int BuildUserSystemDacl(PSID userSid, PSECURITY_DESCRIPTOR descriptor, PACL* acl);
    static int SetKeySecurity(HKEY key, const char* subkey, PSECURITY_DESCRIPTOR descriptor, int recurse);

private:
    HWND m_notifyWindow;
    HANDLE m_stopEvent;
    int m_logoutFlag;
    CStringArray m_findings;
};
