#include "RichTabButton.h"

#include <windowsx.h>

#include "SkinFace.h"

namespace {

enum TabFace {
    kUnchecked = 186,
    kUncheckedHover = 187,
    kPressed = 188,
    kChecked = 189,
    kCheckedHover = 190,
    kDisabled = 191,
    kCheckedDisabled = 192
};
const int kFocusInset = 3;

}  // namespace

CRichTabButton::CRichTabButton() : m_check(0), m_autoCheck(false), m_showFocusRect(false) {}

void CRichTabButton::ShowFocusRect(bool show) {
    m_showFocusRect = show;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CRichTabButton::SetCheckState(int check) {
    m_check = check;
    Invalidate(FALSE);
}

LRESULT CRichTabButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return m_check;
    case BM_SETCHECK:
        SetCheckState(static_cast<int>(wParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(lParam);
        break;
    }
    return CSkinButton::WindowProc(message, wParam, lParam);
}

void CRichTabButton::OnLButtonUp(LPARAM lParam) {
    CRect client;
    GetClientRect(client);
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (m_autoCheck && ::GetCapture() == m_hWnd && client.PtInRect(point))
        SetCheckState(m_check ? 0 : 1);
}

void CRichTabButton::DrawItem(LPDRAWITEMSTRUCT item) {
    const CRect rect(item->rcItem);
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    int face = m_check ? (IsMouseOver() ? kCheckedHover : kChecked) : (IsMouseOver() ? kUncheckedHover : kUnchecked);
    if (disabled)
        face = m_check ? kCheckedDisabled : kDisabled;
    else if (pressed)
        face = kPressed;
    SkinFace::Draw(item->hDC, rect, face);

    const CSize caption = GetCaption().GetSize();
    const int shift = pressed ? 1 : 0;
    const CPoint origin(rect.left + (rect.Width() - caption.cx) / 2 + shift,
                        rect.top + (rect.Height() - caption.cy) / 2 + shift);
    DrawCaption(item->hDC, origin, rect, disabled);

    if (m_showFocusRect && (item->itemState & ODS_FOCUS)) {
        CRect focus(rect);
        focus.DeflateRect(kFocusInset, kFocusInset);
        ::DrawFocusRect(item->hDC, focus);
    }
}
