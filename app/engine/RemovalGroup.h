#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "Framework.h"

class CHistoryCleaner;
class CRegBackupWriter;

// The registry entries one check has backed up and not yet deleted. A group holds up to the
// engine's group limit of entries, or what the check finds within 50 ms of the group's first
// one; it is then committed: one flush puts all their backups on the disk, and only after it
// are they deleted. Destroying the group, at the end of a check, commits what is left.
class CRemovalGroup {
public:
    CRemovalGroup(CHistoryCleaner& engine, CRegBackupWriter& writer);
    ~CRemovalGroup();
    CRemovalGroup(const CRemovalGroup&) = delete;
    CRemovalGroup& operator=(const CRemovalGroup&) = delete;

    // An entry whose backup fails is dropped at once: never deleted, never recorded.
    // valueName null: the default value.
    void RemoveValue(HKEY root, const char* key, const char* valueName, const char* category, const char* entry,
                     const char* findingPath);
    void RemoveKey(HKEY root, const char* key, const char* category, const char* entry, const char* findingPath);

    // Deletes the pending entries once their backups are flushed and records those that are
    // really gone. A failed write or flush, or a stop, deletes and records none of them.
    void Commit();

private:
    struct Removal {
        HKEY root;
        CString key;
        std::optional<CString> valueName;  // none: the whole key
        CString category;
        CString entry;
        CString findingPath;
    };

    void CommitWhenDue();
    void Hold(Removal removal);

    CHistoryCleaner& m_engine;
    CRegBackupWriter& m_writer;
    std::vector<Removal> m_pending;
    ULONGLONG m_firstHeldAt = 0;
};
