#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The lines of a registry editor export file (version 5.00), as UTF-16 text.
namespace RegExportText {

extern const wchar_t kHeader[];

// "HKEY_CURRENT_USER" and the other four predefined roots; null for any other key.
const wchar_t* RootName(HKEY root);

// "\r\n[fullName]\r\n"
std::wstring KeyHeader(const std::wstring& fullName);

// Backslashes doubled, then a backslash before every double quote.
std::wstring Escape(const std::wstring& text);

// Bytes as "xx," pairs; after byte 30 and every 30 bytes more a "\" line continuation.
std::wstring HexList(const BYTE* bytes, size_t count);

// Appends the value's line: "@" or the quoted name, "=", then a quoted string for a REG_SZ that
// holds exactly one terminated one-line string, dword: for a 4-byte REG_DWORD, hex: for
// REG_BINARY and hex(type): for everything else. False (nothing appended) for a name that
// the file cannot carry (a line break).
bool AppendValueLine(std::wstring& out, const std::wstring& name, DWORD type, const std::vector<BYTE>& data);

// A line break would end the line in the middle of a name.
bool IsSingleLine(const std::wstring& text);

}  // namespace RegExportText
