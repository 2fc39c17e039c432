#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "RegBackupWriter.h"

// Only what the writer has on disk is reported and deleted, so every finding can be restored.

bool CHistoryCleaner::RemoveInvalidValue(CRegBackupWriter& writer, HKEY root, const char* key, const char* valueName,
                                         const char* category, const char* entry, const char* findingPath) {
    if (!writer.BackupValue(root, key, valueName))
        return false;
    AddFinding(category, entry, findingPath);
    SHDeleteValueA(root, key, valueName);
    return true;
}

bool CHistoryCleaner::RemoveInvalidKey(CRegBackupWriter& writer, HKEY root, const char* key, const char* category,
                                       const char* entry, const char* findingPath) {
    if (!writer.BackupKey(root, key))
        return false;
    AddFinding(category, entry, findingPath);
    SHDeleteKeyA(root, key);
    return true;
}
