#pragma once
#include <vector>

#include "CString.h"
#include "TovrinApi.h"

// One piece of HTML text markup: a text run (entities decoded) or the text between '<' and '>'.
struct HTMLToken {
    enum Kind { kText, kTag };
    Kind kind;
    CString text;
};

// Cuts the markup at each '<' and the next '>'. A '<' with no '>' after it starts text that
// runs to the end; text runs that decode to nothing are left out.
TOVRIN_API std::vector<HTMLToken> TokenizeHTML(const char* markup);
// Replaces "&quot;", "&lt;", "&gt;" and "&amp;"; any other "&name;" is removed. An '&' that
// starts no such entity stays.
TOVRIN_API CString DecodeHTMLEntities(const char* text);
