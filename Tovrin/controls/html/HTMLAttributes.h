#pragma once
#include <vector>

#include "CString.h"
#include "TovrinApi.h"

// The name=value pairs of a tag, read left to right after the tag's name. A name is what
// stands before '=' (trimmed); its value starts after any spaces and runs to the next space, or,
// when it begins with a double quote, to the next double quote.
class TOVRIN_API CHTMLAttributes {
public:
    struct Attribute {
        CString name;
        CString value;
    };

    explicit CHTMLAttributes(const char* tag);

    int GetCount() const { return static_cast<int>(m_attributes.size()); }
    const Attribute& GetAt(int index) const { return m_attributes[index]; }
    // The first attribute of that name (any case); value is not changed when there is none.
    bool Lookup(const char* name, CString& value) const;
    // The first attribute's value as a decimal number (as atoi reads it), or fallback.
    int LookupNumber(const char* name, int fallback) const;

private:
    std::vector<Attribute> m_attributes;
};
