#include "FolderWalk.h"
#include "HistoryCleaner.h"
#include "PathGuard.h"
#include "TraceFiles.h"
#include "TraceFolders.h"
#include "UtilityLib.h"

namespace {

const ULONGLONG kFileTimeUnitsPerSecond = 10000000;
const ULONGLONG kPrefetchKeptSeconds = 86400;

ULONGLONG FileTimeValue(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Prefetch files untouched for more than a day; the boot trace stays whatever its age.
class PrefetchWalk : public CFolderWalk {
public:
    explicit PrefetchWalk(const CHistoryCleaner& engine) : m_engine(engine) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        m_now = FileTimeValue(now);
    }

protected:
    void OnFile(const CFolderEntry& entry) override {
        if (!IsStale(entry))
            return;
        ChangeReadOnly(entry.path, entry.found.dwFileAttributes, false);
        DeleteFileW(entry.path);
    }

    // Only empty folders go; RemoveDirectoryW fails on the others.
    void OnLeaveFolder(const CFolderEntry& entry) override { RemoveDirectoryW(entry.path); }

    bool IsStopped() override { return m_engine.IsStopRequested(); }

private:
    bool IsStale(const CFolderEntry& entry) const {
        CString name(entry.name);
        if (CUtilityLib::GetFileExt(name).CompareNoCase("pf") != 0 || name.Find("NTOSBOOT") >= 0)
            return false;
        ULONGLONG written = FileTimeValue(entry.found.ftLastWriteTime);
        if (written == 0 || written > m_now)
            return false;
        return (m_now - written) / kFileTimeUnitsPerSecond > kPrefetchKeptSeconds;
    }

    const CHistoryCleaner& m_engine;
    ULONGLONG m_now;
};

// Writes a fresh file beside the old one and swaps it in, so a failed write never leaves the file
// lost or half written. A link in the file's place is left alone; the fresh file gets a name the
// system makes and creates at once, so no link can stand in its way either.
bool ReplaceFileText(const CString& text, const CString& file) {
    if (!TraceFiles::IsPlainFile(file))
        return false;
    char fresh[MAX_PATH];
    if (!GetTempFileNameA(CUtilityLib::GetParentFolder(file), "vtl", 0, fresh))
        return false;
    if (!CUtilityLib::SaveFileData(text, fresh, true)) {
        DeleteFileA(fresh);
        return false;
    }
    if (CUtilityLib::IsReadOnly(file))
        CUtilityLib::SetReadOnly(file, false);
    if (!MoveFileExA(fresh, file, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh);
        return false;
    }
    return true;
}

}  // namespace

void CHistoryCleaner::RemovePrefetch(const char* folder) {
    // Without a Windows folder there is no default: Join gives "" rather than "\Prefetch".
    CString root = (folder && *folder) ? CString(folder)
                                       : TraceFolders::Join(CUtilityLib::GetWindowsDirectoryA(), "Prefetch");
    CString cleanable = CPathGuard::CleanableFolder(root);
    if (cleanable.IsEmpty())
        return;
    PrefetchWalk walk(*this);
    walk.Run(cleanable);
}

void CHistoryCleaner::UpdatePrefetchLayoutINI() {
    CString windows = CUtilityLib::GetWindowsDirectoryA();
    if (windows.IsEmpty())
        return;
    CString layout = windows + "\\Prefetch\\Layout.ini";
    CStringArray keys;
    CStringArray values;
    CUtilityLib::GetPrivateProfileSectionA("OptimalLayoutFile", keys, values, layout);

    CString text = "[OptimalLayoutFile]\r\n";
    bool dropped = false;
    for (int i = 0; i < keys.GetSize(); ++i) {
        if (!values[i].IsEmpty()) {
            text += keys[i] + "=" + values[i] + "\r\n";
        } else if (CUtilityLib::IsFileFolder(keys[i])) {
            text += keys[i] + "\r\n";
        } else {
            dropped = true;
        }
    }
    if (dropped)
        ReplaceFileText(text, layout);
}
