#include "UtilityLib.h"

#include <string>

#include "UrlCodec.h"

namespace {

const char kHexDigits[] = "0123456789abcdef";

bool IsAsciiAlphanumeric(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

void AppendEscape(std::string& out, unsigned char byte) {
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Up to two hexadecimal digits, as sscanf's "%2x" reads them; 0 when there are none.
unsigned ReadHexPair(const char* text) {
    unsigned value = 0;
    for (int i = 0; i < 2 && HexValue(text[i]) >= 0; ++i)
        value = value * 16 + HexValue(text[i]);
    return value;
}

}  // namespace

CString CUtilityLib::URLEncoding(const char* text) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
        if (IsAsciiAlphanumeric(*p)) {
            out += static_cast<char>(*p);
            continue;
        }
        AppendEscape(out, *p);
        // A top-bit byte goes out with the byte after it, unless that is the terminator.
        if ((*p & 0x80) && p[1])
            AppendEscape(out, *++p);
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

CString CUtilityLib::URL32Decoding(const char* text, int key) {
    if (!text)
        return CString();
    size_t length = strlen(text);
    unsigned pairCount = static_cast<unsigned>(length / 2);
    unsigned k = key == -1 ? kUrl32DefaultKey : static_cast<unsigned>(key % 256 + 256) % 256;
    std::string out;
    unsigned j = 0;
    for (size_t offset = 0; offset < length; offset += 2, ++j) {
        // Only the low eight bits count, so the products may wrap freely.
        unsigned byte = ReadHexPair(text + offset) - k - (j + 1) * pairCount;
        out += static_cast<char>(byte & 0xFF);
    }
    return CString(out.data(), static_cast<int>(out.size()));
}
