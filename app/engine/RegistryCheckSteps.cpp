#include <shlwapi.h>

#include "HistoryCleaner.h"
#include "RegBackupWriter.h"
#include "RegKey.h"

// Only what the writer has on disk is deleted, so every finding can be restored; only what is
// really gone afterwards is a finding. An entry that stayed (no rights, a restrictive access
// list) is not reported; its lines in the backup file are harmless.

namespace {

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

bool CHistoryCleaner::RemoveInvalidValue(CRegBackupWriter& writer, HKEY root, const char* key, const char* valueName,
                                         const char* category, const char* entry, const char* findingPath) {
    if (!writer.BackupValue(root, key, valueName))
        return false;
    SHDeleteValueA(root, key, valueName);
    if (!IsValueGone(root, key, valueName))
        return false;
    AddFinding(category, entry, findingPath);
    return true;
}

bool CHistoryCleaner::RemoveInvalidKey(CRegBackupWriter& writer, HKEY root, const char* key, const char* category,
                                       const char* entry, const char* findingPath) {
    if (!writer.BackupKey(root, key))
        return false;
    SHDeleteKeyA(root, key);
    if (!IsKeyGone(root, key))
        return false;
    AddFinding(category, entry, findingPath);
    return true;
}
