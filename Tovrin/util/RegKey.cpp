#include "RegKey.h"

#include <cassert>

void CRegKey::Attach(HKEY key) {
    Close();
    m_key = key;
}

HKEY CRegKey::Detach() {
    HKEY key = m_key;
    m_key = nullptr;
    return key;
}

LONG CRegKey::Close() {
    if (!m_key)
        return ERROR_SUCCESS;
    return RegCloseKey(Detach());
}

LONG CRegKey::Open(HKEY parent, const char* name) {
    assert(parent);
    // For an empty name RegOpenKeyA hands back parent itself, which Close would then close
    // under the caller's feet; a fresh handle with the same access avoids that.
    if (!name || !*name)
        return Open(parent, "", MAXIMUM_ALLOWED);
    HKEY key = nullptr;
    LONG result = RegOpenKeyA(parent, name, &key);
    return Take(result, key);
}

LONG CRegKey::Open(HKEY parent, const char* name, REGSAM access) {
    assert(parent);
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(parent, name ? name : "", 0, access, &key);
    return Take(result, key);
}

LONG CRegKey::Create(HKEY parent, const char* name) {
    assert(parent);
    if (!name || !*name)
        return Open(parent, "", MAXIMUM_ALLOWED);
    HKEY key = nullptr;
    LONG result = RegCreateKeyA(parent, name, &key);
    return Take(result, key);
}

LONG CRegKey::Take(LONG result, HKEY key) {
    Close();
    if (result == ERROR_SUCCESS)
        m_key = key;
    return result;
}
