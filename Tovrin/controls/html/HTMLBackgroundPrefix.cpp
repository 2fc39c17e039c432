#include "HTMLBackgroundPrefix.h"

#include <cstring>

namespace {

const int kClosingMarkLimit = 13;

}  // namespace

bool SplitHTMLBackgroundPrefix(const char* text, COLORREF& colour, CString& markup) {
    markup = text;
    if (text[0] != '#')
        return false;
    const char* closing = strchr(text + 1, '#');
    if (!closing || closing - text >= kClosingMarkLimit)
        return false;
    for (const char* p = text + 1; p < closing; ++p)
        if (!(*p >= '0' && *p <= '9') && *p != ',')
            return false;

    // Reduced digit by digit: a component may have more digits than an int holds.
    int components[3] = {0, 0, 0};
    int index = 0;
    for (const char* p = text + 1; p < closing && index < 3; ++p) {
        if (*p == ',')
            ++index;
        else
            components[index] = (components[index] * 10 + (*p - '0')) % 256;
    }
    colour = RGB(components[0], components[1], components[2]);
    markup = closing + 1;
    return true;
}
