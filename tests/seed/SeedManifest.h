#pragma once
#include <windows.h>

#include <vector>

#include "Framework.h"

// What TraceProfile seeded into a sandbox profile, one entry a line in a tab-separated text
// file, and how much of each entry is still there.
enum class SeedRole : char {
    Trace = 'T',     // something an item must remove (or switch off)
    Survivor = 'S',  // something every item must leave as it is
    Cleanup = 'C',   // a folder, key or file made only to hold the others; removed by "remove"
};

enum class SeedKind : char {
    File = 'F',        // path
    Tree = 'D',        // folder path; count = files in it (links are not entered)
    Key = 'K',         // registry path ("HKCU\...", "HKLM\..." or "HKU\...")
    Value = 'V',       // registry path + value name; survivors also compare data (hex)
    ValueCount = 'M',  // registry path; count = values in the key
    IniSection = 'I',  // ini file path + section name
    IniLine = 'L',     // ini file path + line text (UTF-16 or ANSI file)
    CacheEntry = 'U',  // URL cache entry name
    RecycleBin = 'R',  // count = items put into the recycle bin
    AddOn = 'A',       // add-on class id: present while Internet Explorer has it switched on
    IndexDat = 'X',    // path of an index.dat: present while it still holds data
    Existing = 'P',    // a path that was there before seeding; never removed
    Link = 'Y',        // folder link path + target folder; count = files in the target
};

struct SeedEntry {
    SeedRole role = SeedRole::Trace;
    int item = 0;        // traces: the cleanup item id
    SeedKind kind = SeedKind::File;
    int count = 1;       // units the entry stands for
    long long bytes = 0; // file bytes seeded
    CString label;       // survivors: what it is, for the report
    CString path;
    CString name;
    CString data;
};

class CSeedManifest {
public:
    // Where seed writes and report reads: outside every folder the items clean.
    static const char* Folder() { return "C:\\vantrel-seed"; }
    static CString FilePath();

    void Add(const SeedEntry& entry) { m_entries.push_back(entry); }
    const std::vector<SeedEntry>& Entries() const { return m_entries; }

    bool Save() const;
    // False when there is no manifest.
    bool Load();

private:
    std::vector<SeedEntry> m_entries;
};

// Registry paths of the manifest: "HKCU\...", "HKLM\..." or "HKU\...". Null root for anything else.
HKEY RegistryRoot(const char* path, CString& subkey);
CString RegistryPath(HKEY root, const char* subkey);

CString HexBytes(const void* data, int length);

// Units of the entry found now: for a trace, how much of it remains; for a survivor, its
// count when it is intact and 0 when it is not (survivor files keep their size, values their
// data, links their target's files).
int PresentUnits(const SeedEntry& entry);
inline bool IsIntact(const SeedEntry& entry) { return PresentUnits(entry) == entry.count; }

// Files in a folder and its subfolders; links are counted as nothing and never entered.
int CountFiles(const char* folder);
