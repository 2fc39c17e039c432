#include "UtilityLib.h"

#include "Mbcs.h"

namespace {

// The token or the terminator, whichever comes first. Only single-byte characters can be the
// token: a trail byte that happens to equal it is part of its character.
const char* FindToken(const char* text, char token, bool quoteAware) {
    bool insideQuotes = false;
    const char* p = text;
    while (*p) {
        if (*p == token && !insideQuotes)
            break;
        if (quoteAware && *p == '"')
            insideQuotes = !insideQuotes;
        p += Mbcs::CharLength(p);
    }
    return p;
}

bool IsQuoted(const CString& text) {
    int last = text.GetLength() - 1;
    if (last < 1)
        return false;
    char first = text[0];
    return (first == '"' || first == '\'') && text[last] == first;
}

// With stripQuotes a piece that is quoted apart from surrounding white space loses the white
// space and the quotes; any other piece is kept as it is.
CString MakePiece(const char* text, int length, bool stripQuotes) {
    CString piece(text, length);
    if (!stripQuotes)
        return piece;
    CString trimmed = piece;
    trimmed.Trim();
    if (!IsQuoted(trimmed))
        return piece;
    return trimmed.Mid(1, trimmed.GetLength() - 2);
}

}  // namespace

CString CUtilityLib::GetString(int value, int hex) {
    CString text;
    text.Format(hex ? "%X" : "%d", value);
    return text;
}

int CUtilityLib::SplitStringByToken(const char* text, char token, CStringArray& out, bool quoteAware,
                                    bool stripQuotes) {
    const char* rest = text ? text : "";
    for (;;) {
        const char* end = FindToken(rest, token, quoteAware);
        out.Add(MakePiece(rest, static_cast<int>(end - rest), stripQuotes));
        if (!*end)
            break;
        rest = end + 1;
    }
    return out.GetSize();
}
