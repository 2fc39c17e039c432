#include "CheckListBoxEx.h"

#include <windowsx.h>


namespace {

const UINT kItemHeight = 17;
const UINT kSeparatorHeight = 5;
const int kBoxSize = 13;
const int kBoxMargin = 2;
const int kTextGap = 4;
const LPARAM kChangeFlag = 0x10000;
const DWORD kWhiteTextState = 0x6;  // styled text drawn white on the highlight

int NextState(int state, bool thirdState) {
    if (state == 1)
        return 0;
    if (state == 0 && thirdState)
        return CCheckListBoxEx::kThirdState;
    return 1;
}

UINT BoxFlags(int state) {
    if (state == CCheckListBoxEx::kThirdState)
        return DFCS_BUTTON3STATE | DFCS_CHECKED;
    return DFCS_BUTTONCHECK | (state == 1 ? DFCS_CHECKED : 0);
}

}  // namespace

CCheckListBoxEx::CCheckListBoxEx() : m_styledText(false), m_showCheckBox(true), m_singleSelect(false) {}

void CCheckListBoxEx::PreSubclassWindow() {
    // A list made from a template measured its items before it was ours.
    if (GetStyle() & LBS_OWNERDRAWFIXED)
        SetItemHeight(0, kItemHeight);
    m_records.assign(GetCount() > 0 ? GetCount() : 0, ItemRecord());
}

int CCheckListBoxEx::AddSeperator() {
    const int index = AddString("");
    if (!IsItem(index))
        return index;
    m_records[index].state = kSeparator;
    if (GetStyle() & LBS_OWNERDRAWVARIABLE)
        SetItemHeight(index, kSeparatorHeight);
    RedrawItem(index);
    return index;
}

int CCheckListBoxEx::SetCheck(int index, int state) {
    if (!IsItem(index))
        return 0;
    ItemRecord& record = m_records[index];
    if (record.state == kSeparator || state < kThirdState || state > 1)
        return record.state;
    record.state = state;
    RedrawItem(index);
    return state;
}

int CCheckListBoxEx::GetCheck(int index) const { return IsItem(index) ? m_records[index].state : 0; }

void CCheckListBoxEx::EnableThirdState(int index, bool enable) {
    if (IsItem(index))
        m_records[index].thirdState = enable;
}

void CCheckListBoxEx::SetAllItems(int state) {
    for (ItemRecord& record : m_records)
        if (record.state != kSeparator)
            record.state = state;
    Invalidate(FALSE);
}

void CCheckListBoxEx::ShowCheckBox(bool show) {
    m_showCheckBox = show;
    Invalidate(FALSE);
}

void CCheckListBoxEx::EnableStyledText(bool enable) {
    m_styledText = enable;
    Invalidate(FALSE);
}

int CCheckListBoxEx::FindItemData(DWORD_PTR data) const {
    const int count = GetCount();
    for (int index = 0; index < count; ++index)
        if (GetItemData(index) == data)
            return index;
    return LB_ERR;
}

void CCheckListBoxEx::RedrawItem(int index) {
    CRect rect;
    if (GetItemRect(index, rect) != LB_ERR)
        InvalidateRect(rect, FALSE);
}

void CCheckListBoxEx::ChangeByUser(int index, int state) {
    m_records[index].state = state;
    RedrawItem(index);
    ::PostMessageA(::GetParent(m_hWnd), kCheckChangeMessage, GetDlgCtrlID(), (index & 0xFFFF) | kChangeFlag);
}

void CCheckListBoxEx::CheckOnly(int index) {
    bool changed = false;
    for (int other = 0; other < static_cast<int>(m_records.size()); ++other) {
        ItemRecord& record = m_records[other];
        const int state = other == index ? 1 : 0;
        if (record.state == kSeparator || record.state == state)
            continue;
        record.state = state;
        RedrawItem(other);
        changed = true;
    }
    if (changed)
        ChangeByUser(index, 1);
}

int CCheckListBoxEx::SkipSeparators(int index, int direction) const {
    for (int step : {direction, -direction}) {
        for (int candidate = index; IsItem(candidate); candidate += step)
            if (!IsSeparator(candidate))
                return candidate;
    }
    return LB_ERR;
}

CRect CCheckListBoxEx::CheckBoxRect(const CRect& item) const {
    const int top = item.top + (item.Height() - kBoxSize) / 2;
    return CRect(item.left + kBoxMargin, top, item.left + kBoxMargin + kBoxSize, top + kBoxSize);
}

LRESULT CCheckListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        // Records follow the list's own items, whoever adds or removes them.
        const LRESULT index = CListBox::WindowProc(message, wParam, lParam);
        if (index >= 0 && index <= static_cast<LRESULT>(m_records.size()))
            m_records.insert(m_records.begin() + index, ItemRecord());
        return index;
    }
    case LB_DELETESTRING: {
        const LRESULT left = CListBox::WindowProc(message, wParam, lParam);
        if (left != LB_ERR && IsItem(static_cast<int>(wParam)))
            m_records.erase(m_records.begin() + wParam);
        return left;
    }
    case LB_RESETCONTENT:
        m_records.clear();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        if (wParam == ' ')
            return 0;  // not a type-ahead search for an item starting with a space
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBoxEx::OnLButtonDown(LPARAM lParam) {
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    BOOL outside = TRUE;
    const int index = static_cast<int>(ItemFromPoint(point, outside));
    if (!outside && IsSeparator(index))
        return;
    Default();
    if (outside || !IsItem(index))
        return;
    if (m_singleSelect) {
        CheckOnly(index);
        return;
    }
    CRect item;
    if (m_showCheckBox && GetItemRect(index, item) != LB_ERR && CheckBoxRect(item).PtInRect(point))
        ChangeByUser(index, NextState(m_records[index].state, m_records[index].thirdState));
}

void CCheckListBoxEx::OnKeyDown(WPARAM key) {
    if (key == VK_SPACE) {
        const int selected = GetCurSel();
        if (!m_singleSelect && IsItem(selected) && !IsSeparator(selected))
            ChangeByUser(selected, NextState(m_records[selected].state, m_records[selected].thirdState));
        return;
    }
    const int before = GetCurSel();
    Default();
    int after = GetCurSel();
    if (IsSeparator(after)) {
        after = SkipSeparators(after, after >= before ? 1 : -1);
        SetCurSel(after);
        // The list already announced the separator; the parent must hear where it ended.
        if (GetStyle() & LBS_NOTIFY)
            ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(m_hWnd));
    }
    if (m_singleSelect && after != before && IsItem(after))
        CheckOnly(after);
}

void CCheckListBoxEx::MeasureItem(LPMEASUREITEMSTRUCT item) { item->itemHeight = kItemHeight; }

void CCheckListBoxEx::DrawItem(LPDRAWITEMSTRUCT item) {
    const CRect rect(item->rcItem);
    const int index = static_cast<int>(item->itemID);
    if (!IsItem(index)) {
        if (item->itemState & ODS_FOCUS)
            ::DrawFocusRect(item->hDC, rect);
        return;
    }
    const bool selected = (item->itemState & ODS_SELECTED) != 0 && !IsSeparator(index);
    ::FillRect(item->hDC, rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (IsSeparator(index)) {
        const CRect line(rect.left + kBoxMargin, rect.top + rect.Height() / 2, rect.right - kBoxMargin,
                         rect.top + rect.Height() / 2 + 1);
        ::FillRect(item->hDC, line, ::GetSysColorBrush(COLOR_GRAYTEXT));
        return;
    }

    CRect text(rect);
    text.left += kBoxMargin;
    if (m_showCheckBox) {
        CRect box = CheckBoxRect(rect);
        ::DrawFrameControl(item->hDC, box, DFC_BUTTON, BoxFlags(m_records[index].state));
        text.left = box.right + kTextGap;
    }
    CString caption;
    GetText(index, caption);
    if (m_styledText) {
        m_script.SetScript(m_hWnd, caption);
        text.top += (text.Height() - m_script.GetSize().cy) / 2;
        m_script.Draw(item->hDC, text, selected ? kWhiteTextState : 0);
    } else {
        const COLORREF oldColour = ::SetTextColor(item->hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int oldMode = ::SetBkMode(item->hDC, TRANSPARENT);
        ::DrawTextA(item->hDC, caption, caption.GetLength(), text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::SetBkMode(item->hDC, oldMode);
        ::SetTextColor(item->hDC, oldColour);
    }
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(item->hDC, rect);
}
