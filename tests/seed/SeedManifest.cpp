#include "SeedManifest.h"

#include <shellapi.h>
#include <wininet.h>

#include <algorithm>
#include <string>

namespace {

const char kFieldBreak = '\t';

CString Field(const std::string& line, size_t& at) {
    size_t end = line.find(kFieldBreak, at);
    if (end == std::string::npos)
        end = line.size();
    CString field(line.data() + at, static_cast<int>(end - at));
    at = end < line.size() ? end + 1 : end;
    return field;
}

std::string ReadWholeFile(const char* path, bool& found) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    found = file != INVALID_HANDLE_VALUE;
    if (!found)
        return bytes;
    char chunk[16384];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool IsFilePath(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool KeyExists(const char* path) {
    CString subkey;
    HKEY root = RegistryRoot(path, subkey);
    HKEY key = nullptr;
    if (!root || RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Text values compare without their terminators: writers differ in whether they store one.
bool ReadValueHex(const char* path, const char* name, CString& hex) {
    CString subkey;
    HKEY root = RegistryRoot(path, subkey);
    HKEY key = nullptr;
    if (!root || RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::string data(size, '\0');
    if (result == ERROR_SUCCESS && size > 0)
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    data.resize(size);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
    }
    hex = HexBytes(data.data(), static_cast<int>(data.size()));
    return true;
}

int ValueCount(const char* path) {
    CString subkey;
    HKEY root = RegistryRoot(path, subkey);
    HKEY key = nullptr;
    if (!root || RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return static_cast<int>(values);
}

bool SectionHasLines(const char* file, const char* section) {
    char buffer[32768];
    return IsFilePath(file) && GetPrivateProfileSectionA(section, buffer, sizeof buffer, file) > 0;
}

// Layout.ini is UTF-16 when Windows writes it and ANSI once a cleaner has rewritten it.
bool FileHasLine(const char* path, const char* wanted) {
    bool found = false;
    std::string bytes = ReadWholeFile(path, found);
    if (!found)
        return false;
    std::string text = bytes;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
        int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                         nullptr);
        text.assign(length, '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr, nullptr);
    }
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        CString line(text.data() + at, static_cast<int>(end - at));
        if (line.Trim().CompareNoCase(wanted) == 0)
            return true;
        at = end + 1;
    }
    return false;
}

bool CacheEntryExists(const char* url) {
    DWORD size = 0;
    return !GetUrlCacheEntryInfoA(url, nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

int RecycleBinItems() {
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinA(nullptr, &info)))
        return 0;
    return static_cast<int>(std::min<long long>(info.i64NumItems, 1 << 30));
}

// Internet Explorer keeps an add-on off while its settings key holds Flags 1 and Version "*".
bool IsAddOnOn(const char* classId) {
    CString key = CString("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\") + classId;
    CString flags;
    CString version;
    const DWORD one = 1;
    bool flagsOff = ReadValueHex(key, "Flags", flags) && flags == HexBytes(&one, sizeof one);
    bool versionAny = ReadValueHex(key, "Version", version) && version == HexBytes("*", 1);
    return !(flagsOff && versionAny);
}

bool IsLink(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

int TraceUnits(const SeedEntry& entry) {
    switch (entry.kind) {
    case SeedKind::File:
        return IsFilePath(entry.path) ? 1 : 0;
    case SeedKind::Tree:
        return std::min(CountFiles(entry.path), entry.count);
    case SeedKind::Key:
        return KeyExists(entry.path) ? 1 : 0;
    case SeedKind::Value: {
        CString hex;
        return ReadValueHex(entry.path, entry.name, hex) ? 1 : 0;
    }
    case SeedKind::ValueCount:
        return std::min(ValueCount(entry.path), entry.count);
    case SeedKind::IniSection:
        return SectionHasLines(entry.path, entry.name) ? 1 : 0;
    case SeedKind::IniLine:
        return FileHasLine(entry.path, entry.name) ? 1 : 0;
    case SeedKind::CacheEntry:
        return CacheEntryExists(entry.name) ? 1 : 0;
    case SeedKind::RecycleBin:
        return std::min(RecycleBinItems(), entry.count);
    case SeedKind::AddOn:
        return IsAddOnOn(entry.name) ? 1 : 0;
    case SeedKind::IndexDat:
        return FileBytes(entry.path) > 0 ? 1 : 0;
    case SeedKind::Existing:
        return GetFileAttributesA(entry.path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
    case SeedKind::Link:
        return IsLink(entry.path) && CountFiles(entry.name) == entry.count ? entry.count : 0;
    }
    return 0;
}

bool SurvivorIntact(const SeedEntry& entry) {
    switch (entry.kind) {
    case SeedKind::File:
        return IsFilePath(entry.path) && FileBytes(entry.path) == entry.bytes;
    case SeedKind::Tree:
        return CountFiles(entry.path) == entry.count;
    case SeedKind::Value: {
        CString hex;
        return ReadValueHex(entry.path, entry.name, hex) && hex == entry.data;
    }
    default:
        return TraceUnits(entry) == entry.count;
    }
}

}  // namespace

CString CSeedManifest::FilePath() { return CString(Folder()) + "\\manifest.txt"; }

bool CSeedManifest::Save() const {
    std::string text;
    for (const SeedEntry& entry : m_entries) {
        CString line;
        line.Format("%c\t%d\t%c\t%d\t%lld\t%s\t%s\t%s\t%s\n", static_cast<char>(entry.role), entry.item,
                    static_cast<char>(entry.kind), entry.count, entry.bytes, (const char*)entry.label,
                    (const char*)entry.path, (const char*)entry.name, (const char*)entry.data);
        text.append(line.GetString(), line.GetLength());
    }
    CreateDirectoryA(Folder(), nullptr);
    HANDLE file = CreateFileA(FilePath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool wrote = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                 written == text.size();
    return CloseHandle(file) && wrote;
}

bool CSeedManifest::Load() {
    m_entries.clear();
    bool found = false;
    std::string text = ReadWholeFile(FilePath(), found);
    if (!found)
        return false;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() < 5)
            continue;
        size_t field = 0;
        SeedEntry entry;
        entry.role = static_cast<SeedRole>(Field(line, field).GetAt(0));
        entry.item = atoi(Field(line, field));
        entry.kind = static_cast<SeedKind>(Field(line, field).GetAt(0));
        entry.count = atoi(Field(line, field));
        entry.bytes = _atoi64(Field(line, field));
        entry.label = Field(line, field);
        entry.path = Field(line, field);
        entry.name = Field(line, field);
        entry.data = Field(line, field);
        m_entries.push_back(entry);
    }
    return true;
}

HKEY RegistryRoot(const char* path, CString& subkey) {
    CString text(path);
    if (text.Left(5) == "HKCU\\") {
        subkey = text.Mid(5);
        return HKEY_CURRENT_USER;
    }
    if (text.Left(5) == "HKLM\\") {
        subkey = text.Mid(5);
        return HKEY_LOCAL_MACHINE;
    }
    if (text.Left(4) == "HKU\\") {
        subkey = text.Mid(4);
        return HKEY_USERS;
    }
    return nullptr;
}

CString RegistryPath(HKEY root, const char* subkey) {
    const char* prefix = root == HKEY_LOCAL_MACHINE ? "HKLM\\" : root == HKEY_USERS ? "HKU\\" : "HKCU\\";
    return CString(prefix) + subkey;
}

CString HexBytes(const void* data, int length) {
    static const char kDigits[] = "0123456789abcdef";
    CString hex;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (int i = 0; i < length; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

int PresentUnits(const SeedEntry& entry) {
    if (entry.role == SeedRole::Survivor)
        return SurvivorIntact(entry) ? entry.count : 0;
    return TraceUnits(entry);
}

int CountFiles(const char* folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(CString(folder) + "\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        const char* name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (lstrcmpA(name, ".") != 0 && lstrcmpA(name, "..") != 0)
                count += CountFiles(CString(folder) + "\\" + name);
        } else {
            ++count;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}
