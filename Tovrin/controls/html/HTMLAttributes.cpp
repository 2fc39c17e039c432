#include "HTMLAttributes.h"

#include <cstdlib>
#include <cstring>

#include "Mbcs.h"

namespace {

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

const char* SkipSpaces(const char* text) {
    while (IsSpace(*text))
        ++text;
    return text;
}

// '=', '"' and spaces lie below the lowest CP949 trail byte (0x41): byte scans are safe here.
const char* FindSpace(const char* text) {
    while (*text && !IsSpace(*text))
        ++text;
    return text;
}

}  // namespace

CHTMLAttributes::CHTMLAttributes(const char* tag) {
    const char* rest = FindSpace(SkipSpaces(tag));
    for (;;) {
        const char* equals = strchr(rest, '=');
        if (!equals)
            return;
        Attribute attribute;
        attribute.name = CString(rest, static_cast<int>(equals - rest));
        attribute.name.Trim();
        const char* value = SkipSpaces(equals + 1);
        const char* end;
        if (*value == '"') {
            ++value;
            const char* quote = strchr(value, '"');
            end = quote ? quote : value + strlen(value);
            rest = quote ? quote + 1 : end;
        } else {
            end = FindSpace(value);
            rest = end;
        }
        attribute.value = CString(value, static_cast<int>(end - value));
        m_attributes.push_back(attribute);
    }
}

bool CHTMLAttributes::Lookup(const char* name, CString& value) const {
    for (const Attribute& attribute : m_attributes) {
        if (Mbcs::CompareNoCase(attribute.name, name) == 0) {
            value = attribute.value;
            return true;
        }
    }
    return false;
}

int CHTMLAttributes::LookupNumber(const char* name, int fallback) const {
    CString value;
    return Lookup(name, value) ? atoi(value) : fallback;
}
