#include <windows.h>
#include <shlobj.h>

#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "RemovalGroup.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const char kMuiCacheKey[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kMuiCachePrefix[] = "HKCU\\Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kAppPathsPrefix[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Help";
const char kHelpPrefix[] = "HKLM\\Software\\Microsoft\\Windows\\Help";
const char kHtmlHelpKey[] = "SOFTWARE\\Microsoft\\Windows\\Html Help";
const char kHtmlHelpPrefix[] = "HKLM\\Software\\Microsoft\\Windows\\Html Help";
const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kFontsPrefix[] = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kInstallerFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kInstallerFoldersPrefix[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallPrefix[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

const char kMuiCacheCategory[] = "MUI 참조 정보";
const char kAppPathsCategory[] = "프로그램 경로";
const char kHelpCategory[] = "도움말 파일 참조";
const char kFontCategory[] = "폰트 정보";
const char kSetupCategory[] = "설치 프로그램 정보";

// Puts the current directory back on every way out of the scope.
class CurrentDirectoryRestorer {
public:
    CurrentDirectoryRestorer() {
        DWORD length = GetCurrentDirectoryA(MAX_PATH, m_folder);
        m_remembered = length > 0 && length < MAX_PATH;
    }
    ~CurrentDirectoryRestorer() {
        if (m_remembered)
            SetCurrentDirectoryA(m_folder);
    }
    CurrentDirectoryRestorer(const CurrentDirectoryRestorer&) = delete;
    CurrentDirectoryRestorer& operator=(const CurrentDirectoryRestorer&) = delete;

    bool IsRemembered() const { return m_remembered; }

private:
    char m_folder[MAX_PATH] = "";
    bool m_remembered = false;
};

using EntryOfValue = CString (*)(const CString& name, const CString& text);

CString HelpFileEntry(const CString& name, const CString& folder) {
    CString stripped = CHistoryCleaner::StripQuotes(folder);
    CString entry = CUtilityLib::AddPath(stripped, name);
    // AddPath collapses every pair of backslashes, the one that starts "\\server\help" too.
    return stripped.Left(2) == "\\\\" ? "\\" + entry : entry;
}

CString FontFileEntry(const CString&, const CString& text) { return CHistoryCleaner::StripQuotes(text); }

// Every value with a text names a file; false when a stop ended the loop.
bool RemoveMissingValueFiles(CHistoryCleaner& engine, CRemovalGroup& removals, const char* key, const char* prefix,
                             const char* category, EntryOfValue entryOf) {
    CStringArray names;
    CUtilityLib::GetSubValueList(HKEY_LOCAL_MACHINE, key, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (engine.IsStopRequested())
            return false;
        const CString& name = names[i];
        CString text = CUtilityLib::ReadRegistry(HKEY_LOCAL_MACHINE, key, name);
        if (text.IsEmpty())
            continue;
        CString entry = entryOf(name, text);
        if (!CHistoryCleaner::IsLoadableFile(entry))
            removals.RemoveValue(HKEY_LOCAL_MACHINE, key, name, category, entry, CUtilityLib::AddPath(prefix, name));
    }
    return true;
}

using IsValidEntry = int (*)(const char* entry);

// Every subkey whose text valueName (null: the default value) names something that is not
// there goes as a whole; a subkey without that text stays.
void RemoveKeysWithMissingTargets(CHistoryCleaner& engine, CRemovalGroup& removals, const char* key,
                                  const char* valueName, const char* prefix, const char* category,
                                  IsValidEntry isValid) {
    CStringArray subkeys;
    CUtilityLib::GetSubRegKeyList(HKEY_LOCAL_MACHINE, key, subkeys);
    for (int i = 0; i < subkeys.GetSize(); ++i) {
        if (engine.IsStopRequested())
            return;
        // AddPath would turn a "/" in the name into "\", naming another key.
        CString subkey = CString(key) + "\\" + subkeys[i];
        CString text = CUtilityLib::ReadRegistry(HKEY_LOCAL_MACHINE, subkey, valueName);
        if (text.IsEmpty())
            continue;
        CString entry = CHistoryCleaner::StripQuotes(text);
        if (!isValid(entry))
            removals.RemoveKey(HKEY_LOCAL_MACHINE, subkey, category, entry, CUtilityLib::AddPath(prefix, subkeys[i]));
    }
}

}  // namespace

void CHistoryCleaner::RegistryCheckMUICache(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    CStringArray names;
    CUtilityLib::GetSubValueList(HKEY_CURRENT_USER, kMuiCacheKey, names);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (IsStopRequested())
            return;
        const CString& name = names[i];
        if (*name.GetString() == '\\' || Mbcs::CompareNoCase(name, "LangID") == 0)
            continue;
        CString entry = MuiCacheNameToPath(name);
        if (!IsLoadableFile(entry))
            removals.RemoveValue(HKEY_CURRENT_USER, kMuiCacheKey, name, kMuiCacheCategory, entry,
                                 CUtilityLib::AddPath(kMuiCachePrefix, name));
    }
}

void CHistoryCleaner::RegistryCheckAppPaths(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    RemoveKeysWithMissingTargets(*this, removals, kAppPathsKey, nullptr, kAppPathsPrefix, kAppPathsCategory,
                                 &CHistoryCleaner::IsLoadableFile);
}

void CHistoryCleaner::RegistryCheckHelpFile(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    if (RemoveMissingValueFiles(*this, removals, kHelpKey, kHelpPrefix, kHelpCategory, &HelpFileEntry))
        RemoveMissingValueFiles(*this, removals, kHtmlHelpKey, kHtmlHelpPrefix, kHelpCategory, &HelpFileEntry);
}

void CHistoryCleaner::RegistryCheckFontFile(CRegBackupWriter& writer) {
    CurrentDirectoryRestorer restorer;
    // Bare font file names resolve in the fonts folder only while it is the current directory;
    // judged anywhere else every one of them would look missing.
    if (!restorer.IsRemembered())
        return;
    CString fonts = TraceFolders::Special(CSIDL_FONTS);
    if (fonts.IsEmpty() || !SetCurrentDirectoryA(fonts))
        return;
    CRemovalGroup removals(*this, writer);
    RemoveMissingValueFiles(*this, removals, kFontsKey, kFontsPrefix, kFontCategory, &FontFileEntry);
}

void CHistoryCleaner::RegistryCheckSetupPath(CRegBackupWriter& writer) {
    CRemovalGroup removals(*this, writer);
    CStringArray folders;
    CUtilityLib::GetSubValueList(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, folders);
    for (int i = 0; i < folders.GetSize(); ++i) {
        if (IsStopRequested())
            return;
        const CString& name = folders[i];
        CString entry = StripQuotes(name);
        if (!CUtilityLib::IsDirectory(entry))
            removals.RemoveValue(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, name, kSetupCategory, entry,
                                 CUtilityLib::AddPath(kInstallerFoldersPrefix, name));
    }
    RemoveKeysWithMissingTargets(*this, removals, kUninstallKey, "UninstallString", kUninstallPrefix, kSetupCategory,
                                 &CHistoryCleaner::IsValidCommandLine);
}
