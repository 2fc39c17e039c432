#include "StyledListCells.h"
#include "StyledListCtrl.h"

namespace {

const UINT_PTR kButtonClickTimer = 0x8136;
const UINT kButtonClickDelay = 10;
const int kWheelLines = 3;
// A click this close to a cell's edge is not a click on its button.
const int kCellEdgeX = 2;
const int kCellEdgeY = 1;
// Ctrl+A as a character.
const WPARAM kControlA = 1;

// Signed: a point left of or above the client area is negative.
CPoint PointOf(LPARAM position) {
    return CPoint(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
}

}  // namespace

LRESULT CStyledListCtrl::OnLButtonDown(WPARAM keys, LPARAM position) {
    const CPoint point = PointOf(position);
    const int index = HitTest(point);
    if (index >= 0) {
        ToggleCheckAt(index, point.x);
        NotifyCellClick(index, point, keys, position);
    }
    return Default();
}

void CStyledListCtrl::ToggleCheckAt(int index, int x) {
    if (!m_showCheckBox || x < m_checkBoxLeft || x >= m_checkBoxRight)
        return;
    StyledLineRecord* record = RecordAt(index);
    if (!record || record->checkDisabled)
        return;
    record->checked = !record->checked;
    RedrawLine(index);
    NotifyParent(UM_NOTIFYLISTCHECK, index);
}

void CStyledListCtrl::NotifyCellClick(int index, CPoint point, WPARAM keys, LPARAM position) {
    CRect row;
    if (!GetItemRect(index, &row, LVIR_BOUNDS))
        return;
    for (const Cell& cell : CellsOfRow(row)) {
        if (!cell.rect.PtInRect(point))
            continue;
        const LPARAM where = MAKELPARAM(index, cell.column);
        NotifyParent(UM_NOTIFYLISTCLICK, where);
        CRect inner(cell.rect);
        inner.DeflateRect(kCellEdgeX, kCellEdgeY);
        if (inner.PtInRect(point) && StyledListCells::IsButton(GetItemText(index, cell.column))) {
            // The button coming up at once keeps the list from waiting for a drag.
            PostMessage(WM_LBUTTONUP, keys & ~MK_LBUTTON, position);
            m_pendingButtonCell = static_cast<DWORD>(where);
            SetTimer(kButtonClickTimer, kButtonClickDelay);
        }
        return;
    }
}

LRESULT CStyledListCtrl::OnTimer(UINT_PTR id) {
    if (id != kButtonClickTimer)
        return Default();
    KillTimer(id);
    NotifyParent(UM_NOTIFYLISTBTNCLICK, m_pendingButtonCell);
    return 0;
}

LRESULT CStyledListCtrl::OnMouseWheel(WPARAM wParam) {
    // Three lines per message whatever the delta: some mice send several notches at once.
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    CRect row;
    if (delta == 0 || GetItemCount() == 0 || !GetItemRect(0, &row, LVIR_BOUNDS))
        return 0;
    Scroll(CSize(0, (delta > 0 ? -kWheelLines : kWheelLines) * row.Height()));
    NotifyParent(UM_NOTIFYLISTSCROLL, 0);
    return 0;
}

BOOL CStyledListCtrl::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd != m_hWnd || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP && msg->message != WM_CHAR))
        return CListCtrl::PreTranslateMessage(msg);
    if (msg->wParam == VK_RIGHT)
        return TRUE;
    if (IsSelectAllKey(*msg)) {
        if (msg->message == WM_KEYDOWN)
            SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
        return TRUE;
    }
    if (msg->wParam == VK_SPACE && m_showCheckBox) {
        // Space belongs to the checks: the list's own handling would narrow the selection to the
        // focused line, and the next Space would toggle that line alone.
        if (msg->message == WM_KEYDOWN)
            ToggleSelectedChecks();
        return TRUE;
    }
    return FALSE;
}

bool CStyledListCtrl::IsSelectAllKey(const MSG& msg) const {
    if ((GetStyle() & LVS_SINGLESEL) || ::GetKeyState(VK_CONTROL) >= 0)
        return false;
    return msg.message == WM_CHAR ? msg.wParam == kControlA : msg.wParam == 'A';
}

void CStyledListCtrl::ToggleSelectedChecks() {
    for (int index = GetNextItem(-1, LVNI_SELECTED); index >= 0; index = GetNextItem(index, LVNI_SELECTED)) {
        StyledLineRecord* record = RecordAt(index);
        if (record && !record->checkDisabled) {
            record->checked = !record->checked;
            RedrawLine(index);
        }
    }
}
