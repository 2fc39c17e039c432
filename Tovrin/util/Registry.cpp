#include <cstdlib>
#include <cstring>

#include "RegKey.h"
#include "UtilityLib.h"

namespace {

const int kTextReadSize = 10240;
const int kNumberReadSize = 32;
// Value names of this many characters or more do not fit and end the listing.
const DWORD kValueNameSize = 255;

// RegQueryValue(Ex)A stores no terminator of its own. Data that fills the buffer without
// ending in NUL fails like data that does not fit: a cut value is never handed out.
bool TerminateStored(char* buffer, DWORD stored, DWORD bufferSize) {
    if (stored < bufferSize) {
        buffer[stored] = '\0';
        return true;
    }
    return stored == bufferSize && buffer[stored - 1] == '\0';
}

int QueryDefaultText(HKEY root, const char* subkey, char* buffer, int bufferSize) {
    LONG stored = bufferSize;
    if (RegQueryValueA(root, subkey, buffer, &stored) != ERROR_SUCCESS || stored < 0 ||
        !TerminateStored(buffer, static_cast<DWORD>(stored), bufferSize))
        return 0;
    return 1;
}

int QueryNamedValue(HKEY root, const char* subkey, const char* valueName, char* buffer, int bufferSize) {
    CRegKey key;
    if (key.Open(root, subkey) != ERROR_SUCCESS)
        return 0;
    DWORD stored = bufferSize;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &stored) !=
            ERROR_SUCCESS ||
        !TerminateStored(buffer, stored, bufferSize))
        return 0;
    return static_cast<int>(stored);
}

int WriteValue(HKEY root, const char* subkey, const char* valueName, DWORD type, const void* data, DWORD size) {
    CRegKey key;
    if (key.Create(root, subkey) != ERROR_SUCCESS)
        return 0;
    return RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

CString JoinKeyPath(const char* parent, const CString& child) {
    if (!parent || !*parent)
        return child;
    return CString(parent) + "\\" + child;
}

}  // namespace

int CUtilityLib::IsRegistryKey(HKEY root, const char* subkey) {
    CRegKey key;
    return key.Open(root, subkey) == ERROR_SUCCESS;
}

int CUtilityLib::ReadRegistry(HKEY root, const char* subkey, const char* valueName, char* buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0)
        return 0;
    int result = valueName ? QueryNamedValue(root, subkey, valueName, buffer, bufferSize)
                           : QueryDefaultText(root, subkey, buffer, bufferSize);
    if (!result)
        buffer[0] = '\0';
    return result;
}

CString CUtilityLib::ReadRegistry(HKEY root, const char* subkey, const char* valueName) {
    CString text;
    ReadRegistry(root, subkey, valueName, text.GetBuffer(kTextReadSize), kTextReadSize);
    text.ReleaseBuffer();
    return text;
}

int CUtilityLib::ReadRegistry(HKEY root, const char* subkey, const char* valueName, int& out, int defaultValue) {
    char buffer[kNumberReadSize];
    if (!ReadRegistry(root, subkey, valueName, buffer, sizeof(buffer))) {
        out = defaultValue;
        return 0;
    }
    out = atoi(buffer);
    return 1;
}

DWORD CUtilityLib::ReadRegistryDWORD(HKEY root, const char* subkey, const char* valueName, DWORD defaultValue) {
    if (!valueName)
        return defaultValue;
    CRegKey key;
    if (key.Open(root, subkey) != ERROR_SUCCESS)
        return 0;
    // Shorter data overwrites only the low bytes of the default.
    DWORD value = defaultValue;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return defaultValue;
    return value;
}

int CUtilityLib::WriteRegistry(HKEY root, const char* subkey, const char* valueName, const char* text) {
    if (!text)
        return 0;
    DWORD length = static_cast<DWORD>(strlen(text));
    if (!valueName)
        return RegSetValueA(root, subkey, REG_SZ, text, length) == ERROR_SUCCESS;
    return WriteValue(root, subkey, valueName, REG_SZ, text, length + 1);
}

int CUtilityLib::WriteRegistry(HKEY root, const char* subkey, const char* valueName, int number) {
    CString text;
    text.Format("%d", number);
    return WriteRegistry(root, subkey, valueName, static_cast<const char*>(text));
}

int CUtilityLib::WriteRegistryDWORD(HKEY root, const char* subkey, const char* valueName, DWORD number) {
    if (!valueName)
        return 0;
    return WriteValue(root, subkey, valueName, REG_DWORD, &number, sizeof(number));
}

int CUtilityLib::WriteRegistryBinary(HKEY root, const char* subkey, const char* valueName, const char* bytes,
                                     int length) {
    // The default value holds text only; the platform refuses REG_BINARY there.
    if (!valueName || length < 0 || (!bytes && length > 0))
        return 0;
    return WriteValue(root, subkey, valueName, REG_BINARY, bytes, static_cast<DWORD>(length));
}

int CUtilityLib::DeleteRegistryValue(HKEY root, const char* subkey, const char* valueName) {
    CRegKey key;
    if (key.Open(root, subkey) != ERROR_SUCCESS)
        return 0;
    return RegDeleteValueA(key, valueName) == ERROR_SUCCESS;
}

int CUtilityLib::DeleteRegistryKey(HKEY root, const char* parentSubkey, const char* childName) {
    // An empty child name would make RegDeleteKeyA delete the parent itself.
    if (!childName || !*childName)
        return 0;
    CRegKey key;
    if (key.Open(root, parentSubkey) != ERROR_SUCCESS)
        return 0;
    return RegDeleteKeyA(key, childName) == ERROR_SUCCESS;
}

int CUtilityLib::GetSubRegKeyList(HKEY root, const char* subkey, CStringArray& names) {
    CRegKey key;
    if (key.Open(root, subkey, KEY_READ) == ERROR_SUCCESS) {
        char name[MAX_PATH] = {};
        for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof(name)) == ERROR_SUCCESS; ++index) {
            if (name[0])
                names.Add(name);
        }
    }
    return names.GetSize();
}

int CUtilityLib::GetSubValueList(HKEY root, const char* subkey, CStringArray& names) {
    CRegKey key;
    if (key.Open(root, subkey, KEY_READ) == ERROR_SUCCESS) {
        char name[kValueNameSize + 1];
        for (DWORD index = 0;; ++index) {
            DWORD length = kValueNameSize;
            if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.Add(name);
        }
    }
    return names.GetSize();
}

int CUtilityLib::DeleteMatchingSubKeys(HKEY root, const char* subkey, const char* pattern, int wholeName,
                                       int recurse) {
    // An empty pattern occurs in every name and would empty the whole tree.
    if (!pattern || !*pattern)
        return 0;
    // Listed first, so deleting does not disturb the enumeration.
    CStringArray children;
    GetSubRegKeyList(root, subkey, children);
    int count = 0;
    for (int i = 0; i < children.GetSize(); ++i) {
        const CString& child = children[i];
        bool matches = wholeName ? child.CompareNoCase(pattern) == 0 : child.Find(pattern) >= 0;
        if (matches) {
            // Counted even when the key keeps subkeys and survives.
            DeleteRegistryKey(root, subkey, child);
            ++count;
        } else if (recurse) {
            count += DeleteMatchingSubKeys(root, JoinKeyPath(subkey, child), pattern, wholeName, recurse);
        }
    }
    return count;
}
