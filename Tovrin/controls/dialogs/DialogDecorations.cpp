#include <cstdlib>

#include "ResizeDlg.h"
#include "UtilityLib.h"
#include "WindowFacts.h"

namespace {

const COLORREF kDialogTextColour = RGB(40, 40, 40);

// Line index of each field in a decoration static's text.
enum DecorationLine { kFillLine, kFrameLine, kFrameWidthLine, kInflationLine, kLineCount };

// A line feed is never a trail byte in CP949, so the text splits bytewise.
void SplitDecorationLines(const CString& text, CString (&lines)[kLineCount]) {
    int start = 0;
    for (CString& line : lines) {
        if (start > text.GetLength())
            break;
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        line = text.Mid(start, end - start);
        line.TrimRight('\r');
        start = end + 1;
    }
}

// Group boxes paint only their frame and caption; the background must show through them.
bool CoversBackground(HWND child) {
    const DWORD style = GetStyleOf(child);
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_EXSTYLE));
    if (!(style & WS_VISIBLE) || (exStyle & WS_EX_TRANSPARENT))
        return false;
    return !(HasWindowClass(child, "BUTTON") && (style & BS_TYPEMASK) == BS_GROUPBOX);
}

}  // namespace

void CResizeDlg::AddDecoration(HWND staticWindow, const CString& text) {
    CString lines[kLineCount];
    SplitDecorationLines(text, lines);
    Decoration decoration;
    decoration.window = staticWindow;
    decoration.hasFill = !lines[kFillLine].IsEmpty();
    if (decoration.hasFill)
        decoration.fillColour = CUtilityLib::ConvertStringToRGB(lines[kFillLine]);
    decoration.hasFrame = !lines[kFrameLine].IsEmpty();
    if (decoration.hasFrame)
        decoration.frameColour = CUtilityLib::ConvertStringToRGB(lines[kFrameLine]);
    if (!lines[kFrameWidthLine].IsEmpty())
        decoration.frameWidth = static_cast<int>(strtol(lines[kFrameWidthLine], nullptr, 10));
    decoration.inflation = CUtilityLib::ConvertStringToRect(lines[kInflationLine]);
    m_decorations.push_back(decoration);
}

void CResizeDlg::SetBackgroundColor(COLORREF colour) {
    m_backgroundColour = colour;
    m_backgroundBrush.CreateSolidBrush(colour);
    if (m_hWnd)
        Invalidate(TRUE);
}

BOOL CResizeDlg::OnEraseBkgnd(HDC hdc) {
    CDC dc;
    dc.Attach(hdc);
    const int saved = dc.SaveDC();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CoversBackground(child)) {
            const CRect rect = ChildRect(child);
            dc.ExcludeClipRect(rect);
        }
    }
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, m_backgroundColour);
    for (const Decoration& decoration : m_decorations) {
        CRect rect = ChildRect(decoration.window);
        rect.left -= decoration.inflation.left;
        rect.top -= decoration.inflation.top;
        rect.right += decoration.inflation.right;
        rect.bottom += decoration.inflation.bottom;
        if (decoration.hasFrame && decoration.frameWidth >= 1) {
            CUtilityLib::DrawBox(&dc, rect, decoration.frameColour, decoration.frameWidth);
            rect.DeflateRect(decoration.frameWidth, decoration.frameWidth);
        }
        if (decoration.hasFill && !rect.IsRectEmpty())
            dc.FillSolidRect(rect, decoration.fillColour);
    }
    dc.RestoreDC(saved);
    dc.Detach();
    return TRUE;
}

LRESULT CResizeDlg::OnCtlColor(HDC dc) {
    ::SetBkColor(dc, m_backgroundColour);
    ::SetTextColor(dc, kDialogTextColour);
    return reinterpret_cast<LRESULT>(m_backgroundBrush.GetSafeHandle());
}
