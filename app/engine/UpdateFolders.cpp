#include <windows.h>

#include <shlwapi.h>

#include "CFileFind.h"
#include "FolderWalk.h"
#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "UtilityLib.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUpdatesLocation[] = "hklm\\software\\microsoft\\updates\\";

// Every single-byte decimal digit becomes "?"; both bytes of a double-byte character stay as
// they are. Tested by range: isdigit is undefined for the negative chars of double-byte text.
CString MaskDigits(const CString& text) {
    CString masked(text);
    char* at = masked.GetBuffer(masked.GetLength());
    while (*at) {
        int step = Mbcs::CharLength(at);
        if (step == 1 && *at >= '0' && *at <= '9')
            *at = '?';
        at += step;
    }
    masked.ReleaseBuffer(text.GetLength());
    return masked;
}

bool StartsWith(const CString& text, const CString& prefix) {
    return text.GetLength() >= prefix.GetLength() && strncmp(text, prefix, prefix.GetLength()) == 0;
}

CString Lowered(CString text) { return text.MakeLower(); }

// With "." and ".." resolved, so that a command such as "W\$NtUninstall$\..\..\x" cannot
// pass for an update folder; empty for a relative folder, which would depend on the current
// folder, and when it cannot be resolved.
CString ResolvedFolder(const CString& folder) {
    if (folder.IsEmpty() || PathIsRelativeA(folder))
        return CString();
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(folder, MAX_PATH, full, nullptr);
    return (length > 0 && length < MAX_PATH) ? CString(full, static_cast<int>(length)) : CString();
}

// The folder or a folder between it and the Windows folder is a link: deleting there would
// reach the link's target.
bool PassesThroughLink(const CString& folder, const CString& windows) {
    for (CString at = folder; at.GetLength() > windows.GetLength(); at = CUtilityLib::GetParentFolder(at)) {
        if (CFolderWalk::IsReparsePoint(at))
            return true;
    }
    return false;
}

void DeleteUpdateFolder(const CString& folder, const CString& windows) {
    if (!PassesThroughLink(folder, windows))
        CUtilityLib::SHDeleteDirectoryAll(folder);
}

// The key below software\microsoft\updates that a registry location names; empty for the
// updates key itself or a location elsewhere.
CString UpdateKeyOfLocation(const CString& location) {
    if (!StartsWith(location, kUpdatesLocation))
        return CString();
    CString below = location.Mid(lstrlenA(kUpdatesLocation));
    if (below.TrimLeft("\\ \t").IsEmpty())
        return CString();
    return location.Mid(location.Find('\\') + 1);
}

void RemoveUninstallFolders(const CString& windows, const CStringArray& patterns) {
    CStringArray entries;
    CUtilityLib::GetSubRegKeyList(HKEY_LOCAL_MACHINE, kUninstallKey, entries);
    for (int i = 0; i < entries.GetSize(); ++i) {
        CString entryKey = CString(kUninstallKey) + "\\" + entries[i];
        CString command = CUtilityLib::ReadRegistry(HKEY_LOCAL_MACHINE, entryKey, "UninstallString");
        command.Replace("\"", "");
        CString location = Lowered(CUtilityLib::ReadRegistry(HKEY_LOCAL_MACHINE, entryKey, "RegistryLocation"));

        CString folder = ResolvedFolder(CUtilityLib::GetParentFolder(command));
        if (!CHistoryCleaner::MatchesUpdateFolder(folder, patterns))
            continue;
        DeleteUpdateFolder(folder, windows);
        CString parent = CUtilityLib::GetParentFolder(folder);
        if (CHistoryCleaner::MatchesUpdateFolder(parent, patterns))
            DeleteUpdateFolder(parent, windows);
        CString updateKey = UpdateKeyOfLocation(location);
        if (!updateKey.IsEmpty())
            SHDeleteKeyA(HKEY_LOCAL_MACHINE, updateKey);
    }
}

void RemoveBackupFolders(const CString& windows) {
    const CString uninstall = windows + "\\$ntuninstall";
    const CString servicePack = windows + "\\$ntservicepack";
    const CString ieUpdate = windows + "\\ie?update";
    CFileFind finder;
    bool more = finder.FindFile(windows + "\\*.*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory() || finder.IsDots() || finder.IsReparsePoint())
            continue;
        CString folder = Lowered(windows + "\\" + finder.GetFileName());
        if (StartsWith(folder, uninstall) || StartsWith(folder, servicePack) || StartsWith(MaskDigits(folder), ieUpdate))
            CUtilityLib::SHDeleteDirectoryAll(finder.GetFilePath());
    }
}

void RemoveHotfixMigrationFolders(const CString& windows) {
    CString migration = windows + "\\$hf_mig$";
    if (CFolderWalk::IsReparsePoint(migration))
        return;
    CFileFind finder;
    bool more = finder.FindFile(migration + "\\*.*");
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots() && !finder.IsReparsePoint())
            CUtilityLib::SHDeleteDirectoryAll(finder.GetFilePath());
    }
}

}  // namespace

bool CHistoryCleaner::MatchesUpdateFolder(const char* folder, const CStringArray& patterns) {
    if (!folder || !*folder)
        return false;
    CString masked = MaskDigits(Lowered(folder));
    for (int i = 0; i < patterns.GetSize(); ++i) {
        // An empty pattern would match every folder.
        if (!patterns[i].IsEmpty() && StartsWith(masked, Lowered(patterns[i])))
            return true;
    }
    return false;
}

void CHistoryCleaner::RemoveNTUninstall() {
    CString windows = Lowered(CUtilityLib::GetWindowsDirectoryA());
    if (windows.IsEmpty())
        return;
    CStringArray patterns;
    patterns.Add(windows + "\\$mf_mig$");
    patterns.Add(windows + "\\$ntuninstall");
    patterns.Add(windows + "\\$ntservicepack");
    patterns.Add(windows + "\\ie?update");

    RemoveUninstallFolders(windows, patterns);
    RemoveBackupFolders(windows);
    RemoveHotfixMigrationFolders(windows);
}
