#include "CDC.h"

CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC hdc) {
    if (m_hDC || !hdc)
        return FALSE;
    m_hDC = hdc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    return hdc;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(rect, colour);
}
