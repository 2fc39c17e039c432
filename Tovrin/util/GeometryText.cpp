#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Mbcs.h"
#include "UtilityLib.h"

namespace {

const char kDots[] = "...";

// Up to count decimal numbers separated by commas; the rest stay 0.
template <int count>
void ReadNumbers(const char* text, int (&numbers)[count]) {
    for (int& number : numbers)
        number = 0;
    const char* p = text ? text : "";
    for (int& number : numbers) {
        long value = strtol(p, nullptr, 10);
        number = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
        p = strchr(p, ',');
        if (!p)
            break;
        ++p;
    }
}

bool Fits(HDC dc, const CString& text, int width) {
    SIZE size = {0, 0};
    // A DC that cannot measure leaves the text as it is.
    if (!GetTextExtentPoint32A(dc, text, text.GetLength(), &size))
        return true;
    return size.cx <= width;
}

// Byte offsets of the character boundaries of text, from 0 to its length.
std::vector<int> CharacterBounds(const CString& text) {
    std::vector<int> bounds{0};
    for (const char* p = text; *p;) {
        int step = Mbcs::CharLength(p);
        bounds.push_back(bounds.back() + step);
        p += step;
    }
    return bounds;
}

// The longest of compose(0) ... compose(most) that fits; false when not even compose(0) does.
// The widths grow with n, so halving finds it in few measurements.
template <typename Compose>
bool LongestFitting(HDC dc, int width, int most, Compose compose, CString& result) {
    if (!Fits(dc, compose(0), width))
        return false;
    int low = 0;
    int high = most;
    while (low < high) {
        int middle = (low + high + 1) / 2;
        if (Fits(dc, compose(middle), width))
            low = middle;
        else
            high = middle - 1;
    }
    result = compose(low);
    return true;
}

}  // namespace

COLORREF CUtilityLib::ConvertStringToRGB(const char* text) {
    int rgb[3];
    ReadNumbers(text, rgb);
    return RGB(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF);
}

CRect CUtilityLib::ConvertStringToRect(const char* text) {
    int edges[4];
    ReadNumbers(text, edges);
    return CRect(edges[0], edges[1], edges[2], edges[3]);
}

CPoint CUtilityLib::ConvertStringToPoint(const char* text) {
    int xy[2];
    ReadNumbers(text, xy);
    return CPoint(xy[0], xy[1]);
}

CRect CUtilityLib::GetMonitorFromPoint(CPoint point) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return CRect();
    return CRect(info.rcWork);
}

CString CUtilityLib::GetEllipsisText(HDC dc, const char* text, int width) {
    assert(dc);
    CString whole(text);
    if (Fits(dc, whole, width))
        return whole;

    int cut = whole.ReverseFind('\\');
    CString folder = cut >= 0 ? whole.Left(cut) : whole;
    CString name = cut >= 0 ? whole.Mid(cut) : CString();
    std::vector<int> folderBounds = CharacterBounds(folder);
    std::vector<int> nameBounds = CharacterBounds(name);
    int folderChars = static_cast<int>(folderBounds.size()) - 1;
    int nameChars = static_cast<int>(nameBounds.size()) - 1;

    CString result;
    auto folderStartAndName = [&](int n) { return folder.Left(folderBounds[n]) + kDots + name; };
    // A file name too wide on its own keeps its end, where the extension is.
    auto nameEnd = [&](int n) { return kDots + name.Mid(nameBounds[nameChars - n]); };
    auto dots = [](int n) { return CString(kDots, n); };
    if (!LongestFitting(dc, width, folderChars, folderStartAndName, result) &&
        !LongestFitting(dc, width, nameChars, nameEnd, result))
        LongestFitting(dc, width, 3, dots, result);
    return result;
}
