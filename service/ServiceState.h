#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// What every service window and advert control of the process shares: who the host is, where
// its files lie, and whether the start-up download found a service file. The strings are filled
// before the worker reports back, so the window thread may read them without waiting.
class SELKOR_API CServiceState {
public:
    static void SetServiceID(const char* id, const char* name);
    static CString ServiceId();
    static CString DisplayName();

    // Selkor's own folder, where Version.cfg and language.msg lie.
    static CString ProgramFolder();
    static CString VersionCfgPath();
    // In the per-user application-data folder: Config.ini, service.ini, service.tmp; guid.ini
    // under the roaming one.
    static CString ConfigPath();
    static CString ServiceIniPath();
    static CString ServiceTmpPath();
    static CString GuidPath();

    // Version.cfg [Application] LangID; when empty "kor" under a Korean thread locale, else "eng".
    static CString Language();
    static bool IsKorean();   // the language is "kor": the server's Korean pages
    static bool IsEnglish();  // the language is "eng": the built-in English texts
    // "_preview." when Version.cfg [Debug] Mode is set, else "".
    static CString PreviewInfix();
    // Version.cfg [Application] Version as written there.
    static CString LocalVersion();

    // "?id=...&app=...&ver=...&guid=...&os=...", made once per process.
    static CString Query();

    static bool IsServiceFileAvailable();
    static void SetServiceFileAvailable(bool available);

    // Each is true for the first caller of the process only.
    enum COnce { onceUsageLog, onceVersionAlarm, onceCount };
    static bool TakeOnce(COnce which);

    // Forgets every process-wide value, as a new process would start (tests).
    static void Reset();
};
