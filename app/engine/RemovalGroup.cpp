#include "RemovalGroup.h"

#include <shlwapi.h>

#include <utility>

#include "HistoryCleaner.h"
#include "RegBackupWriter.h"
#include "RegKey.h"

namespace {

const ULONGLONG kGroupWindowMs = 50;

// Gone means the registry says so: a key that cannot be opened for another reason is still there.
bool IsKeyGone(HKEY root, const char* key) {
    CRegKey opened;
    return opened.Open(root, key, KEY_QUERY_VALUE) == ERROR_FILE_NOT_FOUND;
}

bool IsValueGone(HKEY root, const char* key, const char* valueName) {
    CRegKey opened;
    LONG result = opened.Open(root, key, KEY_QUERY_VALUE);
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExA(opened, valueName, nullptr, nullptr, nullptr, nullptr);
    return result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

CRemovalGroup::CRemovalGroup(CHistoryCleaner& engine, CRegBackupWriter& writer) : m_engine(engine), m_writer(writer) {}

CRemovalGroup::~CRemovalGroup() { Commit(); }

void CRemovalGroup::RemoveValue(HKEY root, const char* key, const char* valueName, const char* category,
                                const char* entry, const char* findingPath) {
    CommitWhenDue();
    if (m_writer.BackupValue(root, key, valueName))
        Hold({root, key, CString(valueName), category, entry, findingPath});
}

void CRemovalGroup::RemoveKey(HKEY root, const char* key, const char* category, const char* entry,
                              const char* findingPath) {
    CommitWhenDue();
    if (m_writer.BackupKey(root, key))
        Hold({root, key, std::nullopt, category, entry, findingPath});
}

void CRemovalGroup::Commit() {
    std::vector<Removal> group;
    group.swap(m_pending);
    if (group.empty() || !m_writer.Commit())
        return;
    // An entry that stayed (no rights, a restrictive access list) is no finding; its lines in
    // the backup file are harmless.
    for (const Removal& removal : group) {
        if (m_engine.IsStopRequested())
            return;
        bool gone;
        if (removal.valueName) {
            SHDeleteValueA(removal.root, removal.key, *removal.valueName);
            gone = IsValueGone(removal.root, removal.key, *removal.valueName);
        } else {
            SHDeleteKeyA(removal.root, removal.key);
            gone = IsKeyGone(removal.root, removal.key);
        }
        if (gone)
            m_engine.AddFinding(removal.category, removal.entry, removal.findingPath);
    }
}

// Checked before the next entry is backed up, so that it starts the next group.
void CRemovalGroup::CommitWhenDue() {
    if (!m_pending.empty() && GetTickCount64() - m_firstHeldAt >= kGroupWindowMs)
        Commit();
}

void CRemovalGroup::Hold(Removal removal) {
    if (m_pending.empty())
        m_firstHeldAt = GetTickCount64();
    m_pending.push_back(std::move(removal));
    if (static_cast<int>(m_pending.size()) >= m_engine.RemovalGroupLimit())
        Commit();
}
