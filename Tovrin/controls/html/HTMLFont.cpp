#include "HTMLFont.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const int kBaseStep = 3;
const int kDotsPerInchWithoutDC = 90;
// Far beyond any useful size; keeps step arithmetic away from integer overflow.
const long kStepLimit = 1000;
// Step 21 is 9 times the base size (81 points from 9): nested <font size=+n> tags stop there
// instead of asking for fonts of millions of pixels.
const int kLargestStep = 21;

bool IsDigits(const char* text) {
    if (!*text)
        return false;
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

int ReadStepNumber(const char* digits) {
    if (!IsDigits(digits))
        return 0;
    long value = strtol(digits, nullptr, 10);
    return static_cast<int>(value > kStepLimit ? kStepLimit : value);
}

}  // namespace

CHTMLFont::CHTMLFont()
    : m_faceName("굴림"), m_pointSize(9.0), m_bold(0), m_italic(0), m_underline(0), m_charSet(0), m_colour(0),
      m_sizeStep(kBaseStep) {}

double CHTMLFont::SizeStepFactor(int step) {
    static const double factors[] = {1.0, 0.625, 0.8, 1.0, 1.125, 1.5, 2.0, 3.0};
    if (step <= 0)
        return 1.0;
    if (step > 7)
        return step / 7.0 * 3.0;
    return factors[step];
}

void CHTMLFont::SetSizeStep(int step) {
    step = std::max(-kLargestStep, std::min(step, kLargestStep));
    m_pointSize = m_pointSize / SizeStepFactor(m_sizeStep) * SizeStepFactor(step);
    m_sizeStep = step;
}

void CHTMLFont::ApplySizeValue(const char* value) {
    CString text(value);
    text.TrimLeft(" \t");
    text.TrimRight(" \t");
    const char sign = text.IsEmpty() ? 0 : text[0];
    if (sign == '+')
        SetSizeStep(m_sizeStep + ReadStepNumber(text.GetString() + 1));
    else if (sign == '-')
        SetSizeStep(m_sizeStep - ReadStepNumber(text.GetString() + 1));
    else
        SetSizeStep(ReadStepNumber(text));
}

int CHTMLFont::CharacterHeight(HDC dc) const {
    const int dotsPerInch = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : kDotsPerInchWithoutDC;
    return -static_cast<int>(dotsPerInch * m_pointSize / 72.0);
}

BOOL CHTMLFont::CreateFont(CFont& font, HDC dc) const {
    LOGFONTA description = {};
    description.lfHeight = CharacterHeight(dc);
    description.lfWeight = m_bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = m_italic;
    description.lfUnderline = m_underline;
    description.lfCharSet = m_charSet;
    lstrcpynA(description.lfFaceName, m_faceName, LF_FACESIZE);
    return font.CreateFontIndirect(&description);
}
