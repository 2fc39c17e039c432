#include "StyledListCells.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace StyledListCells {

namespace {

// Kind and caption are ASCII-separated: '=' and '\n' are never CP949 trail bytes.
CString ButtonKindText(const char* text) {
    const char* kind = text + 1;
    const char* equals = std::strchr(kind, '=');
    return equals ? CString(kind, static_cast<int>(equals - kind)) : CString(kind);
}

}  // namespace

bool IsButton(const char* text) { return text && text[0] == '\n'; }

ButtonKind ButtonKindOf(const char* text) {
    if (!IsButton(text))
        return ButtonKind::kNone;
    const CString kind = ButtonKindText(text);
    if (kind == "BTN")
        return ButtonKind::kPlain;
    if (kind == "SBTN")
        return ButtonKind::kStyled;
    return ButtonKind::kNone;
}

CString ButtonCaption(const char* text) {
    const char* equals = IsButton(text) ? std::strchr(text, '=') : nullptr;
    return equals ? CString(equals + 1) : CString();
}

int ProgressPercent(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp(value, 0L, 100L));
}

CString ProgressLabel(const char* text) {
    const char* second = std::strchr(text, '\n');
    if (second) {
        ++second;
        const char* end = std::strchr(second, '\n');
        CString label = end ? CString(second, static_cast<int>(end - second)) : CString(second);
        if (!label.IsEmpty())
            return label;
    }
    CString label;
    label.Format("%d%%", ProgressPercent(text));
    return label;
}

}  // namespace StyledListCells
