#include "RegExportText.h"

#include <cstring>

namespace RegExportText {

namespace {

const wchar_t kDigits[] = L"0123456789abcdef";

void AppendHexNumber(std::wstring& out, DWORD value, int minDigits) {
    wchar_t digits[8];
    int count = 0;
    do {
        digits[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    for (int pad = count; pad < minDigits; ++pad)
        out += L'0';
    while (count > 0)
        out += digits[--count];
}

// Exactly one terminated string with nothing after the terminator: the only REG_SZ data that
// comes back unchanged through the quoted form.
bool IsPlainString(const std::vector<BYTE>& data, std::wstring& text) {
    if (data.size() < sizeof(wchar_t) || data.size() % sizeof(wchar_t) != 0)
        return false;
    size_t units = data.size() / sizeof(wchar_t);
    text.assign(units, L'\0');
    memcpy(&text[0], data.data(), data.size());
    if (text.find(L'\0') != units - 1)
        return false;
    text.resize(units - 1);
    return IsSingleLine(text);
}

}  // namespace

const wchar_t kHeader[] = L"Windows Registry Editor Version 5.00\r\n";

const wchar_t* RootName(HKEY root) {
    if (root == HKEY_CLASSES_ROOT)
        return L"HKEY_CLASSES_ROOT";
    if (root == HKEY_CURRENT_USER)
        return L"HKEY_CURRENT_USER";
    if (root == HKEY_LOCAL_MACHINE)
        return L"HKEY_LOCAL_MACHINE";
    if (root == HKEY_USERS)
        return L"HKEY_USERS";
    if (root == HKEY_CURRENT_CONFIG)
        return L"HKEY_CURRENT_CONFIG";
    return nullptr;
}

std::wstring KeyHeader(const std::wstring& fullName) { return L"\r\n[" + fullName + L"]\r\n"; }

std::wstring Escape(const std::wstring& text) {
    std::wstring escaped;
    escaped.reserve(text.size() + 8);
    for (wchar_t ch : text) {
        if (ch == L'\\' || ch == L'"')
            escaped += L'\\';
        escaped += ch;
    }
    return escaped;
}

std::wstring HexList(const BYTE* bytes, size_t count) {
    std::wstring list;
    list.reserve(count * 3 + count / 10);
    for (size_t i = 0; i < count; ++i) {
        if (i > 1 && i % 30 == 1)
            list += L"\\\r\n";
        AppendHexNumber(list, bytes[i], 2);
        if (i + 1 < count)
            list += L',';
    }
    return list;
}

bool AppendValueLine(std::wstring& out, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
    if (!IsSingleLine(name))
        return false;
    out += name.empty() ? L"@" : L"\"" + Escape(name) + L"\"";
    out += L'=';
    std::wstring text;
    if (type == REG_SZ && IsPlainString(data, text)) {
        out += L"\"" + Escape(text) + L"\"";
    } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD value = 0;
        memcpy(&value, data.data(), sizeof value);
        out += L"dword:";
        AppendHexNumber(out, value, 8);
    } else {
        if (type == REG_BINARY) {
            out += L"hex:";
        } else {
            out += L"hex(";
            AppendHexNumber(out, type, 1);
            out += L"):";
        }
        out += HexList(data.data(), data.size());
    }
    out += L"\r\n";
    return true;
}

bool IsSingleLine(const std::wstring& text) { return text.find_first_of(L"\r\n") == std::wstring::npos; }

}  // namespace RegExportText
