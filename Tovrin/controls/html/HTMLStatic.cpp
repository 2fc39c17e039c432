#include "HTMLStatic.h"

#include <cstring>

#include "HTMLBackgroundPrefix.h"
#include "HTMLLinkOpener.h"
#include "Mbcs.h"

namespace {

const COLORREF kDialogColour = 0xD8E9EC;  // RGB(236, 233, 216)
const int kTemplateTextLimit = 4095;

CPoint PointOf(LPARAM lParam) {
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

CHTMLStatic::CHTMLStatic()
    : m_cacheOldBitmap(nullptr), m_layoutValid(false), m_cacheValid(false), m_backgroundColour(kDialogColour),
      m_lineHeightOffset(0), m_noAutoLineBreak(false), m_handCursor(::LoadCursor(nullptr, IDC_HAND)),
      m_replacedCursor(nullptr), m_tracking(false), m_overLink(false) {}

CHTMLStatic::~CHTMLStatic() { FreeCache(); }

void CHTMLStatic::PreSubclassWindow() {
    m_backgroundColour = kDialogColour;
    m_noAutoLineBreak = true;
    ModifyStyle(0, SS_NOTIFY);
    TakeOverWindowText();
}

// Runs before the window procedure is ours (PreSubclassWindow) or after the static's own
// creation set its text (WM_CREATE); either way the previous procedure holds the text.
void CHTMLStatic::TakeOverWindowText() {
    char text[kTemplateTextLimit + 1] = {};
    DefWindowProc(WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SetWindowTextA(text);
}

void CHTMLStatic::SetWindowTextA(const char* text) {
    m_windowText = text;
    CString markup;
    SplitHTMLBackgroundPrefix(m_windowText, m_backgroundColour, markup);
    SetScript(markup);
}

int CHTMLStatic::GetWindowTextA(char* buffer, int size) const {
    if (!buffer || size <= 0)
        return 0;
    int length = 0;
    for (const char* p = m_windowText; *p;) {
        const int step = Mbcs::CharLength(p);
        if (length + step > size - 1)
            break;
        length += step;
        p += step;
    }
    memcpy(buffer, m_windowText.GetString(), length);
    buffer[length] = '\0';
    return length;
}

void CHTMLStatic::SetScript(const char* markup) {
    m_markup = markup;
    LayoutChanged();
}

void CHTMLStatic::SetMargin(int x, int y) {
    m_margin = CPoint(x, y);
    LayoutChanged();
}

void CHTMLStatic::SetLineHeightOffset(int offset) {
    m_lineHeightOffset = offset;
    LayoutChanged();
}

void CHTMLStatic::SetNoAutoLineBreak(bool noAutoLineBreak) {
    m_noAutoLineBreak = noAutoLineBreak;
    LayoutChanged();
}

void CHTMLStatic::SetFont(const CHTMLFont& font) {
    m_font = font;
    LayoutChanged();
}

void CHTMLStatic::SetBackgroundColour(COLORREF colour) {
    m_backgroundColour = colour;
    LookChanged();
}

void CHTMLStatic::SetHighlightColour(COLORREF colour) {
    m_highlight.colour = colour;
    LookChanged();
}

void CHTMLStatic::SetUnderlineWhenHighlight(bool underline) {
    m_highlight.underline = underline;
    LookChanged();
}

void CHTMLStatic::LayoutChanged() {
    m_layoutValid = false;
    m_cacheValid = false;
    m_highlight.link = -1;
    if (!m_hWnd)
        return;
    EnsureCache();
    Invalidate(FALSE);
}

// The colours are painted into the cache too: a stale cache would keep the old ones.
void CHTMLStatic::LookChanged() {
    m_cacheValid = false;
    if (m_hWnd)
        Invalidate(FALSE);
}

bool CHTMLStatic::EnsureCache() {
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return false;
    if (!m_cacheDC.GetSafeHdc() || m_cacheSize != client.Size()) {
        FreeCache();
        CClientDC windowDC(this);
        if (!m_cacheDC.CreateCompatibleDC(windowDC) ||
            !m_cacheBitmap.CreateCompatibleBitmap(windowDC, client.Width(), client.Height())) {
            FreeCache();
            return false;
        }
        m_cacheOldBitmap = m_cacheDC.SelectObject(m_cacheBitmap);
        m_cacheSize = client.Size();
        m_layoutValid = false;
    }
    if (!m_layoutValid) {
        HTMLLayoutSettings settings;
        settings.font = m_font;
        settings.client = client;
        settings.margin = m_margin;
        settings.lineHeightOffset = m_lineHeightOffset;
        settings.autoLineBreak = !m_noAutoLineBreak;
        m_layout.Build(m_cacheDC, m_markup, settings);
        m_layoutValid = true;
        m_cacheValid = false;
    }
    if (!m_cacheValid) {
        DrawCache();
        m_cacheValid = true;
    }
    return true;
}

void CHTMLStatic::DrawCache() {
    DrawHTMLLayout(m_cacheDC, CRect(CPoint(0, 0), m_cacheSize), m_layout, m_backgroundColour, m_highlight);
}

void CHTMLStatic::FreeCache() {
    if (m_cacheDC.GetSafeHdc() && m_cacheOldBitmap)
        m_cacheDC.SelectObject(m_cacheOldBitmap);
    m_cacheOldBitmap = nullptr;
    m_cacheBitmap.DeleteObject();
    m_cacheDC.DeleteDC();
    m_cacheSize = CSize();
    m_cacheValid = false;
}

void CHTMLStatic::CopyCache(HDC target) {
    if (EnsureCache())
        ::BitBlt(target, 0, 0, m_cacheSize.cx, m_cacheSize.cy, m_cacheDC, 0, 0, SRCCOPY);
}

void CHTMLStatic::OnMouseMove(CPoint point) {
    if (!m_tracking) {
        TRACKMOUSEEVENT request = {sizeof(request), TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_tracking = ::TrackMouseEvent(&request) != FALSE;
    }
    if (!EnsureCache())
        return;
    const int link = m_layout.LinkAt(point);
    if (link >= 0 && !m_overLink) {
        m_overLink = true;
        m_replacedCursor = ::SetCursor(m_handCursor);
    } else if (link < 0 && m_overLink) {
        RestoreCursor();
    }
    SetHoverLink(link);
}

void CHTMLStatic::OnMouseLeave() {
    m_tracking = false;
    if (m_overLink)
        RestoreCursor();
    SetHoverLink(-1);
}

// SetCursor(null) would hide the cursor: without one to give back, the arrow comes back.
void CHTMLStatic::RestoreCursor() {
    m_overLink = false;
    ::SetCursor(m_replacedCursor ? m_replacedCursor : ::LoadCursor(nullptr, IDC_ARROW));
}

void CHTMLStatic::SetHoverLink(int link) {
    if (link == m_highlight.link)
        return;
    m_highlight.link = link;
    m_cacheValid = false;
    EnsureCache();
    Invalidate(FALSE);
}

BOOL CHTMLStatic::OnSetCursor(UINT hitTest) {
    if (hitTest != HTCLIENT)
        return FALSE;
    ::SetCursor(m_overLink ? m_handCursor : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CHTMLStatic::OnClick(CPoint point) {
    if (!EnsureCache())
        return;
    const int link = m_layout.LinkAt(point);
    if (link < 0) {
        // A null window would make it a message of the thread.
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), STN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
        return;
    }
    // The main window may change or destroy this control while it handles the link.
    const CString target = m_layout.GetLinkTarget(link);
    FollowHTMLLink(m_hWnd, target);
}

LRESULT CHTMLStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CStatic::WindowProc(message, wParam, lParam);
        if (DefWindowProc(WM_GETTEXTLENGTH, 0, 0) > 0)
            TakeOverWindowText();
        return result;
    }
    case WM_PAINT: {
        CPaintDC dc(this);
        CopyCache(dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        CopyCache(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
        LayoutChanged();
        break;
    case WM_SETTEXT:
        SetWindowTextA(reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return GetWindowTextA(reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return m_windowText.GetLength();
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(LOWORD(lParam)))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        // Acted on at button-up; the static's own SS_NOTIFY click would come twice.
        return 0;
    case WM_LBUTTONUP:
        OnClick(PointOf(lParam));
        return 0;
    case WM_DESTROY:
        FreeCache();
        break;
    default:
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
