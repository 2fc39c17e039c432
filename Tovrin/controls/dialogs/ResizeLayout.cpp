#include <algorithm>
#include <functional>

#include "ResizeDlg.h"

namespace {

// The share of growth given by rate percent, truncated toward zero: registration takes off
// exactly what a later layout adds, so a control never jumps.
int Share(int growth, int rate) { return growth * rate / 100; }

// A maximum of -1 keeps the system's limit; below 1 fixes the dimension where it is now.
void LimitTrack(int maximum, int current, LONG& minTrack, LONG& maxTrack) {
    if (maximum == -1)
        return;
    if (maximum < 1) {
        minTrack = current;
        maxTrack = current;
        return;
    }
    maxTrack = maximum;
}

// More passes mean a control keeps resizing the dialog whenever it is moved.
const int kMaxLayoutPasses = 4;

}  // namespace

void CResizeDlg::InitResize(int minWidth, int minHeight) {
    if (minWidth != -1 && minHeight != -1)
        SetMinSize(minWidth, minHeight);
    if (m_initialWindowSize.cx != -1 || !m_hWnd)
        return;
    CRect client;
    CRect window;
    GetClientRect(client);
    GetWindowRect(window);
    m_initialClientSize = client.Size();
    m_initialWindowSize = window.Size();
}

void CResizeDlg::SetMinSize(int width, int height) { m_minSize = CSize(width, height); }

CRect CResizeDlg::ChildRect(HWND control) const {
    CRect rect;
    ::GetWindowRect(control, rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

CSize CResizeDlg::ClientGrowth() const {
    CRect client;
    GetClientRect(client);
    return CSize(client.Width() - m_initialClientSize.cx, client.Height() - m_initialClientSize.cy);
}

CResizeDlg::LayoutEntry CResizeDlg::TakeLayoutEntry(HWND control) {
    LayoutEntry entry;
    entry.window = control;
    auto found = std::find_if(m_layout.begin(), m_layout.end(),
                              [control](const LayoutEntry& existing) { return existing.window == control; });
    if (found != m_layout.end()) {
        entry = *found;
        m_layout.erase(found);
    }
    return entry;
}

void CResizeDlg::MoveXYRate(int id, int xRate, int yRate) { MoveXYRate(::GetDlgItem(m_hWnd, id), xRate, yRate); }

void CResizeDlg::SizeXYRate(int id, int widthRate, int heightRate) {
    SizeXYRate(::GetDlgItem(m_hWnd, id), widthRate, heightRate);
}

void CResizeDlg::MoveXYRate(HWND control, int xRate, int yRate) {
    Register(control, [&](LayoutEntry& entry, const CRect& rect, CSize growth) {
        entry.moves = true;
        entry.moveRate = CSize(xRate, yRate);
        entry.base = CPoint(rect.left - Share(growth.cx, xRate), rect.top - Share(growth.cy, yRate));
    });
}

void CResizeDlg::SizeXYRate(HWND control, int widthRate, int heightRate) {
    Register(control, [&](LayoutEntry& entry, const CRect& rect, CSize growth) {
        entry.sizes = true;
        entry.sizeRate = CSize(widthRate, heightRate);
        entry.baseSize =
            CSize(rect.Width() - Share(growth.cx, widthRate), rect.Height() - Share(growth.cy, heightRate));
    });
}

void CResizeDlg::Register(HWND control, const std::function<void(LayoutEntry&, const CRect&, CSize)>& fill) {
    // One dead handle in the batch would make the whole deferred move fail.
    if (!m_hWnd || !::IsChild(m_hWnd, control))
        return;
    InitResize(-1, -1);
    LayoutEntry entry = TakeLayoutEntry(control);
    fill(entry, ChildRect(control), ClientGrowth());
    m_layout.push_back(entry);
}

void CResizeDlg::OnSize(UINT type, int cx, int cy) {
    if (type == SIZE_MINIMIZED || m_initialClientSize.cx == -1 || m_layout.empty())
        return;
    if (m_layingOut) {
        m_layoutPending = true;
        return;
    }
    m_layingOut = true;
    for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
        m_layoutPending = false;
        ApplyLayout(ClientGrowth());
        if (!m_layoutPending)
            break;
    }
    m_layingOut = false;
    Invalidate(FALSE);
}

void CResizeDlg::ApplyLayout(CSize growth) {
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_layout.size()));
    for (const LayoutEntry& entry : m_layout) {
        if (!batch)
            return;
        if (!::IsWindow(entry.window))
            continue;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!entry.moves)
            flags |= SWP_NOMOVE;
        if (!entry.sizes)
            flags |= SWP_NOSIZE;
        const int x = entry.base.x + Share(growth.cx, entry.moveRate.cx);
        const int y = entry.base.y + Share(growth.cy, entry.moveRate.cy);
        const int width = std::max<int>(0, entry.baseSize.cx + Share(growth.cx, entry.sizeRate.cx));
        const int height = std::max<int>(0, entry.baseSize.cy + Share(growth.cy, entry.sizeRate.cy));
        batch = ::DeferWindowPos(batch, entry.window, nullptr, x, y, width, height, flags);
    }
    if (batch)
        ::EndDeferWindowPos(batch);
}

void CResizeDlg::OnGetMinMaxInfo(MINMAXINFO* info) {
    if (m_minSize.cx != -1 && m_minSize.cy != -1)
        info->ptMinTrackSize = CPoint(m_minSize.cx, m_minSize.cy);
    else if (m_initialWindowSize.cx != -1)
        info->ptMinTrackSize = CPoint(m_initialWindowSize.cx, m_initialWindowSize.cy);
    CRect window;
    GetWindowRect(window);
    LimitTrack(m_maxWidth, window.Width(), info->ptMinTrackSize.x, info->ptMaxTrackSize.x);
    LimitTrack(m_maxHeight, window.Height(), info->ptMinTrackSize.y, info->ptMaxTrackSize.y);
}
