#include "PLScriptText.h"

#include <algorithm>
#include <cstring>

#include "DCSelection.h"
#include "GdiObjects.h"
#include "PLScriptParser.h"

namespace {

const char kFaceName[] = "굴림";
const COLORREF kOrange = RGB(255, 128, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const DWORD kOrangeBit = 0x1;
const DWORD kWhiteBits = 0x6;

// The window's font, or the font the DC holds when the window has none.
LOGFONTA ReadBaseFont(HWND window, HDC dc) {
    LOGFONTA font = {};
    HGDIOBJ handle = window ? reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0)) : nullptr;
    if (!handle && dc)
        handle = ::GetCurrentObject(dc, OBJ_FONT);
    if (handle)
        ::GetObjectA(handle, sizeof(font), &font);
    return font;
}

void CreateUnitFont(CFont& font, LOGFONTA base, const PL_SCRIPT_UNIT& unit, int height, BYTE underline) {
    base.lfHeight = height;
    base.lfWeight = unit.bold ? FW_BOLD : FW_NORMAL;
    base.lfItalic = unit.italic;
    base.lfUnderline = underline;
    lstrcpynA(base.lfFaceName, kFaceName, LF_FACESIZE);
    font.CreateFontIndirect(&base);
}

COLORREF ColourForState(COLORREF colour, DWORD state) {
    if (state & kOrangeBit)
        return kOrange;
    if ((state & kWhiteBits) == kWhiteBits)
        return kWhite;
    return colour;
}

UINT DrawFlags(int valign) {
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (valign == PL_SCRIPT_UNIT::kMiddle)
        flags |= DT_VCENTER;
    else if (valign == PL_SCRIPT_UNIT::kBottom)
        flags |= DT_BOTTOM;
    return flags;
}

}  // namespace

CPLScriptText::CPLScriptText() : m_window(nullptr), m_defaultColour(0), m_baseFont() {}

void CPLScriptText::SetScript(HWND window, const char* script) {
    m_window = window;
    m_script = script;
    m_units = ParseStyledScript(m_script, m_defaultColour);
    HDC dc = ::GetDC(window);
    m_baseFont = ReadBaseFont(window, dc);
    if (dc) {
        MeasureUnits(dc);
        ::ReleaseDC(window, dc);
    }
}

void CPLScriptText::MeasureUnits(HDC dc) {
    for (PL_SCRIPT_UNIT& unit : m_units) {
        CFont font;
        // Measured in the font the unit is drawn with: a cell-height font is narrower, and the
        // drawn run would be cut short with an ellipsis.
        CreateUnitFont(font, m_baseFont, unit, -unit.size, FALSE);
        CDCSelection selection(dc, font);
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, unit.text, unit.text.GetLength(), &extent);
        unit.extent = extent;
    }
}

CString CPLScriptText::GetText() const { return StripStyledTags(m_script); }

CSize CPLScriptText::GetSize() const {
    CSize size;
    for (const PL_SCRIPT_UNIT& unit : m_units) {
        size.cx += unit.extent.cx;
        size.cy = std::max(size.cy, unit.extent.cy);
    }
    return size;
}

void CPLScriptText::Draw(HDC dc, CRect rect, DWORD state) const {
    const CSize size = GetSize();
    const CRect line(rect.left, rect.top, std::min<LONG>(rect.left + size.cx, rect.right), rect.top + size.cy);
    const COLORREF previousColour = ::GetTextColor(dc);
    // Captions sit on skinned faces and list lines: an opaque cell would paint the DC's
    // background colour (the dialog's, after WM_CTLCOLORBTN) over them.
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);

    int x = line.left;
    for (const PL_SCRIPT_UNIT& unit : m_units) {
        CRect box(x, line.top, std::min<LONG>(x + unit.extent.cx, line.right), line.bottom);
        x += unit.extent.cx;
        if (box.IsRectEmpty())
            continue;
        CFont font;
        CreateUnitFont(font, m_baseFont, unit, -unit.size, FALSE);
        CDCSelection selection(dc, font);
        const COLORREF colour = ColourForState(unit.colour, state);
        ::SetTextColor(dc, colour);
        ::DrawTextA(dc, unit.text, unit.text.GetLength(), &box, DrawFlags(unit.valign));
        if (unit.underline) {
            CBrush brush(colour);
            CRect underline(box.left, box.bottom - 1, box.right, box.bottom);
            ::FillRect(dc, &underline, brush);
        }
    }
    ::SetTextColor(dc, previousColour);
    ::SetBkMode(dc, previousMode);
}
