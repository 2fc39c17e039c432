#pragma once
#include <windows.h>

#include "CString.h"
#include "GdiObjects.h"
#include "TovrinApi.h"

// The font state of HTML text: what <b>, <i>, <u> and <font> change.
class TOVRIN_API CHTMLFont {
public:
    CHTMLFont();

    // Point size factor of an HTML size step (3 is the base size).
    static double SizeStepFactor(int step);
    // Moves to another size step and scales the point size by the ratio of the two factors. Steps
    // beyond +-21 count as +-21.
    void SetSizeStep(int step);
    // A <font size> value: "+n" and "-n" move the step, "n" sets it; anything else counts as 0.
    void ApplySizeValue(const char* value);
    // -(LOGPIXELSY x point size / 72), truncated toward zero; 90 dots per inch without a DC.
    int CharacterHeight(HDC dc) const;
    BOOL CreateFont(CFont& font, HDC dc) const;

    CString m_faceName;
    double m_pointSize;
    BYTE m_bold;
    BYTE m_italic;
    BYTE m_underline;
    BYTE m_charSet;
    COLORREF m_colour;
    int m_sizeStep;
};
