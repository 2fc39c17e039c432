#include "TraceSeeder.h"

#include <shlobj.h>

#include <cstdio>

#include "HostTools.h"

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string WideBytes(const wchar_t* text) {
    return std::string(reinterpret_cast<const char*>(text), (wcslen(text) + 1) * sizeof(wchar_t));
}

CString ExpandedPath(const char* text) {
    char expanded[MAX_PATH] = {0};
    DWORD length = ExpandEnvironmentStringsA(text, expanded, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? CString(expanded) : CString();
}

std::string Filler(const char* pattern, size_t length) {
    if (!*pattern)
        return std::string(length, '\0');
    std::string text;
    while (text.size() < length)
        text += pattern;
    text.resize(length);
    return text;
}

namespace {

CString ParentOf(const char* path) {
    CString text(path);
    int slash = text.ReverseFind('\\');
    return slash > 0 ? text.Left(slash) : CString();
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(HKEY root, const char* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

CString CTraceSeeder::ShellFolder(int csidl) {
    char folder[MAX_PATH] = {0};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    EnsureFolder(folder);
    return folder;
}

CString CTraceSeeder::WindowsFolder() {
    char folder[MAX_PATH] = {0};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

CString CTraceSeeder::TempFolder() {
    char folder[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, folder);
    CString path(folder);
    path.TrimRight('\\');
    return path;
}

CString CTraceSeeder::LocalLowFolder() {
    CString folder = ExpandedPath("%USERPROFILE%\\AppData\\LocalLow");
    EnsureFolder(folder);
    return folder;
}

CString CTraceSeeder::ProgramAppDataFolder() {
    CString folder = LocalLowFolder() + "\\vantrel";
    EnsureFolder(folder);
    return folder;
}

CString CTraceSeeder::OutsideFolder(const char* name) {
    CString folder = CString(CSeedManifest::Folder()) + "\\outside\\" + name;
    EnsureFolder(folder);
    return folder;
}

void CTraceSeeder::EnsureFolder(const char* folder) {
    CString path(folder);
    if (path.GetLength() < 3 || Exists(path))
        return;
    CString topmostMade;
    for (int at = path.Find('\\', 3);; at = path.Find('\\', at + 1)) {
        CString level = at >= 0 ? path.Left(at) : path;
        if (!Exists(level) && CreateDirectoryA(level, nullptr) && topmostMade.IsEmpty())
            topmostMade = level;
        if (at < 0)
            break;
    }
    // The seed folder goes as a whole.
    if (!topmostMade.IsEmpty() && topmostMade.Find(CSeedManifest::Folder()) != 0)
        Cleanup(SeedKind::Tree, topmostMade);
}

void CTraceSeeder::EnsureKey(HKEY root, const char* subkey) {
    CString path(subkey);
    CString topmostMissing;
    for (int at = path.Find('\\');; at = path.Find('\\', at + 1)) {
        CString level = at >= 0 ? path.Left(at) : path;
        if (!KeyExists(root, level)) {
            topmostMissing = level;
            break;
        }
        if (at < 0)
            break;
    }
    if (topmostMissing.IsEmpty())
        return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
        Cleanup(SeedKind::Key, RegistryPath(root, topmostMissing));
    }
}

bool CTraceSeeder::WriteFileBytes(const char* path, const std::string& content) {
    EnsureFolder(ParentOf(path));
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        printf("  cannot write %s (error %lu)\n", path, GetLastError());
        return false;
    }
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return written == content.size();
}

void CTraceSeeder::SetLastWriteAge(const char* path, double hours) {
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= static_cast<ULONGLONG>(hours * 3600.0 * 10000000.0);
    FILETIME then = {time.LowPart, time.HighPart};
    SetFileTime(file, &then, &then, &then);
    CloseHandle(file);
}

bool CTraceSeeder::SetValue(HKEY root, const char* subkey, const char* name, DWORD type, const void* data,
                            DWORD size) {
    EnsureKey(root, subkey);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        printf("  cannot write value %s of %s (error %ld)\n", name, subkey, result);
    return result == ERROR_SUCCESS;
}

void CTraceSeeder::TraceEntry(int item, SeedKind kind, const char* path, const char* name, int count,
                              long long bytes) {
    SeedEntry entry;
    entry.role = SeedRole::Trace;
    entry.item = item;
    entry.kind = kind;
    entry.count = count;
    entry.bytes = bytes;
    entry.path = path;
    entry.name = name;
    m_manifest.Add(entry);
}

void CTraceSeeder::TraceFile(int item, const char* path, const std::string& content) {
    if (WriteFileBytes(path, content))
        TraceEntry(item, SeedKind::File, path, "", 1, static_cast<long long>(content.size()));
}

void CTraceSeeder::TraceKey(int item, HKEY root, const char* subkey) {
    EnsureKey(root, subkey);
    TraceEntry(item, SeedKind::Key, RegistryPath(root, subkey));
}

void CTraceSeeder::TraceString(int item, HKEY root, const char* subkey, const char* name, const char* text) {
    if (SetValue(root, subkey, name, REG_SZ, text, lstrlenA(text) + 1))
        TraceEntry(item, SeedKind::Value, RegistryPath(root, subkey), name);
}

void CTraceSeeder::TraceBinary(int item, HKEY root, const char* subkey, const char* name, const std::string& bytes) {
    if (SetValue(root, subkey, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())))
        TraceEntry(item, SeedKind::Value, RegistryPath(root, subkey), name);
}

void CTraceSeeder::TraceMruList(int item, HKEY root, const char* subkey, std::initializer_list<const char*> entries) {
    TraceKey(item, root, subkey);
    CString order;
    char name[2] = {'a', 0};
    for (const char* entry : entries) {
        TraceString(item, root, subkey, name, entry);
        order += name[0];
        ++name[0];
    }
    TraceString(item, root, subkey, "MRUList", order);
}

void CTraceSeeder::TraceSection(int item, const char* iniFile, const char* section) {
    TraceEntry(item, SeedKind::IniSection, iniFile, section);
}

void CTraceSeeder::KeepEntry(const char* label, SeedKind kind, const char* path, const char* name, int count) {
    SeedEntry entry;
    entry.role = SeedRole::Survivor;
    entry.kind = kind;
    entry.count = count;
    entry.label = label;
    entry.path = path;
    entry.name = name;
    m_manifest.Add(entry);
}

void CTraceSeeder::KeepFile(const char* label, const char* path, const std::string& content) {
    if (!WriteFileBytes(path, content))
        return;
    SeedEntry entry;
    entry.role = SeedRole::Survivor;
    entry.kind = SeedKind::File;
    entry.bytes = static_cast<long long>(content.size());
    entry.label = label;
    entry.path = path;
    m_manifest.Add(entry);
}

void CTraceSeeder::KeepKey(const char* label, HKEY root, const char* subkey) {
    EnsureKey(root, subkey);
    KeepEntry(label, SeedKind::Key, RegistryPath(root, subkey));
}

void CTraceSeeder::KeepValue(const char* label, HKEY root, const char* subkey, const char* name, DWORD type,
                             const void* data, DWORD size) {
    if (!SetValue(root, subkey, name, type, data, size))
        return;
    SeedEntry entry;
    entry.role = SeedRole::Survivor;
    entry.kind = SeedKind::Value;
    entry.label = label;
    entry.path = RegistryPath(root, subkey);
    entry.name = name;
    // Text is compared without its terminator, as the manifest reads it back.
    DWORD compared = type == REG_SZ && size > 0 ? size - 1 : size;
    entry.data = HexBytes(data, static_cast<int>(compared));
    m_manifest.Add(entry);
}

void CTraceSeeder::KeepString(const char* label, HKEY root, const char* subkey, const char* name, const char* text) {
    KeepValue(label, root, subkey, name, REG_SZ, text, lstrlenA(text) + 1);
}

void CTraceSeeder::KeepBinary(const char* label, HKEY root, const char* subkey, const char* name,
                              const std::string& bytes) {
    KeepValue(label, root, subkey, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void CTraceSeeder::KeepDword(const char* label, HKEY root, const char* subkey, const char* name, DWORD number) {
    KeepValue(label, root, subkey, name, REG_DWORD, &number, sizeof number);
}

void CTraceSeeder::KeepLinkInside(const char* label, const char* cleanedFolder) {
    CString targetName;
    targetName.Format("link%02d", ++m_links);
    CString target = OutsideFolder(targetName);
    const char* files[] = {"keep.txt", "keep.tmp", "desktop.ini", "OLDAPP.EXE-0BADF00D.pf", "deep\\keep.txt"};
    int made = 0;
    for (const char* file : files) {
        CString path = target + "\\" + file;
        if (WriteFileBytes(path, Filler("outside the cleaned folder\r\n", 120))) {
            SetLastWriteAge(path, 72);
            ++made;
        }
    }
    EnsureFolder(cleanedFolder);
    CString link = CString(cleanedFolder) + "\\linked folder";
    if (!HostTools::MakeSymlink(link, target)) {
        printf("  cannot make the folder link %s\n", (const char*)link);
        return;
    }
    SeedEntry entry;
    entry.role = SeedRole::Survivor;
    entry.kind = SeedKind::Link;
    entry.count = made;
    entry.label = label;
    entry.path = link;
    entry.name = target;
    m_manifest.Add(entry);
}

void CTraceSeeder::Cleanup(SeedKind kind, const char* path) {
    SeedEntry entry;
    entry.role = SeedRole::Cleanup;
    entry.kind = kind;
    entry.path = path;
    m_manifest.Add(entry);
}
