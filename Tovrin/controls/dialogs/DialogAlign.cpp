#include <algorithm>

#include "ResizeDlg.h"
#include "UtilityLib.h"

namespace {

// Where a window of length starts along one axis of the reference [start, end): against the
// start or end edge (inside, or just outside), else centred.
int PlaceAlong(int start, int end, int length, bool outside, bool atStart, bool atEnd) {
    if (atStart)
        return outside ? start - length : start;
    if (atEnd)
        return outside ? end : end - length;
    return start + (end - start - length) / 2;
}

CRect DesktopArea() { return CUtilityLib::GetMonitorFromPoint(CPoint(0, 0)); }

}  // namespace

void CResizeDlg::AlignDialog(DWORD flags) {
    if (!m_hWnd)
        return;
    HWND parent = ::GetParent(m_hWnd);
    if (flags == 0) {
        CWnd* mainWnd = AfxGetMainWnd();
        CentreOver(mainWnd ? mainWnd->m_hWnd : nullptr);
        return;
    }
    if (flags & kAlignCentreOverParent) {
        CentreOver(parent);
        return;
    }
    CRect reference;
    if (parent && parent != ::GetDesktopWindow())
        ::GetWindowRect(parent, reference);
    else
        reference = DesktopArea();
    if (reference.IsRectEmpty())
        return;
    CRect window;
    GetWindowRect(window);
    MoveWindowTo(PlaceAlong(reference.left, reference.right, window.Width(), (flags & kAlignOutsideX) != 0,
                            (flags & kAlignLeft) != 0, (flags & kAlignRight) != 0),
                 PlaceAlong(reference.top, reference.bottom, window.Height(), (flags & kAlignOutsideY) != 0,
                            (flags & kAlignTop) != 0, (flags & kAlignBottom) != 0));
}

// Over the reference window while it is shown, else over the screen; kept on the screen.
void CResizeDlg::CentreOver(HWND reference) {
    const CRect desktop = DesktopArea();
    CRect area = desktop;
    if (reference && reference != m_hWnd && ::IsWindowVisible(reference) && !::IsIconic(reference))
        ::GetWindowRect(reference, area);
    if (area.IsRectEmpty())
        return;
    CRect window;
    GetWindowRect(window);
    int x = area.left + (area.Width() - window.Width()) / 2;
    int y = area.top + (area.Height() - window.Height()) / 2;
    if (!desktop.IsRectEmpty()) {
        x = std::max<int>(desktop.left, std::min<int>(x, desktop.right - window.Width()));
        y = std::max<int>(desktop.top, std::min<int>(y, desktop.bottom - window.Height()));
    }
    MoveWindowTo(x, y);
}

void CResizeDlg::MoveWindowTo(int x, int y) {
    POINT topLeft = {x, y};
    if (GetStyle() & WS_CHILD)
        ::ScreenToClient(::GetParent(m_hWnd), &topLeft);
    SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
