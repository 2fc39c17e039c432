#include "ProgramTraceProfile.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include "FileProbe.h"
#include "HistoryCleaner.h"
#include "HostTools.h"
#include "ItemDispatch.h"
#include "RegBackupWriter.h"

namespace {

bool RegKeyExists(HKEY root, const CString& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The shallowest level of path that fails the test, or "" when every level passes.
template <typename Exists>
CString FirstMissingLevel(const CString& path, int firstSeparatorFrom, Exists exists) {
    for (int at = path.Find('\\', firstSeparatorFrom); at >= 0; at = path.Find('\\', at + 1)) {
        if (!exists(path.Left(at)))
            return path.Left(at);
    }
    return exists(path) ? CString() : path;
}

}  // namespace

ProgramTraceProfile::~ProgramTraceProfile() {
    for (const OwnedKey& key : m_keys)
        SHDeleteKeyA(key.root, key.path);
    // Also a link whose target has gone already: it no longer shows as existing.
    for (const CString& item : m_items)
        HostTools::RemoveTree(item);
}

void ProgramTraceProfile::MakeKey(HKEY root, const char* path) {
    CString missing = FirstMissingLevel(path, 0, [root](const CString& level) { return RegKeyExists(root, level); });
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
    if (!missing.IsEmpty())
        m_keys.push_back({root, missing});
}

void ProgramTraceProfile::SetText(HKEY root, const char* path, const char* name, const char* text) {
    SetValue(root, path, name, REG_SZ, std::string(text, lstrlenA(text) + 1));
}

void ProgramTraceProfile::SetBinary(HKEY root, const char* path, const char* name, const std::string& bytes) {
    SetValue(root, path, name, REG_BINARY, bytes);
}

void ProgramTraceProfile::SetValue(HKEY root, const char* path, const char* name, DWORD type,
                                   const std::string& bytes) {
    MakeKey(root, path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
}

CString ProgramTraceProfile::MakeFolder(const char* folder) {
    // From the first "\" after the drive ("C:\").
    CString missing = FirstMissingLevel(folder, 3, [](const CString& level) { return FileProbe::Exists(level); });
    if (!missing.IsEmpty())
        m_items.push_back(missing);
    CString path(folder);
    for (int at = path.Find('\\', 3); at >= 0; at = path.Find('\\', at + 1))
        CreateDirectoryA(path.Left(at), nullptr);
    CreateDirectoryA(path, nullptr);
    return path;
}

CString ProgramTraceProfile::MakeFile(const char* file, const char* content) {
    CString path(file);
    CString folder = path.Left(path.ReverseFind('\\'));
    MakeFolder(folder);
    if (!FileProbe::Exists(path))
        m_items.push_back(path);
    FileProbe::WriteBytes(path, content);
    return path;
}

bool ProgramTraceProfile::MakeLink(const char* link, const char* target) {
    CString path(link);
    MakeFolder(path.Left(path.ReverseFind('\\')));
    if (!FileProbe::Exists(path))
        m_items.push_back(path);
    return HostTools::MakeSymlink(link, target);
}

namespace RegProbe {

bool KeyExists(HKEY root, const char* path) { return RegKeyExists(root, path); }

bool ValueExists(HKEY root, const char* path, const char* name) {
    return ReadBytes(root, path, name) != "<missing>";
}

std::string ReadBytes(HKEY root, const char* path, const char* name, DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    DWORD size = 0;
    std::string bytes = "<missing>";
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        if (RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS)
            bytes = "<missing>";
    }
    RegCloseKey(key);
    return bytes;
}

std::set<std::string> ValueNames(HKEY root, const char* path) {
    std::set<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(std::string(name, length));
    }
    RegCloseKey(key);
    return names;
}

}  // namespace RegProbe

CString SandboxFolder(int csidl) {
    char folder[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    CString path(folder);
    path.TrimRight('\\');
    return path;
}

void RunItem(int id) {
    CHistoryCleaner engine;
    CRegBackupWriter writer;
    DispatchItem(id, engine, writer, nullptr);
}
