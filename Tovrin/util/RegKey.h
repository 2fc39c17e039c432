#pragma once
#include <windows.h>

#include "TovrinApi.h"

// Owns one open registry key; Close runs in the destructor. Open and Create return the
// registry API's own result; when it is not ERROR_SUCCESS the object holds no key.
class TOVRIN_API CRegKey {
public:
    CRegKey() : m_key(nullptr) {}
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    operator HKEY() const { return m_key; }
    bool IsOpen() const { return m_key != nullptr; }

    void Attach(HKEY key);
    HKEY Detach();
    LONG Close();

    // RegOpenKeyA: the widest access the caller holds.
    LONG Open(HKEY parent, const char* name);
    LONG Open(HKEY parent, const char* name, REGSAM access);
    // RegCreateKeyA: creates every missing level of name.
    LONG Create(HKEY parent, const char* name);

private:
    LONG Take(LONG result, HKEY key);

    HKEY m_key;
};
