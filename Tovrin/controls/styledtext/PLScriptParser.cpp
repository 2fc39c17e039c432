#include "PLScriptParser.h"

#include <cstdlib>
#include <cstring>

namespace {

const int kInitialSize = 12;
// Far above any caption of a button or a list line; keeps the font height and its negation sane.
const int kLargestSize = 200;

// '<' (0x3C) and '>' (0x3E) lie below the lowest CP949 trail byte (0x41): a plain byte search
// cannot match the second half of a double-byte character.
int FindByte(const CString& text, char ch, int from) {
    if (from >= text.GetLength())
        return -1;
    const char* found = strchr(text.GetString() + from, ch);
    return found ? static_cast<int>(found - text.GetString()) : -1;
}

// The tags of a script, found front to back. Each '<' needs the first '>' after it; that '>'
// serves every '<' before it, so a long run of '<' is read once, not once per '<'.
class TagFinder {
public:
    explicit TagFinder(const CString& script) : m_script(script), m_close(-1), m_closesLeft(true) {}

    // The next '<' at or after from that a '>' closes, or the script's length.
    int Next(int from) {
        const int open = FindByte(m_script, '<', from);
        return open < 0 || CloseAfter(open) < 0 ? m_script.GetLength() : open;
    }

    // The first '>' after position, or -1. Positions asked for never go back.
    int CloseAfter(int position) {
        if (m_closesLeft && m_close <= position) {
            m_close = FindByte(m_script, '>', position + 1);
            m_closesLeft = m_close >= 0;
        }
        return m_closesLeft ? m_close : -1;
    }

private:
    const CString& m_script;
    int m_close;
    bool m_closesLeft;
};

CString DecodeEntities(CString text) {
    text.Replace("&amp;", "&");
    text.Replace("&lt;", "<");
    return text;
}

COLORREF ReadColour(const char* value) {
    unsigned long rgb = static_cast<unsigned long>(strtol(value, nullptr, 16));
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int ReadSize(const char* value) {
    const long size = strtol(value, nullptr, 10);
    return size < 0 ? 0 : size > kLargestSize ? kLargestSize : static_cast<int>(size);
}

int ReadAlign(char choice) {
    if (choice == 'B')
        return PL_SCRIPT_UNIT::kBottom;
    if (choice == 'M')
        return PL_SCRIPT_UNIT::kMiddle;
    return PL_SCRIPT_UNIT::kTop;
}

void ApplyTag(PL_SCRIPT_UNIT& state, char name, bool open, const char* value, COLORREF defaultColour) {
    switch (name) {
    case 'B':
        state.bold = open;
        break;
    case 'I':
        state.italic = open;
        break;
    case 'U':
        state.underline = open;
        break;
    case 'A':
        state.valign = open ? ReadAlign(*value) : PL_SCRIPT_UNIT::kTop;
        break;
    case 'S':
        state.size = open ? ReadSize(value) : kInitialSize;
        break;
    case 'C':
        state.colour = open ? ReadColour(value) : defaultColour;
        break;
    default:
        break;
    }
}

}  // namespace

std::vector<PL_SCRIPT_UNIT> ParseStyledScript(const CString& script, COLORREF defaultColour) {
    std::vector<PL_SCRIPT_UNIT> units;
    PL_SCRIPT_UNIT state;
    state.colour = defaultColour;
    const char* text = script;
    const int length = script.GetLength();

    TagFinder tags(script);
    int start = 0;
    int pos = tags.Next(0);
    for (;;) {
        if (pos > start) {
            PL_SCRIPT_UNIT unit = state;
            unit.text = DecodeEntities(script.Mid(start, pos - start));
            units.push_back(unit);
        }
        if (pos == length)
            break;
        bool open = true;
        if (text[pos + 1] == '/') {
            ++pos;
            open = false;
        }
        // The value starts two characters after the tag letter; a short tag reads it as empty.
        const char* value = pos + 3 <= length ? text + pos + 3 : "";
        ApplyTag(state, text[pos + 1], open, value, defaultColour);
        start = tags.CloseAfter(pos) + 1;
        pos = tags.Next(pos + 1);
    }
    return units;
}

CString StripStyledTags(const CString& script) {
    CString text;
    int from = 0;
    for (;;) {
        int open = FindByte(script, '<', from);
        int close = open < 0 ? -1 : FindByte(script, '>', open + 1);
        if (close < 0) {
            text += script.Mid(from);
            return text;
        }
        text += script.Mid(from, open - from);
        from = close + 1;
    }
}
