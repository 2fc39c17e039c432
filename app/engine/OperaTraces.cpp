#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "TraceFiles.h"
#include "TraceFolders.h"

namespace {

const char kOperaProfile[] = "\\Opera\\Opera";
const char* const kWindowHistorySections[] = {"history url", "history document type", "history title",
                                              "history scrollpos list"};
const DWORD kFirstNamesBuffer = 4096;
const DWORD kMaxNamesBuffer = 16 * 1024 * 1024;

// "" when the folder cannot be resolved, so that the caller skips its part.
CString OperaFolder(int csidl) {
    CString base = TraceFolders::Special(csidl);
    return base.IsEmpty() ? CString() : base + kOperaProfile;
}

// Every section name of an initialisation file.
CStringArray SectionNames(const char* file) {
    std::vector<char> buffer;
    DWORD copied = 0;
    for (DWORD size = kFirstNamesBuffer;; size *= 2) {
        buffer.assign(size, '\0');
        copied = GetPrivateProfileSectionNamesA(buffer.data(), size, file);
        // size - 2 says that the names did not fit.
        if (copied < size - 2 || size >= kMaxNamesBuffer)
            break;
    }
    CStringArray names;
    for (const char* name = buffer.data(); name < buffer.data() + copied && *name; name += lstrlenA(name) + 1)
        names.Add(name);
    return names;
}

// "<i>history url" and its kin for a window i from 1 to windowCount, written as "%d" writes i.
bool IsWindowHistorySection(const CString& name, int windowCount) {
    const char* text = name;
    if (text[0] < '1' || text[0] > '9')
        return false;
    char* suffix = nullptr;
    unsigned long window = strtoul(text, &suffix, 10);
    if (window > static_cast<unsigned long>(windowCount))
        return false;
    for (const char* wanted : kWindowHistorySections) {
        if (Mbcs::CompareNoCase(suffix, wanted) == 0)
            return true;
    }
    return false;
}

// Drops the history sections of every window but keeps the windows. The window count is not
// trusted as a loop bound: only sections that the file holds are looked at.
void ForgetSessionHistory(const char* sessionFile) {
    if (!TraceFiles::IsPlainFile(sessionFile))
        return;
    int windowCount = GetPrivateProfileIntA("session", "window count", 0, sessionFile);
    if (windowCount <= 0)
        return;
    CStringArray names = SectionNames(sessionFile);
    for (int i = 0; i < names.GetSize(); ++i) {
        if (IsWindowHistorySection(names[i], windowCount))
            WritePrivateProfileSectionA(names[i], nullptr, sessionFile);
    }
}

}  // namespace

void CHistoryCleaner::RemoveOperaTempFiles() {
    CString local = OperaFolder(CSIDL_LOCAL_APPDATA);
    if (local.IsEmpty())
        return;
    CleanFolder(local + "\\cache", nullptr, true, true, true);
    CleanFolder(local + "\\widgets", nullptr, true, true, true);
}

void CHistoryCleaner::RemoveOperaHistory() {
    CString roaming = OperaFolder(CSIDL_APPDATA);
    if (!roaming.IsEmpty()) {
        TraceFiles::Delete(roaming + "\\typed_history.xml");
        TraceFiles::Delete(roaming + "\\global_history.dat");
        ForgetSessionHistory(roaming + "\\sessions\\autosave.win");
    }
    CString local = OperaFolder(CSIDL_LOCAL_APPDATA);
    if (!local.IsEmpty())
        CleanFolder(local + "\\widgets", nullptr, true, true, true);
}

void CHistoryCleaner::RemoveOperaCookies() {
    CString roaming = OperaFolder(CSIDL_APPDATA);
    if (!roaming.IsEmpty())
        TraceFiles::Delete(roaming + "\\cookies4.dat");
}
