#include "history/RegFileReader.h"

#include <cwctype>

#include "Framework.h"
#include "WideRegistry.h"

namespace RegFileReader {

namespace {

const wchar_t kHeader[] = L"Windows Registry Editor Version 5.00";

struct RootName {
    const wchar_t* name;
    HKEY root;
};

const RootName kRoots[] = {
    {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {L"HKEY_USERS", HKEY_USERS},
    {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

bool SameText(const wchar_t* a, size_t aLength, const wchar_t* b, size_t bLength) {
    return CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE) == CSTR_EQUAL;
}

std::wstring TrimLeft(const std::wstring& text) {
    size_t start = text.find_first_not_of(L" \t");
    return start == std::wstring::npos ? std::wstring() : text.substr(start);
}

std::wstring TrimRight(const std::wstring& text) {
    size_t end = text.find_last_not_of(L" \t");
    return end == std::wstring::npos ? std::wstring() : text.substr(0, end + 1);
}

// Physical lines, with a hex list's "\" continuations joined to one logical line.
std::vector<std::wstring> LogicalLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring current;
    bool continued = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        line = TrimRight(line);
        current += continued ? TrimLeft(line) : line;
        continued = !current.empty() && current.back() == L'\\';
        if (continued) {
            current.pop_back();
        } else {
            lines.push_back(current);
            current.clear();
        }
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// A quoted text from position pos (at the opening quote); pos ends after the closing quote.
bool ParseQuoted(const std::wstring& line, size_t& pos, std::wstring& text) {
    if (pos >= line.size() || line[pos] != L'"')
        return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        wchar_t ch = line[pos];
        if (ch == L'"') {
            ++pos;
            return true;
        }
        if (ch == L'\\' && pos + 1 < line.size())
            ch = line[++pos];
        text += ch;
    }
    return false;
}

int HexDigit(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

bool ParseHexNumber(const std::wstring& text, DWORD& value) {
    if (text.empty() || text.size() > 8)
        return false;
    value = 0;
    for (wchar_t ch : text) {
        int digit = HexDigit(ch);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<DWORD>(digit);
    }
    return true;
}

bool ParseHexList(const std::wstring& list, std::vector<BYTE>& bytes) {
    bytes.clear();
    size_t start = 0;
    while (start < list.size()) {
        size_t comma = list.find(L',', start);
        std::wstring token = TrimRight(TrimLeft(list.substr(start, comma == std::wstring::npos ? std::wstring::npos
                                                                                                : comma - start)));
        DWORD value = 0;
        if (token.size() > 2 || !ParseHexNumber(token, value))
            return false;
        bytes.push_back(static_cast<BYTE>(value));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.compare(0, wcslen(prefix), prefix) == 0; }

// False for a line that is not a value line of this format; deleted is set for "name"=-.
bool ParseValueLine(const std::wstring& line, Value& value, bool& deleted) {
    size_t pos = 0;
    deleted = false;
    if (line[0] == L'@') {
        value.name.clear();
        pos = 1;
    } else if (!ParseQuoted(line, pos, value.name)) {
        return false;
    }
    while (pos < line.size() && (line[pos] == L' ' || line[pos] == L'\t'))
        ++pos;
    if (pos >= line.size() || line[pos] != L'=')
        return false;
    std::wstring data = TrimLeft(line.substr(pos + 1));
    if (data == L"-") {
        deleted = true;
        return true;
    }
    if (!data.empty() && data[0] == L'"') {
        size_t at = 0;
        std::wstring text;
        if (!ParseQuoted(data, at, text) || !TrimLeft(data.substr(at)).empty())
            return false;
        value.type = REG_SZ;
        const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
        return true;
    }
    if (StartsWith(data, L"dword:")) {
        DWORD number = 0;
        if (!ParseHexNumber(data.substr(6), number))
            return false;
        value.type = REG_DWORD;
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
        value.data.assign(bytes, bytes + sizeof number);
        return true;
    }
    if (StartsWith(data, L"hex:")) {
        value.type = REG_BINARY;
        return ParseHexList(data.substr(4), value.data);
    }
    if (StartsWith(data, L"hex(")) {
        size_t close = data.find(L"):");
        if (close == std::wstring::npos || !ParseHexNumber(data.substr(4, close - 4), value.type))
            return false;
        return ParseHexList(data.substr(close + 2), value.data);
    }
    return false;
}

}  // namespace

HKEY SplitRoot(const std::wstring& fullName, std::wstring& subkey) {
    for (const RootName& root : kRoots) {
        size_t length = wcslen(root.name);
        if (fullName.size() < length || !SameText(fullName.c_str(), length, root.name, length))
            continue;
        if (fullName.size() == length) {
            subkey.clear();
            return root.root;
        }
        if (fullName[length] == L'\\') {
            subkey = fullName.substr(length + 1);
            return root.root;
        }
    }
    return nullptr;
}

bool ParseText(const std::wstring& text, std::vector<Key>& keys) {
    keys.clear();
    std::vector<std::wstring> lines = LogicalLines(text);
    if (lines.empty() || TrimLeft(lines[0]) != kHeader)
        return false;
    Key* current = nullptr;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::wstring line = TrimLeft(lines[i]);
        if (line.empty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            current = nullptr;
            size_t close = line.rfind(L']');
            if (close == std::wstring::npos || line.size() < 2 || line[1] == L'-')
                continue;
            std::wstring name = line.substr(1, close - 1);
            std::wstring subkey;
            if (!SplitRoot(name, subkey))
                continue;
            keys.push_back(Key{name, {}});
            current = &keys.back();
            continue;
        }
        if (!current)
            continue;
        Value value;
        bool deleted = false;
        if (!ParseValueLine(line, value, deleted))
            return false;
        if (!deleted)
            current->values.push_back(std::move(value));
    }
    return true;
}

bool ReadFile(const char* path, std::vector<Key>& keys) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return false;
    ULONGLONG size = file.GetLength();
    if (size > 64u * 1024 * 1024)
        return false;
    std::vector<BYTE> bytes(static_cast<size_t>(size));
    if (!bytes.empty() && file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
        return false;
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        text.assign((bytes.size() - 2) / sizeof(wchar_t), L'\0');
        if (!text.empty())
            memcpy(&text[0], bytes.data() + 2, text.size() * sizeof(wchar_t));
    } else {
        text = WideRegistry::FromAnsi(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
    }
    return ParseText(text, keys);
}

}  // namespace RegFileReader
