#include <cassert>

#include "CDC.h"
#include "UtilityLib.h"

void CUtilityLib::DrawBox(CDC* dc, CRect rect, COLORREF colour, int width) { DrawBox(dc, rect, colour, colour, width); }

void CUtilityLib::DrawBox(CDC* dc, CRect rect, COLORREF topLeftColour, COLORREF bottomRightColour, int width) {
    assert(dc);
    int boxWidth = rect.Width();
    int boxHeight = rect.Height();
    dc->FillSolidRect(rect.left, rect.top, boxWidth, width, topLeftColour);
    dc->FillSolidRect(rect.left, rect.top, width, boxHeight, topLeftColour);
    dc->FillSolidRect(rect.right - width, rect.top + width, width, boxHeight - width, bottomRightColour);
    dc->FillSolidRect(rect.left + width, rect.bottom - width, boxWidth - width, width, bottomRightColour);
}
