#include "SeedReport.h"

#include <shlwapi.h>
#include <wininet.h>

#include <cstdio>

#include "CleanupCatalogue.h"
#include "HostTools.h"
#include "SeedItems.h"

namespace {

enum class Column { Files, Registry, Other };

Column ColumnOf(SeedKind kind) {
    switch (kind) {
    case SeedKind::File:
    case SeedKind::Tree:
    case SeedKind::IndexDat:
    case SeedKind::RecycleBin:
        return Column::Files;
    case SeedKind::Key:
    case SeedKind::Value:
    case SeedKind::ValueCount:
    case SeedKind::AddOn:
        return Column::Registry;
    default:
        return Column::Other;
    }
}

// Host tools cannot take a path with Hangul in it, so seeded trees go from the Windows side.
// The links were removed before; should one remain, it is left with its folder.
void DeleteTree(const char* folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(CString(folder) + "\\*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            CString path = CString(folder) + "\\" + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0)
                    DeleteTree(path);
            } else {
                SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path);
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    if (!(GetFileAttributesA(folder) & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveDirectoryA(folder);
}

void RemoveEntry(const SeedEntry& entry) {
    CString subkey;
    HKEY root = RegistryRoot(entry.path, subkey);
    switch (entry.kind) {
    case SeedKind::File:
    case SeedKind::IndexDat:
        SetFileAttributesA(entry.path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(entry.path);
        break;
    case SeedKind::Tree:
        if (GetFileAttributesA(entry.path) != INVALID_FILE_ATTRIBUTES)
            DeleteTree(entry.path);
        break;
    case SeedKind::Key:
    case SeedKind::ValueCount:
        if (root)
            SHDeleteKeyA(root, subkey);
        break;
    case SeedKind::Value:
        if (root)
            SHDeleteValueA(root, subkey, entry.name);
        break;
    case SeedKind::IniSection:
        if (GetFileAttributesA(entry.path) != INVALID_FILE_ATTRIBUTES)
            WritePrivateProfileSectionA(entry.name, nullptr, entry.path);
        break;
    case SeedKind::CacheEntry:
        DeleteUrlCacheEntryA(entry.name);
        break;
    case SeedKind::AddOn:
        SHDeleteKeyA(HKEY_CURRENT_USER,
                     CString("Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\") + entry.name);
        break;
    default:  // recycle bin items, ini lines, paths that were there before
        break;
    }
}

}  // namespace

std::vector<ItemTally> TallyItems(const CSeedManifest& manifest) {
    std::vector<ItemTally> tallies;
    std::vector<int> ids;
    for (int id : Catalogue::DirectModeOrder())
        ids.push_back(id);
    for (int id = kRegistryMuiCache; id <= kRegistrySoundSetting; ++id)
        ids.push_back(id);
    for (int id : ids) {
        ItemTally tally;
        tally.item = id;
        for (const SeedEntry& entry : manifest.Entries()) {
            if (entry.role != SeedRole::Trace || entry.item != id)
                continue;
            switch (ColumnOf(entry.kind)) {
            case Column::Files:
                tally.files += entry.count;
                break;
            case Column::Registry:
                tally.registry += entry.count;
                break;
            case Column::Other:
                tally.other += entry.count;
                break;
            }
            tally.bytes += entry.bytes;
            tally.units += entry.count;
            tally.present += PresentUnits(entry);
        }
        if (tally.units > 0)
            tallies.push_back(tally);
    }
    return tallies;
}

int PrintReport(const CSeedManifest& manifest) {
    printf(" id  %-38s %6s %10s %6s %6s  %s\n", "option key", "files", "bytes", "reg", "other", "present");
    int units = 0;
    int present = 0;
    for (const ItemTally& tally : TallyItems(manifest)) {
        printf("%3d  %-38s %6d %10lld %6d %6d  %d/%d\n", tally.item, Catalogue::FindItem(tally.item)->optionKey,
               tally.files, tally.bytes, tally.registry, tally.other, tally.present, tally.units);
        units += tally.units;
        present += tally.present;
    }
    printf("traces present: %d of %d\n", present, units);
    printf("must survive:\n");
    int survivors = 0;
    int intact = 0;
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.role != SeedRole::Survivor)
            continue;
        bool ok = IsIntact(entry);
        ++survivors;
        intact += ok ? 1 : 0;
        CString where = entry.path;
        if (!entry.name.IsEmpty())
            where += where.IsEmpty() ? entry.name : " : " + entry.name;
        printf("  %-4s %-48s %s\n", ok ? "OK" : "LOST", (const char*)entry.label, (const char*)where);
    }
    printf("survivors intact: %d of %d\n", intact, survivors);
    return survivors - intact;
}

void RemoveSeed(const CSeedManifest& manifest) {
    // Links first: what is removed later must never be reached through one of them.
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.kind == SeedKind::Link && GetFileAttributesA(entry.path) != INVALID_FILE_ATTRIBUTES)
            HostTools::RemoveTree(entry.path);
    }
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.role != SeedRole::Cleanup && entry.kind != SeedKind::Link)
            RemoveEntry(entry);
    }
    for (const SeedEntry& entry : manifest.Entries()) {
        if (entry.role == SeedRole::Cleanup)
            RemoveEntry(entry);
    }
    DeleteTree(CSeedManifest::Folder());
}
