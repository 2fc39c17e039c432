#include "FolderWalk.h"
#include "HistoryCleaner.h"
#include "Mbcs.h"
#include "PathGuard.h"
#include "UtilityLib.h"

namespace {

// The text after the name's last dot, or "" without one; no copy per entry.
const char* NameExtension(const char* name) {
    const char* extension = "";
    for (const char* at = name; *at; at += Mbcs::CharLength(at)) {
        if (*at == '.')
            extension = at + 1;
    }
    return extension;
}

class CleaningWalk : public CFolderWalk {
public:
    CleaningWalk(const CHistoryCleaner& engine, const CStringArray* exceptions, bool includeDesktopIni,
                 bool includeTmp, bool recurse)
        : m_engine(engine),
          m_exceptions(exceptions),
          m_includeDesktopIni(includeDesktopIni),
          m_includeTmp(includeTmp),
          m_recurse(recurse) {}

protected:
    void OnFile(const CFolderEntry& entry) override {
        if (!IsCleanable(entry.name))
            return;
        ClearReadOnly(entry);
        if (m_depth == 0 && IsException(entry.name))
            return;
        DeleteFileW(entry.path);
    }

    bool OnEnterFolder(const CFolderEntry& entry) override {
        if (!IsCleanable(entry.name))
            return false;
        ClearReadOnly(entry);
        if (!m_recurse)
            return false;
        ++m_depth;
        return true;
    }

    void OnLeaveFolder(const CFolderEntry& entry) override {
        --m_depth;
        RemoveDirectoryW(entry.path);
    }

    // Under Wine each wait is a round trip to the server that costs a third of a deletion, so
    // the event is asked before the first entry and then again once the tick count has moved
    // (every 16 ms or so): a stop is still seen within one tick.
    bool IsStopped() override {
        DWORD now = GetTickCount();
        if (m_askedOnce && now == m_lastAsked)
            return false;
        m_askedOnce = true;
        m_lastAsked = now;
        return m_engine.IsStopRequested();
    }

private:
    // Both rules hold for folders as well as files.
    bool IsCleanable(const char* name) const {
        if (!m_includeDesktopIni && Mbcs::CompareNoCase(name, "desktop.ini") == 0)
            return false;
        return m_includeTmp || Mbcs::CompareNoCase(NameExtension(name), "tmp") != 0;
    }

    // Exceptions are lower-case texts; they protect files of the cleaned folder only, not of its subfolders.
    bool IsException(const char* name) const {
        if (!m_exceptions || m_exceptions->GetSize() == 0)
            return false;
        CString lowered(name);
        lowered.MakeLower();
        for (int i = 0; i < m_exceptions->GetSize(); ++i) {
            if (lowered.Find(m_exceptions->GetAt(i)) >= 0)
                return true;
        }
        return false;
    }

    static void ClearReadOnly(const CFolderEntry& entry) {
        ChangeReadOnly(entry.path, entry.found.dwFileAttributes, false);
    }

    const CHistoryCleaner& m_engine;
    const CStringArray* m_exceptions;
    bool m_includeDesktopIni;
    bool m_includeTmp;
    bool m_recurse;
    int m_depth = 0;
    bool m_askedOnce = false;
    DWORD m_lastAsked = 0;
};

}  // namespace

int CHistoryCleaner::CleanFolder(const char* folder, const CStringArray* exceptions, bool includeDesktopIni,
                                 bool includeTmp, bool recurse) {
    if (!folder || lstrlenA(folder) <= 3)
        return 0;
    CString cleanable = CPathGuard::CleanableFolder(folder);
    if (cleanable.IsEmpty())
        return 0;
    // The walk refuses a folder that is itself a link and never enters or reports one inside.
    CleaningWalk walk(*this, exceptions, includeDesktopIni, includeTmp, recurse);
    return walk.Run(cleanable) ? 1 : 0;
}
