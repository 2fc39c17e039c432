#pragma once
#include <windows.h>

#include <vector>

#include "CString.h"
#include "GdiTypes.h"
#include "TovrinApi.h"

// One run of styled text drawn with one font and one colour.
struct PL_SCRIPT_UNIT {
    enum VerticalAlign { kTop = 0, kMiddle = 1, kBottom = 2 };

    CString text;  // entities already decoded
    BYTE bold = 0;
    BYTE italic = 0;
    BYTE underline = 0;
    int valign = kTop;
    int size = 12;  // font height in pixels, 0 to 200 (<S=...> values beyond are clamped)
    COLORREF colour = 0;
    CSize extent;
};

// A one-line caption in the styled-text markup: capital-letter tags <B>, <I>, <U>, <A=M>,
// <S=10>, <C=RRGGBB> and their closing forms, which reset the attribute to its starting value.
class TOVRIN_API CPLScriptText {
public:
    CPLScriptText();

    // Measures with the window's font (WM_GETFONT), or with the font its DC holds when the window
    // has none; a null window measures on the screen.
    void SetScript(HWND window, const char* script);
    const CString& GetScript() const { return m_script; }
    // The script without its tags; entities stay as written.
    CString GetText() const;
    // Used from the next SetScript on.
    void SetDefaultTextColor(COLORREF colour) { m_defaultColour = colour; }
    CSize GetSize() const;
    // Draws on one line from rect's top-left corner. State bit 0 draws everything orange; bits 1
    // and 2 together (bit 0 clear) draw everything white. Only the glyphs are painted; the DC's text
    // colour, background mode and font are restored.
    void Draw(HDC dc, CRect rect, DWORD state) const;

    int GetUnitCount() const { return static_cast<int>(m_units.size()); }
    const PL_SCRIPT_UNIT& GetUnit(int index) const { return m_units[index]; }

private:
    void MeasureUnits(HDC dc);

    std::vector<PL_SCRIPT_UNIT> m_units;
    HWND m_window;
    CString m_script;
    COLORREF m_defaultColour;
    LOGFONTA m_baseFont;
};
