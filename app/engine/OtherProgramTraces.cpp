#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "TraceFiles.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

CString RoamingFolder(const char* relative) {
    return TraceFolders::Join(TraceFolders::Special(CSIDL_APPDATA), relative);
}

void DeleteFileIn(const CString& folder, const char* name) {
    CString file = TraceFolders::Join(folder, name);
    if (!file.IsEmpty())
        TraceFiles::Delete(file);
}

}  // namespace

void CHistoryCleaner::RemoveALSEEHistory() {
    SHDeleteValueA(HKEY_CURRENT_USER, "Software\\ESTSoft\\ALSee\\Config", "LastExploredPath");
    CleanFolder(RoamingFolder("ESTsoft\\ALSEE\\Cache"), nullptr, false, true, true);
    CleanFolder(RoamingFolder("ESTsoft\\ALSEE\\Temp"), nullptr, false, true, true);
    DeleteFileIn(RoamingFolder("ESTsoft\\ALSEE"), "PathHistory.dat");
}

void CHistoryCleaner::RemoveALZIPExtractHistory() {
    CleanFolder(RoamingFolder("ESTsoft\\ALZip"), nullptr, false, true, true);
}

void CHistoryCleaner::RemoveTerminalServiceHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Terminal Server Client\\Servers");
    SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Terminal Server Client\\Default");
    DeleteFileIn(CUtilityLib::GetMyDocumentPath(), "Default.rdp");
}

void CHistoryCleaner::RemoveAdobeHistory() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Adobe\\MediaBrowser\\MRU");
    CUtilityLib::DeleteMatchingSubKeys(HKEY_CURRENT_USER, "Software\\Adobe\\Photoshop", "VisitedDirs", 1, 1);
    CString adobe = TraceFolders::Expanded("%APPDATA%\\Adobe");
    // Refuses a link in place of the folder and never enters one inside it.
    if (!adobe.IsEmpty())
        CUtilityLib::SHDeleteSubDirectoryAll(adobe);
}
