#include "StyledListCtrl.h"

#include <algorithm>

#include "CDC.h"
#include "GdiObjects.h"

namespace {

const COLORREF kFocusFrameColour = RGB(49, 107, 197);
const COLORREF kBorderColour = RGB(127, 157, 185);
// One pixel wide, 17 high: the small image list fixes the row height.
const int kRowImageWidth = 1;
const int kRowHeight = 17;

}  // namespace

CStyledListCtrl::CStyledListCtrl()
    : m_focusedColour(RGB(49, 108, 197)),
      m_normalTextColour(RGB(20, 20, 20)),
      m_selectedTextColour(RGB(255, 255, 255)),
      m_lastDrawnLine(-1),
      m_focusFrame(false),
      m_focusFrameColour(kFocusFrameColour),
      m_autoAdjust(false),
      m_showCheckBox(false),
      m_styledText(false),
      m_progressColumn(-1),
      m_pathColumn(-1),
      m_sortedColumn(-1),
      m_sortAscending(true),
      m_checkBoxLeft(0),
      m_checkBoxRight(0),
      m_pendingButtonCell(0),
      m_lastLineId(0),
      m_creating(false) {}

// The window goes while the records still exist: its last messages may look at them.
CStyledListCtrl::~CStyledListCtrl() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CStyledListCtrl::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                               const RECT& rect, CWnd* parent, UINT id) {
    // PreSubclassWindow runs from the creation hook, before the list exists to take messages.
    m_creating = true;
    const BOOL created = CListCtrl::CreateEx(exStyle, className, windowName, style, rect, parent, id);
    m_creating = false;
    if (created)
        SetUpWindow();
    return created;
}

void CStyledListCtrl::PreSubclassWindow() {
    if (!m_creating)
        SetUpWindow();
}

void CStyledListCtrl::SetUpWindow() {
    if (!GetImageList(LVSIL_SMALL)) {
        // Without LVS_SHAREIMAGELISTS the list destroys the image list with itself.
        HIMAGELIST rowHeight = ImageList_Create(kRowImageWidth, kRowHeight, ILC_COLOR24, 1, 0);
        if (rowHeight)
            SetImageList(rowHeight, LVSIL_SMALL);
    }
    MeasureRowsAgain();
    m_focusFrame = false;
    m_focusFrameColour = kFocusFrameColour;
    ModifyStyleEx(WS_EX_STATICEDGE, WS_EX_WINDOWEDGE);
    ModifyStyle(WS_CAPTION, WS_CLIPCHILDREN, SWP_FRAMECHANGED);
}

void CStyledListCtrl::MeasureRowsAgain() {
    // An owner-drawn list asks its parent for the row height (WM_MEASUREITEM, answered in
    // OnChildNotify) only when its size changes. Without the answer Wine makes the rows a pixel
    // taller than the small images.
    CRect window;
    GetWindowRect(&window);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + 1, flags);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), flags);
}

LRESULT CStyledListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LVM_INSERTITEMA:
        return InsertLine(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_DELETEITEM:
        return DeleteLine(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
        return DeleteAllLines();
    case LVM_GETITEMSTATE: {
        // The check is the control's own; it answers as a list with check boxes does, so
        // ListView_GetCheckState and other processes can read it.
        LRESULT state = Default();
        if (lParam & LVIS_STATEIMAGEMASK) {
            const int index = static_cast<int>(wParam);
            state = (state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(GetCheck(index) ? 2 : 1);
        }
        return state;
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, lParam);
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam));
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam);
    case WM_KEYDOWN:
    case WM_VSCROLL: {
        const LRESULT result = Default();
        NotifyParent(UM_NOTIFYLISTSCROLL, 0);
        return result;
    }
    case WM_SIZE:
        return OnSize();
    case WM_NCPAINT:
        return OnNcPaint();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocusChange();
    case WM_NCDESTROY: {
        const LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
        m_records.clear();
        return result;
    }
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

BOOL CStyledListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    int imageWidth = 0;
    int imageHeight = 0;
    if (message == WM_MEASUREITEM && ImageList_GetIconSize(GetImageList(LVSIL_SMALL), &imageWidth, &imageHeight)) {
        // The small image list sets the row height.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = imageHeight;
        *result = TRUE;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_hWnd && header->code == LVN_COLUMNCLICK) {
            SortByColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            *result = 0;
            return TRUE;
        }
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, result);
}

void CStyledListCtrl::NotifyParent(UINT message, LPARAM lParam) {
    const WPARAM sender = message == UM_NOTIFYLISTMOREDATA ? 0 : reinterpret_cast<WPARAM>(m_hWnd);
    ::PostMessageA(::GetParent(m_hWnd), message, sender, lParam);
}

void CStyledListCtrl::RedrawLine(int index) {
    if (m_hWnd)
        RedrawItems(index, index);
}

std::vector<CStyledListCtrl::Cell> CStyledListCtrl::CellsOfRow(const CRect& row) const {
    const int count = GetColumnCount();
    std::vector<int> order(count);
    if (count == 0 || !SendMessage(LVM_GETCOLUMNORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()))) {
        for (int column = 0; column < count; ++column)
            order[column] = column;
    }
    std::vector<Cell> cells;
    int left = row.left;
    for (int column : order) {
        const int width = GetColumnWidth(column);
        cells.push_back({column, CRect(left, row.top, left + width, row.bottom)});
        left += width;
    }
    return cells;
}

void CStyledListCtrl::InvalidateColumn(int column) {
    CRect row;
    if (column < 0 || GetItemCount() == 0 || !GetItemRect(0, &row, LVIR_BOUNDS))
        return;
    CRect client;
    GetClientRect(&client);
    for (const Cell& cell : CellsOfRow(row)) {
        if (cell.column == column)
            InvalidateRect(CRect(cell.rect.left, client.top, cell.rect.right, client.bottom), FALSE);
    }
}

LRESULT CStyledListCtrl::OnSize() {
    const LRESULT result = Default();
    InvalidateColumn(m_pathColumn);
    AdjustColumnWidth(false);
    return result;
}

void CStyledListCtrl::AdjustColumnWidth(bool force) {
    const int columns = GetColumnCount();
    if ((!force && !m_autoAdjust) || columns == 0)
        return;
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    for (int column = 0; column < columns - 1; ++column)
        width -= GetColumnWidth(column);
    const int lines = GetItemCount();
    CRect lastLine;
    if (lines > 0 && GetItemRect(lines - 1, &lastLine, LVIR_BOUNDS) && lastLine.bottom > client.bottom)
        width -= ::GetSystemMetrics(SM_CXVSCROLL);
    // Negative widths are the list's auto-size requests.
    SetColumnWidth(columns - 1, std::max(width, 0));
}

LRESULT CStyledListCtrl::OnNcPaint() {
    const LRESULT result = Default();
    if (!(GetStyle() & WS_BORDER))
        return result;
    CWindowDC dc(this);
    CRect frame;
    GetWindowRect(&frame);
    frame.OffsetRect(-frame.left, -frame.top);
    const bool focused = m_focusFrame && ::GetFocus() == m_hWnd;
    CBrush brush(focused ? m_focusFrameColour : kBorderColour);
    dc.FrameRect(frame, brush);
    if (focused) {
        frame.DeflateRect(1, 1);
        dc.FrameRect(frame, brush);
    }
    return result;
}

LRESULT CStyledListCtrl::OnFocusChange() {
    const LRESULT result = Default();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return result;
}

void CStyledListCtrl::SetFocusFrame(bool show, COLORREF colour) {
    m_focusFrame = show;
    m_focusFrameColour = colour;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void CStyledListCtrl::ShowCheckBox(bool show) {
    m_showCheckBox = show;
    RedrawAll();
}

void CStyledListCtrl::EnableStyledText(bool enable) {
    m_styledText = enable;
    RedrawAll();
}

void CStyledListCtrl::RedrawAll() {
    if (!m_hWnd)
        return;
    Invalidate();
    UpdateWindow();
}

void CStyledListCtrl::SetHeaderAlign(int column, int format) {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT;
    if (!GetColumn(column, &info))
        return;
    m_cellAlignment[column] = info.fmt;
    info.fmt = (info.fmt & ~LVCFMT_JUSTIFYMASK) | (format & LVCFMT_JUSTIFYMASK);
    SetColumn(column, &info);
}
