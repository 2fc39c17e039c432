#pragma once
#include <windows.h>

#include <string>

#include "Framework.h"
#include "SeedManifest.h"

// Makes the traces of a used Windows profile inside the sandbox prefix and records every one of
// them in the manifest: what the items must remove (per item), what they must leave, and what
// was made only to hold the others.
class CTraceSeeder {
public:
    explicit CTraceSeeder(CSeedManifest& manifest) : m_manifest(manifest) {}
    CTraceSeeder(const CTraceSeeder&) = delete;
    CTraceSeeder& operator=(const CTraceSeeder&) = delete;

    void SeedBrowserTraces();
    void SeedWindowsTraces();
    void SeedProgramTraces();
    // Invalid entries for each registry check and valid ones they must leave.
    void SeedRegistryCheckTraces();
    // At least 50,000 cache files and 5,000 MRU values on top, for the benchmark.
    void SeedLargeProfile();

private:
    // Folders of the profile, without a trailing "\" (made when missing).
    CString ShellFolder(int csidl);
    CString WindowsFolder();
    CString TempFolder();
    CString LocalLowFolder();
    CString ProgramAppDataFolder();  // the program's own: LocalLow\vantrel
    CString OutsideFolder(const char* name);

    // Missing folders and keys are made; the topmost one made is recorded for removal.
    void EnsureFolder(const char* folder);
    void EnsureKey(HKEY root, const char* subkey);

    // Traces of an item. A key trace also records each value written below it.
    void TraceFile(int item, const char* path, const std::string& content);
    void TraceKey(int item, HKEY root, const char* subkey);
    void TraceString(int item, HKEY root, const char* subkey, const char* name, const char* text);
    void TraceBinary(int item, HKEY root, const char* subkey, const char* name, const std::string& bytes);
    void TraceMruList(int item, HKEY root, const char* subkey, std::initializer_list<const char*> entries);
    void TraceSection(int item, const char* iniFile, const char* section);
    void TraceEntry(int item, SeedKind kind, const char* path, const char* name = "", int count = 1,
                    long long bytes = 0);

    // What must survive.
    void KeepFile(const char* label, const char* path, const std::string& content);
    void KeepKey(const char* label, HKEY root, const char* subkey);
    void KeepString(const char* label, HKEY root, const char* subkey, const char* name, const char* text);
    void KeepBinary(const char* label, HKEY root, const char* subkey, const char* name, const std::string& bytes);
    void KeepDword(const char* label, HKEY root, const char* subkey, const char* name, DWORD number);
    void KeepValue(const char* label, HKEY root, const char* subkey, const char* name, DWORD type, const void* data,
                   DWORD size);
    void KeepEntry(const char* label, SeedKind kind, const char* path, const char* name = "", int count = 1);
    // A folder link inside a cleaned folder, pointing to a folder outside every cleaned folder
    // that holds trace-like files (old prefetch files, .tmp files, desktop.ini).
    void KeepLinkInside(const char* label, const char* cleanedFolder);

    void Cleanup(SeedKind kind, const char* path);

    bool WriteFileBytes(const char* path, const std::string& content);
    void SetLastWriteAge(const char* path, double hours);
    bool SetValue(HKEY root, const char* subkey, const char* name, DWORD type, const void* data, DWORD size);

    // Items in their own families.
    void SeedUrlCache();
    void SeedCookies();
    void SeedInternetExplorerKeys();
    void SeedHistory();
    void SeedFlashAndOpera();
    void SeedAddOns();
    void SeedTempAndRecycleBin();
    void SeedRecentAndSearches();
    void SeedPrefetch();
    void SeedUpdates();
    void SeedUsbAndTray();
    void SeedPlayersAndViewers();
    void SeedOfficeAndDevTools();
    void SeedMessengers();

    CSeedManifest& m_manifest;
    int m_links = 0;
};

// "\x01\x02" style bytes from a list of numbers, for binary registry values.
std::string Bytes(std::initializer_list<int> values);
// UTF-16 text with its terminator, as binary MRU values hold it.
std::string WideBytes(const wchar_t* text);
// The path with its %variables% expanded; empty when it does not fit.
CString ExpandedPath(const char* text);
// Text of the given length made of a repeating pattern, so sizes differ like real files do.
std::string Filler(const char* pattern, size_t length);
