#include "history/RestoreCheck.h"

#include <windows.h>

#include "RegKey.h"
#include "WideRegistry.h"

namespace RestoreCheck {

namespace {

struct ShortRoot {
    const wchar_t* shortName;
    const wchar_t* fullName;
};

const ShortRoot kShortRoots[] = {
    {L"HKCR", L"HKEY_CLASSES_ROOT"}, {L"HKCU", L"HKEY_CURRENT_USER"}, {L"HKLM", L"HKEY_LOCAL_MACHINE"},
    {L"HKU", L"HKEY_USERS"},         {L"HKCC", L"HKEY_CURRENT_CONFIG"},
};

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool IsSameOrBelow(const std::wstring& keyName, const std::wstring& path) {
    if (keyName.size() < path.size())
        return false;
    if (!SameText(keyName.substr(0, path.size()), path))
        return false;
    return keyName.size() == path.size() || keyName[path.size()] == L'\\';
}

std::wstring ValuePath(const RegFileReader::Key& key, const RegFileReader::Value& value) {
    return value.name.empty() ? key.fullName : key.fullName + L"\\" + value.name;
}

bool OpenKey(const RegFileReader::Key& key, CRegKey& opened) {
    std::wstring subkey;
    HKEY root = RegFileReader::SplitRoot(key.fullName, subkey);
    return root && WideRegistry::Open(opened, root, subkey, KEY_QUERY_VALUE) == ERROR_SUCCESS;
}

bool IsValueBack(HKEY opened, const RegFileReader::Value& value) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    return WideRegistry::ReadValue(opened, value.name, type, data) == ERROR_SUCCESS && type == value.type &&
           data == value.data;
}

}  // namespace

std::wstring FullKeyName(const std::wstring& findingPath) {
    for (const ShortRoot& root : kShortRoots) {
        std::wstring prefix = std::wstring(root.shortName) + L"\\";
        if (findingPath.size() > prefix.size() && SameText(findingPath.substr(0, prefix.size()), prefix))
            return root.fullName + findingPath.substr(prefix.size() - 1);
    }
    return findingPath;
}

bool IsRestored(const std::vector<RegFileReader::Key>& keys, const std::wstring& findingPath) {
    const std::wstring path = FullKeyName(findingPath);
    if (path.empty())
        return false;
    bool standsForSomething = false;
    for (const RegFileReader::Key& key : keys) {
        const bool wholeKey = IsSameOrBelow(key.fullName, path);
        CRegKey opened;
        bool opens = false;
        if (wholeKey) {
            standsForSomething = true;
            opens = OpenKey(key, opened);
            if (!opens)
                return false;
        }
        for (const RegFileReader::Value& value : key.values) {
            if (!wholeKey && !SameText(ValuePath(key, value), path))
                continue;
            standsForSomething = true;
            if (!opens && !(opens = OpenKey(key, opened)))
                return false;
            if (!IsValueBack(opened, value))
                return false;
        }
    }
    return standsForSomething;
}

}  // namespace RestoreCheck
