#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "HistoryCleaner.h"
#include "RemovalGroup.h"
#include "RegKey.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kMenuOrderKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Exp"
    "lorer\\MenuOrder\\Start Menu2\\Programs";
const char kMenuOrderPrefix[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\S"
    "tart Menu2\\Programs";
const char kApplicationsKey[] = "Applications";
const char kSchemeAppsKey[] = ".DEFAULT\\AppEvents\\Schemes\\Apps";

const char kUnusedKeyCategory[] = "사용하지 않는 키";
const char kStartProgramCategory[] = "시작 프로그램";
const char kMenuOrderCategory[] = "프로그램 메뉴";
const char kProgramCommandCategory[] = "프로그램 커맨드";
const char kSoundCategory[] = "사운드 셋팅";

struct RootPass {
    HKEY root;
    const char* prefix;
};

const char* const kKeptProgramKeys[] = {"Microsoft", "Secure",   "Classes",        "Intel",
                                        "Licenses",  "Policies", "Program Groups", "Services"};

bool IsKeptProgramKey(const CString& name) {
    for (const char* kept : kKeptProgramKeys) {
        if (name.CompareNoCase(kept) == 0)
            return true;
    }
    return false;
}

// The key's own counts, not name listings: a listing ends early at a name too long for its
// buffer, which would make a key that holds data look empty. A key that cannot be asked is
// not empty.
bool IsEmptyKey(HKEY root, const char* subkey) {
    CRegKey key;
    if (key.Open(root, subkey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        return false;
    return subkeys == 0 && values == 0;
}

// False when the value cannot be read (missing, no access, longer than 10239 bytes): such a
// command is unknown and must not be taken for an empty one. Text ends at its first NUL.
bool ReadValueText(HKEY root, const char* subkey, const char* valueName, CString& text) {
    CRegKey key;
    if (key.Open(root, subkey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(10240, '\0');
    DWORD size = static_cast<DWORD>(buffer.size() - 1);
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    text = buffer.data();
    return true;
}

CString Join(const CString& key, const CString& name) { return key + "\\" + name; }

// The subkey's name as stored (names match ignoring case): a key backed up under another
// spelling comes back renamed when the backup is imported.
CString StoredSubkeyName(HKEY root, const CString& key, const char* name) {
    CStringArray names;
    CUtilityLib::GetSubRegKeyList(root, key, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (names[i].CompareNoCase(name) == 0)
            return names[i];
    }
    return name;
}

}  // namespace

void CHistoryCleaner::RegistryCheckUnusedProgramKey(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    const RootPass passes[] = {{HKEY_CURRENT_USER, "HKCU\\"}, {HKEY_LOCAL_MACHINE, "HKLM\\"}};
    for (const RootPass& pass : passes) {
        CStringArray names;
        CUtilityLib::GetSubRegKeyList(pass.root, "Software", names);
        for (int i = 0; i < names.GetSize(); ++i) {
            if (IsStopRequested())
                return;
            if (IsKeptProgramKey(names[i]))
                continue;
            CString key = Join("Software", names[i]);
            if (IsEmptyKey(pass.root, key))
                removals.RemoveKey(pass.root, key, kUnusedKeyCategory, "-", CUtilityLib::AddPath(pass.prefix, key));
        }
    }
}

void CHistoryCleaner::RegistryCheckStartProgram(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    const RootPass passes[] = {{HKEY_LOCAL_MACHINE, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
                               {HKEY_CURRENT_USER, "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"}};
    for (const RootPass& pass : passes) {
        CStringArray names;
        CUtilityLib::GetSubValueList(pass.root, kRunKey, names);
        for (int i = 0; i < names.GetSize(); ++i) {
            if (IsStopRequested())
                return;
            CString command;
            if (!ReadValueText(pass.root, kRunKey, names[i], command))
                continue;
            CString entry = StripQuotes(command);
            if (!IsValidCommandLine(entry))
                removals.RemoveValue(pass.root, kRunKey, names[i], kStartProgramCategory, entry,
                                     CUtilityLib::AddPath(pass.prefix, names[i]));
        }
    }
}

void CHistoryCleaner::RegistryCheckStartMenuOrder(CRegBackupWriter& writer) {
    CString userPrograms = TraceFolders::Special(CSIDL_PROGRAMS);
    CString commonPrograms = TraceFolders::Special(CSIDL_COMMON_PROGRAMS);
    if (userPrograms.IsEmpty() || commonPrograms.IsEmpty())
        return;
    CRemovalGroup removals(*this, writer);
    CStringArray names;
    CUtilityLib::GetSubRegKeyList(HKEY_CURRENT_USER, kMenuOrderKey, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (IsStopRequested())
            return;
        if (CUtilityLib::IsDirectory(Join(userPrograms, names[i])) ||
            CUtilityLib::IsDirectory(Join(commonPrograms, names[i])))
            continue;
        removals.RemoveKey(HKEY_CURRENT_USER, Join(kMenuOrderKey, names[i]), kMenuOrderCategory, names[i],
                           CUtilityLib::AddPath(kMenuOrderPrefix, names[i]));
    }
}

void CHistoryCleaner::RegistryCheckProgramCommand(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    CStringArray applications;
    CUtilityLib::GetSubRegKeyList(HKEY_CLASSES_ROOT, kApplicationsKey, applications);
    for (int a = 0; a < applications.GetSize(); ++a) {
        if (IsStopRequested())
            return;
        CString shellKey = Join(Join(kApplicationsKey, applications[a]), "shell");
        CStringArray verbs;
        CUtilityLib::GetSubRegKeyList(HKEY_CLASSES_ROOT, shellKey, verbs);
        for (int v = 0; v < verbs.GetSize(); ++v) {
            if (IsStopRequested())
                return;
            CString verbKey = Join(shellKey, verbs[v]);
            CString commandKey = Join(verbKey, "Command");
            CString command = CUtilityLib::ReadRegistry(HKEY_CLASSES_ROOT, commandKey, nullptr);
            if (command.IsEmpty())
                continue;
            CString entry = StripQuotes(command);
            if (!IsValidCommandLine(entry))
                removals.RemoveKey(HKEY_CLASSES_ROOT,
                                   Join(verbKey, StoredSubkeyName(HKEY_CLASSES_ROOT, verbKey, "Command")),
                                   kProgramCommandCategory, entry, "HKCR\\" + commandKey);
        }
    }
}

void CHistoryCleaner::RegistryCheckSoundSetting(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    const char* const schemeKeys[] = {".Default", ".Current"};
    CStringArray applications;
    CUtilityLib::GetSubRegKeyList(HKEY_USERS, kSchemeAppsKey, applications);
    for (int a = 0; a < applications.GetSize(); ++a) {
        if (IsStopRequested())
            return;
        CString appKey = Join(kSchemeAppsKey, applications[a]);
        CStringArray events;
        CUtilityLib::GetSubRegKeyList(HKEY_USERS, appKey, events);
        for (int e = 0; e < events.GetSize(); ++e) {
            if (IsStopRequested())
                return;
            for (const char* scheme : schemeKeys) {
                CString key = Join(Join(appKey, events[e]), scheme);
                CString sound = CUtilityLib::ReadRegistry(HKEY_USERS, key, nullptr);
                if (sound.IsEmpty())
                    continue;
                CString entry = StripQuotes(sound);
                if (!IsLoadableFile(entry))
                    removals.RemoveValue(HKEY_USERS, key, nullptr, kSoundCategory, entry, "HKU\\" + key);
            }
        }
    }
}
