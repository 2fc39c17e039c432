#include "ServiceState.h"

#include <mutex>

#include "SelkorModule.h"
#include "UtilityLib.h"

namespace {

const LCID kKoreanLocale = 1042;

std::mutex g_lock;  // guards every field below
CString g_serviceId;
CString g_displayName;
CString g_query;
bool g_available;
bool g_taken[CServiceState::onceCount];

CString SelkorFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(SelkorModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\'));
}

CString InstallationId() {
    CString file = CServiceState::GuidPath();
    CString id = CUtilityLib::GetPrivateProfileStringA("GUID", "V", file);
    if (id.IsEmpty()) {
        id = CUtilityLib::CreateGUID();
        CUtilityLib::WritePrivateProfileStringA("GUID", "V", id, file);
    }
    return id;
}

CString MakeQuery(const CString& id, const CString& name) {
    CString versionFile = CServiceState::VersionCfgPath();
    CString version;
    version.Format("%s(%s)", (const char*)CUtilityLib::GetPrivateProfileStringA("Application", "Version", versionFile),
                   (const char*)CUtilityLib::GetPrivateProfileStringA("Application", "Minor", versionFile));
    CString os, osFull;
    CUtilityLib::GetOSVersion(os, osFull);
    return "?id=" + CUtilityLib::URLEncoding(id) + "&app=" + CUtilityLib::URLEncoding(name) + "&ver=" + version +
           "&guid=" + InstallationId() + "&os=" + CUtilityLib::URLEncoding(os);
}

}  // namespace

void CServiceState::SetServiceID(const char* id, const char* name) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_serviceId = id ? id : "";
    g_displayName = name ? name : "";
}

CString CServiceState::ServiceId() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_serviceId;
}

CString CServiceState::DisplayName() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_displayName;
}

CString CServiceState::ProgramFolder() { return SelkorFolder(); }
CString CServiceState::VersionCfgPath() { return ProgramFolder() + "\\Version.cfg"; }
CString CServiceState::ConfigPath() { return CUtilityLib::GetAppDataPath(true, true) + "\\Config.ini"; }
CString CServiceState::ServiceIniPath() { return CUtilityLib::GetAppDataPath(true, true) + "\\service.ini"; }
CString CServiceState::ServiceTmpPath() { return CUtilityLib::GetAppDataPath(true, true) + "\\service.tmp"; }
CString CServiceState::GuidPath() { return CUtilityLib::GetAppDataPath(false, true) + "\\guid.ini"; }

CString CServiceState::Language() {
    CString language = CUtilityLib::GetPrivateProfileStringA("Application", "LangID", VersionCfgPath());
    if (!language.IsEmpty())
        return language;
    return GetThreadLocale() == kKoreanLocale ? "kor" : "eng";
}

bool CServiceState::IsKorean() { return Language().CompareNoCase("kor") == 0; }
bool CServiceState::IsEnglish() { return Language().CompareNoCase("eng") == 0; }

CString CServiceState::PreviewInfix() {
    return CUtilityLib::GetPrivateProfileIntA("Debug", "Mode", 0, VersionCfgPath()) != 0 ? "_preview." : "";
}

CString CServiceState::LocalVersion() {
    return CUtilityLib::GetPrivateProfileStringA("Application", "Version", VersionCfgPath());
}

CString CServiceState::Query() {
    std::lock_guard<std::mutex> hold(g_lock);
    if (g_query.IsEmpty())
        g_query = MakeQuery(g_serviceId, g_displayName);
    return g_query;
}

bool CServiceState::IsServiceFileAvailable() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_available;
}

void CServiceState::SetServiceFileAvailable(bool available) {
    std::lock_guard<std::mutex> hold(g_lock);
    g_available = available;
}

bool CServiceState::TakeOnce(COnce which) {
    std::lock_guard<std::mutex> hold(g_lock);
    bool first = !g_taken[which];
    g_taken[which] = true;
    return first;
}

void CServiceState::Reset() {
    std::lock_guard<std::mutex> hold(g_lock);
    g_serviceId.Empty();
    g_displayName.Empty();
    g_query.Empty();
    g_available = false;
    for (bool& taken : g_taken)
        taken = false;
}
