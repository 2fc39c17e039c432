#include "CDC.h"

#include "Wnd.h"

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

BOOL CDC::CreateCompatibleDC(HDC reference) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(reference);
    return m_hDC != nullptr;
}

CSize CDC::GetTextExtent(const char* text, int length) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return size;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(rect, colour);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_ps{}, m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : CClientDC(wnd->m_hWnd, ::GetDC(wnd->m_hWnd)) {}

CClientDC::CClientDC(HWND window, HDC dc) : m_hWnd(window) { m_hDC = dc; }

CClientDC::~CClientDC() {
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : CClientDC(wnd->m_hWnd, ::GetWindowDC(wnd->m_hWnd)) {}
