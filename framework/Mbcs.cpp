#include "Mbcs.h"

#include <windows.h>

namespace {

struct LeadByteTable {
    bool lead[256];
    LeadByteTable() {
        for (int b = 0; b < 256; ++b)
            lead[b] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != FALSE;
    }
};

const LeadByteTable& Table() {
    static const LeadByteTable table;
    return table;
}

unsigned char ToLowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }
unsigned char ToUpperAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }

template <unsigned char (*Convert)(unsigned char)>
void ConvertAscii(char* text) {
    for (char* p = text; *p; ) {
        int step = Mbcs::CharLength(p);
        if (step == 1)
            *p = static_cast<char>(Convert(static_cast<unsigned char>(*p)));
        p += step;
    }
}

}  // namespace

namespace Mbcs {

bool IsLeadByte(unsigned char byte) { return Table().lead[byte]; }

int CharLength(const char* text) {
    if (!*text)
        return 0;
    // A lead byte before the terminator is a broken character: count it alone.
    return (IsLeadByte(static_cast<unsigned char>(text[0])) && text[1]) ? 2 : 1;
}

int LengthWithoutBrokenTail(const char* text) {
    const char* p = text;
    for (int step; (step = CharLength(p)) != 0; p += step) {
        if (step == 1 && IsLeadByte(static_cast<unsigned char>(*p)))
            return static_cast<int>(p - text);
    }
    return static_cast<int>(p - text);
}

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        int lenP = CharLength(reinterpret_cast<const char*>(p));
        int lenQ = CharLength(reinterpret_cast<const char*>(q));
        unsigned cp = lenP == 2 ? (p[0] << 8 | p[1]) : ToLowerAscii(*p);
        unsigned cq = lenQ == 2 ? (q[0] << 8 | q[1]) : ToLowerAscii(*q);
        if (cp != cq)
            return cp < cq ? -1 : 1;
        if (cp == 0)
            return 0;
        p += lenP;
        q += lenQ;
    }
}

void MakeLower(char* text) { ConvertAscii<ToLowerAscii>(text); }
void MakeUpper(char* text) { ConvertAscii<ToUpperAscii>(text); }

}  // namespace Mbcs
