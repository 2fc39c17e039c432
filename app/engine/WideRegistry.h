#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Framework.h"
#include "RegKey.h"

// Registry reads through the wide calls, so that names and text outside the ANSI code page
// come back unchanged. Every function returns the registry API's own result.
namespace WideRegistry {

// ANSI text of the system code page; length -1 reads up to the terminator.
std::wstring FromAnsi(const char* text, int length = -1);
CString ToAnsi(const std::wstring& text);

LONG Open(CRegKey& key, HKEY root, const std::wstring& subkey, REGSAM access);

// Type and all stored bytes of a value (empty name: the default value). A value that grew
// after its size was asked is read again. On failure type and data are unspecified.
LONG ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data);

// Appends the names of the key's values (the default value as "") or of its subkeys.
LONG ListValueNames(HKEY key, std::vector<std::wstring>& names);
LONG ListSubkeyNames(HKEY key, std::vector<std::wstring>& names);

}  // namespace WideRegistry
