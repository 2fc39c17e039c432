#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// Registry trees written and read through the wide calls only, without the code under test,
// so that nothing the test puts in or reads back passes through the ANSI code page.
namespace WideRegTree {

using Bytes = std::vector<BYTE>;
using Value = std::pair<DWORD, Bytes>;                 // type, stored bytes
using Key = std::map<std::wstring, Value>;             // by value name ("" = default)
using Tree = std::map<std::wstring, Key>;              // by key path below the root

inline std::wstring Widen(const char* ansi) {
    int units = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    std::wstring wide(units > 0 ? units : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], units);
    wide.resize(wide.size() - 1);
    return wide;
}

inline Bytes Text(const std::wstring& text, bool terminated = true) {
    const BYTE* data = reinterpret_cast<const BYTE*>(text.data());
    Bytes bytes(data, data + text.size() * sizeof(wchar_t));
    if (terminated)
        bytes.insert(bytes.end(), 2, 0);
    return bytes;
}

inline bool Set(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const Bytes& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    // RegSetValueExW adds a terminator to string data when the character after it is 0: the
    // padding keeps the data exactly as given.
    Bytes padded(data);
    padded.insert(padded.end(), 2, 0xFF);
    LONG result = RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? nullptr : padded.data(),
                                 static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

inline bool MakeKey(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline bool Exists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every key and value of the subtree at path; keys are listed by their path below root.
inline void Read(HKEY root, const std::wstring& path, Tree& tree) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    Key& values = tree[path];
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name.data(), &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Bytes data(size + 2);
        DWORD read = size + 2;
        std::wstring valueName(name.data(), length);
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, data.data(), &read) == ERROR_SUCCESS) {
            data.resize(read);
            values[valueName] = Value(type, data);
        }
    }
    std::vector<std::wstring> children;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(name.data(), length);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children)
        Read(root, path + L"\\" + child, tree);
}

inline size_t ValueCount(const Tree& tree) {
    size_t count = 0;
    for (const auto& key : tree)
        count += key.second.size();
    return count;
}

// For failure messages: the name in UTF-8.
inline std::string Printable(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], bytes, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

}  // namespace WideRegTree
