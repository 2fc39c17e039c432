#include "SkinButton.h"

#include "WindowFacts.h"

namespace {

const COLORREF kDisabledCaptionColour = RGB(161, 160, 146);

}  // namespace

CSkinButton::CSkinButton() : m_mouseOver(false), m_tracking(false) {
    m_disabledCaption.SetDefaultTextColor(kDisabledCaptionColour);
}

void CSkinButton::PreSubclassWindow() {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    // Without CS_DBLCLKS a quick second click is a click of its own, not BN_DOUBLECLICKED.
    // The class style is shared by every button of the process.
    const ULONG_PTR classStyle = ::GetClassLongPtrA(m_hWnd, GCL_STYLE);
    if (classStyle & CS_DBLCLKS)
        ::SetClassLongPtrA(m_hWnd, GCL_STYLE, static_cast<LONG_PTR>(classStyle & ~CS_DBLCLKS));
    ApplyText(GetWindowTextOf(m_hWnd));
}

void CSkinButton::SetWindowTextA(const char* text) {
    if (m_hWnd)
        ::SetWindowTextA(m_hWnd, text);  // applied in WM_SETTEXT, like any other text
    else
        ApplyText(text);
}

LRESULT CSkinButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    // The caption first: the button repaints itself while it takes the new text.
    ApplyText(text);
    const LRESULT result = CButton::WindowProc(WM_SETTEXT, wParam, lParam);
    Invalidate(FALSE);
    return result;
}

void CSkinButton::SetCaption(const char* script) {
    m_caption.SetScript(m_hWnd, script);
    m_disabledCaption.SetScript(m_hWnd, script);
}

void CSkinButton::DrawCaption(HDC dc, CPoint origin, const CRect& clip, bool disabled) const {
    const CRect area(origin.x, origin.y, clip.right, clip.bottom);
    (disabled ? m_disabledCaption : m_caption).Draw(dc, area, 0);
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        // A button made by CreateEx gets its text after PreSubclassWindow ran.
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        ApplyText(GetWindowTextOf(m_hWnd));
        return result;
    }
    case WM_SETTEXT:
        return OnSetText(wParam, lParam);
    case WM_SETFONT: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        SetCaption(m_caption.GetScript());
        return result;
    }
    case WM_ERASEBKGND:
        return TRUE;  // the face covers every pixel
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_MOUSEHOVER:
        OnMouseOver(true);
        return 0;
    case WM_MOUSELEAVE:
        m_tracking = false;
        OnMouseOver(false);
        return 0;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CSkinButton::OnMouseMove() {
    if (m_tracking)
        return;
    TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    m_tracking = ::TrackMouseEvent(&track) != FALSE;
}

void CSkinButton::OnMouseOver(bool over) {
    if (m_mouseOver == over)
        return;
    m_mouseOver = over;
    Invalidate(FALSE);
}
