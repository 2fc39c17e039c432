#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "FolderWalk.h"
#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "RegKey.h"
#include "TraceFiles.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

using TraceFolders::Join;
using TraceFolders::Special;

namespace {

const char kMessengerKey[] = "Software\\Microsoft\\MSNMessenger";
const char kPassportSettingsKey[] = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings";
const char kReceiveFolderValue[] = "FtReceiveFolder";
const char kMessageLogValue[] = "MessageLogPath";

// The value's bytes exactly as stored, whatever their length; empty when it cannot be read.
std::vector<BYTE> ReadStoredBytes(HKEY root, const char* subkey, const char* name) {
    std::vector<BYTE> bytes;
    CRegKey key;
    if (key.Open(root, subkey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return bytes;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return bytes;
    bytes.resize(size);
    // A value that grew in between fails with ERROR_MORE_DATA instead of being cut.
    if (RegQueryValueExA(key, name, nullptr, nullptr, bytes.data(), &size) != ERROR_SUCCESS)
        size = 0;
    bytes.resize(size);
    return bytes;
}

// The Messenger settings that the user keeps when the key with the history goes.
struct MessengerSettings {
    CStringArray logKeys;
    CStringArray logPaths;
    std::vector<BYTE> receiveFolder;

    void Read() {
        receiveFolder = ReadStoredBytes(HKEY_CURRENT_USER, kMessengerKey, kReceiveFolderValue);
        CStringArray passports;
        CUtilityLib::GetSubRegKeyList(HKEY_CURRENT_USER, kPassportSettingsKey, passports);
        for (int i = 0; i < passports.GetSize(); ++i) {
            CString key;
            key.Format("%s\\%s", kPassportSettingsKey, (const char*)passports[i]);
            CString path = CUtilityLib::ReadRegistry(HKEY_CURRENT_USER, key, kMessageLogValue);
            if (!path.IsEmpty()) {
                logKeys.Add(key);
                logPaths.Add(path);
            }
        }
    }

    void Write() const {
        for (int i = 0; i < logKeys.GetSize(); ++i)
            CUtilityLib::WriteRegistry(HKEY_CURRENT_USER, logKeys[i], kMessageLogValue, logPaths[i]);
        if (!receiveFolder.empty())
            CUtilityLib::WriteRegistryBinary(HKEY_CURRENT_USER, kMessengerKey, kReceiveFolderValue,
                                             reinterpret_cast<const char*>(receiveFolder.data()),
                                             static_cast<int>(receiveFolder.size()));
    }
};

// Per-account folders are named by a long identifier.
const int kAccountFolderMinLength = 31;

bool IsNateOnDataFolder(const char* name) {
    return Mbcs::CompareNoCase(name, "maildata") == 0 || Mbcs::CompareNoCase(name, "memodata") == 0 ||
           Mbcs::CompareNoCase(name, "chatdata") == 0 || lstrlenA(name) >= kAccountFolderMinLength;
}

// Collects the data folders below a folder without looking inside them.
class NateOnDataFolderSearch : public CFolderWalk {
public:
    CStringArray found;

protected:
    void OnFile(const CFolderEntry&) override {}
    // The data folders are cleaned through the ANSI calls: one they cannot name is passed over.
    bool OnEnterFolder(const CFolderEntry& entry) override {
        if (!IsNateOnDataFolder(entry.name))
            return true;
        CString path = AnsiPath(entry.path);
        if (!path.IsEmpty())
            found.Add(path);
        return false;
    }
};

}  // namespace

void CHistoryCleaner::RemoveMSNMessengerHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail");

    MessengerSettings kept;
    kept.Read();
    SHDeleteKeyA(HKEY_CURRENT_USER, kMessengerKey);
    kept.Write();

    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows Live");

    CleanFolder(Join(Special(CSIDL_PROFILE), "Contacts"), nullptr, true, true, true);
    static const char* const kMessengerFolders[] = {"Microsoft\\Credentials", "Microsoft\\Windows Live Contacts",
                                                    "Microsoft\\MSN Messenger", "Microsoft\\Windows Messenger",
                                                    "Microsoft\\Messenger"};
    for (int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        CString base = Special(csidl);
        for (const char* folder : kMessengerFolders)
            CleanFolder(Join(base, folder), nullptr, true, true, true);
    }
}

void CHistoryCleaner::RemoveNateOnMessengerHistory() {
    CString program = TraceFolders::SettingFolder(CUtilityLib::ReadRegistry(
        HKEY_CURRENT_USER, "Software\\SK Communications\\Messenger\\Configuration", "Nateon Path"));
    if (program.IsEmpty())
        return;
    CleanFolder(Join(program, "Temp"), nullptr, true, true, true);
    CleanNateOnDataFolders(Join(program, "BIN"));

    CString local = Join(CUtilityLib::GetAppDataLocalPath(false), "SK Communications\\NATEON");
    CleanFolder(Join(local, "Temp"), nullptr, true, true, true);
    CleanNateOnDataFolders(local);

    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\SK Communications\\Messenger\\Settings");
}

void CHistoryCleaner::CleanNateOnDataFolders(const char* folder) {
    NateOnDataFolderSearch search;
    if (!folder || !search.Run(folder))
        return;
    for (int i = 0; i < search.found.GetSize(); ++i)
        CleanFolder(search.found[i], nullptr, false, true, true);
}

void CHistoryCleaner::RemoveBuddyBuddyHistory() {
    CString ini = Join(CUtilityLib::GetWindowsDirectoryA(), "buddybuddy.ini");
    // Deleting a section of a missing file would leave an empty file behind; one of a link would
    // rewrite its target.
    bool hasIni = !ini.IsEmpty() && TraceFiles::IsPlainFile(ini);
    if (hasIni)
        WritePrivateProfileSectionA("LOGON", nullptr, ini);
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\BuddyBuddy\\BuddyBuddy", "LID");
    if (!hasIni)
        return;

    // The setting ends with "\" as written by the program, but the join does not rely on it.
    CString root = TraceFolders::SettingFolder(CUtilityLib::GetPrivateProfileStringA("ROOT", "PATH", ini));
    if (root.IsEmpty())
        return;
    CleanFolder(Join(root, "Users"), nullptr, false, true, true);
    CleanFolder(Join(root, "MSG"), nullptr, false, true, true);
}
