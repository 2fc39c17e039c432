#include "HTMLTokens.h"

#include <cstring>

#include "Mbcs.h"

namespace {

bool IsEntityNameChar(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '#';
}

const char* EntityText(const CString& name) {
    if (name == "quot")
        return "\"";
    if (name == "lt")
        return "<";
    if (name == "gt")
        return ">";
    if (name == "amp")
        return "&";
    return "";
}

void AddText(std::vector<HTMLToken>& tokens, const char* text, int length) {
    CString decoded = DecodeHTMLEntities(CString(text, length));
    if (!decoded.IsEmpty())
        tokens.push_back(HTMLToken{HTMLToken::kText, decoded});
}

}  // namespace

CString DecodeHTMLEntities(const char* text) {
    CString decoded;
    for (const char* p = text; *p;) {
        if (*p == '&') {
            // Entity names are ASCII: a lead byte ends the name, so no trail byte is looked at alone.
            const char* end = p + 1;
            while (IsEntityNameChar(*end))
                ++end;
            if (end > p + 1 && *end == ';') {
                decoded += EntityText(CString(p + 1, static_cast<int>(end - p - 1)));
                p = end + 1;
                continue;
            }
        }
        const int length = Mbcs::CharLength(p);
        decoded += CString(p, length);
        p += length;
    }
    return decoded;
}

// '<' and '>' lie below the lowest CP949 trail byte (0x41), so a byte search finds only real
// tag marks.
std::vector<HTMLToken> TokenizeHTML(const char* markup) {
    std::vector<HTMLToken> tokens;
    const char* rest = markup;
    for (;;) {
        const char* open = strchr(rest, '<');
        const char* close = open ? strchr(open + 1, '>') : nullptr;
        if (!close) {
            AddText(tokens, rest, static_cast<int>(strlen(rest)));
            return tokens;
        }
        AddText(tokens, rest, static_cast<int>(open - rest));
        tokens.push_back(HTMLToken{HTMLToken::kTag, CString(open + 1, static_cast<int>(close - open - 1))});
        rest = close + 1;
    }
}
