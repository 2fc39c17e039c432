#include "WideRegistry.h"

#include <cstring>

namespace WideRegistry {

namespace {

// Longest value name and key name the registry allows, plus the terminator.
const DWORD kValueNameUnits = 16384;
const DWORD kKeyNameUnits = 256;
// A value rewritten again and again while it is read is given up rather than chased.
const int kReadAttempts = 8;

}  // namespace

std::wstring FromAnsi(const char* text, int length) {
    if (!text || length == 0)
        return std::wstring();
    if (length < 0)
        length = static_cast<int>(strlen(text));
    int units = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (units <= 0)
        return std::wstring();
    std::wstring wide(units, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], units);
    return wide;
}

CString ToAnsi(const std::wstring& text) {
    if (text.empty())
        return CString();
    int length = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    std::string ansi(bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, &ansi[0], bytes, nullptr, nullptr);
    return CString(ansi.c_str(), bytes);
}

LONG Open(CRegKey& key, HKEY root, const std::wstring& subkey, REGSAM access) {
    key.Close();
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExW(root, subkey.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS)
        key.Attach(opened);
    return result;
}

LONG ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (result != ERROR_SUCCESS)
            return result;
        // Never a null buffer: with one the second call would only ask the size again.
        data.assign(size + sizeof(wchar_t), 0);
        DWORD read = static_cast<DWORD>(data.size());
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return result;
        data.resize(read < data.size() ? read : data.size());
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

LONG ListValueNames(HKEY key, std::vector<std::wstring>& names) {
    std::vector<wchar_t> name(kValueNameUnits);
    for (DWORD index = 0;; ++index) {
        DWORD length = kValueNameUnits;
        LONG result = RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        names.emplace_back(name.data(), length);
    }
}

LONG ListSubkeyNames(HKEY key, std::vector<std::wstring>& names) {
    wchar_t name[kKeyNameUnits];
    for (DWORD index = 0;; ++index) {
        DWORD length = kKeyNameUnits;
        LONG result = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        names.emplace_back(name, length);
    }
}

}  // namespace WideRegistry
