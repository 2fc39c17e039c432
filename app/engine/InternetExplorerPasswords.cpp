#include <windows.h>
#include <shlwapi.h>

#include <memory>

#include "HistoryCleaner.h"
#include "UtilityLib.h"

namespace {

const char kIntelliFormsKey[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
const char kProtectedStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider\\";
const char kPasswordDataKey[] = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";
const int kNtPlatform = 2;

struct HeapFreer {
    void operator()(void* block) const { HeapFree(GetProcessHeap(), 0, block); }
};
using CHeapBlock = std::unique_ptr<void, HeapFreer>;

// The per-user key is closed to its user: open it up, delete the password data, then put the
// user key's own access list back (Data keeps the opened one).
void DeleteUserPasswordData() {
    PSID rawSid = nullptr;
    if (!CHistoryCleaner::GetCurrentUserSid(&rawSid))
        return;
    CHeapBlock sid(rawSid);
    char sidText[256];
    CHistoryCleaner::SidToString(sid.get(), sidText);
    CString userKey = CString(kProtectedStorageKey) + sidText;
    CString passwordKey = userKey + kPasswordDataKey;

    PSECURITY_DESCRIPTOR rawSaved = nullptr;
    CHistoryCleaner::GetKeySecurity(HKEY_CURRENT_USER, userKey, &rawSaved);
    CHeapBlock saved(rawSaved);
    SECURITY_DESCRIPTOR opened;
    PACL rawAcl = nullptr;
    if (CHistoryCleaner::BuildUserSystemDacl(sid.get(), &opened, &rawAcl)) {
        CHeapBlock acl(rawAcl);
        CHistoryCleaner::SetKeySecurity(HKEY_CURRENT_USER, userKey, &opened, 0);
        CHistoryCleaner::SetKeySecurity(HKEY_CURRENT_USER, userKey + "\\Data", &opened, 0);
        CHistoryCleaner::SetKeySecurity(HKEY_CURRENT_USER, passwordKey, &opened, 1);
        SHDeleteKeyA(HKEY_CURRENT_USER, passwordKey);
    }
    if (saved)
        CHistoryCleaner::SetKeySecurity(HKEY_CURRENT_USER, userKey, saved.get(), 0);
}

CString CurrentUserName() {
    char name[261] = "";
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? CString(name) : CString();
}

}  // namespace

void CHistoryCleaner::RemoveIEAutomaticPassword() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kIntelliFormsKey);
    if (CUtilityLib::GetOSPlatformID() == kNtPlatform)
        DeleteUserPasswordData();
    CString user = CurrentUserName();
    if (!user.IsEmpty())
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, CString(kProtectedStorageKey) + user + kPasswordDataKey);
}
