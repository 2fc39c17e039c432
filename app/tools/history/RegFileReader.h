#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The keys and values of a registry editor import file (version 5.00), as the registry editor
// would import them: UTF-16LE with a byte-order mark, or ANSI text of the system code page.
// Deletion entries ("[-key]", "name"=-) and sections that name no registry root are skipped.
namespace RegFileReader {

struct Value {
    std::wstring name;  // "" for the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;  // the bytes the import stores
};

struct Key {
    std::wstring fullName;  // "HKEY_CURRENT_USER\..." as in the header
    std::vector<Value> values;
};

// False when the file cannot be read or a value line cannot be understood; keys is then
// unspecified.
bool ReadFile(const char* path, std::vector<Key>& keys);
bool ParseText(const std::wstring& text, std::vector<Key>& keys);

// The predefined root of a full key name, and the path below it; null for any other name.
HKEY SplitRoot(const std::wstring& fullName, std::wstring& subkey);

}  // namespace RegFileReader
