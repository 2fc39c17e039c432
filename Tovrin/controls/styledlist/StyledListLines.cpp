#include <new>

#include "StyledListCtrl.h"

namespace {
const DWORD kNoLine = 0xFFFFFFFF;
}

LRESULT CStyledListCtrl::InsertLine(const LVITEMA* requested) {
    if (!requested)
        return Default();
    // Ids come from a counter: a record's address does not fit in 32 bits on 64-bit Windows.
    std::unique_ptr<StyledLineRecord> record(new (std::nothrow) StyledLineRecord(NextLineId()));
    if (!record)
        return Default();
    LVITEMA item = *requested;
    if (item.mask & LVIF_PARAM)
        record->itemData = static_cast<DWORD>(item.lParam);
    item.mask |= LVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(record.get());
    // In the map before the insertion: the list's notifications may already ask for it.
    const LPARAM key = item.lParam;
    m_records.emplace(key, std::move(record));
    const LRESULT index = DefWindowProc(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (index < 0)
        m_records.erase(key);
    return index;
}

LRESULT CStyledListCtrl::DeleteLine(int index) {
    const auto key = static_cast<LPARAM>(CListCtrl::GetItemData(index));
    const LRESULT deleted = Default();
    if (!deleted)
        return deleted;
    m_records.erase(key);
    if (m_lastDrawnLine >= 0)
        --m_lastDrawnLine;
    Invalidate();
    return deleted;
}

LRESULT CStyledListCtrl::DeleteAllLines() {
    const LRESULT deleted = Default();
    if (deleted) {
        m_records.clear();
        m_lastDrawnLine = -1;
    }
    return deleted;
}

StyledLineRecord* CStyledListCtrl::RecordOfParam(LPARAM param) const {
    const auto found = m_records.find(param);
    return found == m_records.end() ? nullptr : found->second.get();
}

StyledLineRecord* CStyledListCtrl::RecordAt(int index) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? RecordOfParam(item.lParam) : nullptr;
}

DWORD CStyledListCtrl::NextLineId() {
    if (++m_lastLineId == 0)
        ++m_lastLineId;
    return m_lastLineId;
}

DWORD CStyledListCtrl::GetItemData(int index) const {
    const StyledLineRecord* record = RecordAt(index);
    return record ? record->itemData : 0;
}

BOOL CStyledListCtrl::SetItemData(int index, DWORD data) {
    StyledLineRecord* record = RecordAt(index);
    if (!record)
        return FALSE;
    record->itemData = data;
    return TRUE;
}

DWORD CStyledListCtrl::GetLineID(int index) const {
    const StyledLineRecord* record = RecordAt(index);
    return record ? record->lineId : 0;
}

int CStyledListCtrl::GetLineIndex(DWORD lineId) const {
    for (const auto& entry : m_records) {
        if (entry.second->lineId != lineId)
            continue;
        LVFINDINFOA find{};
        find.flags = LVFI_PARAM;
        find.lParam = entry.first;
        return FindItem(&find);
    }
    return -1;
}

void CStyledListCtrl::DeleteSelectedItem() {
    // From the end, so that the indexes still to visit do not move.
    for (int index = GetItemCount() - 1; index >= 0; --index) {
        if (GetItemState(index, LVIS_SELECTED) & LVIS_SELECTED)
            DeleteItem(index);
    }
}

void CStyledListCtrl::SelectClear() {
    // Index -1: every line.
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

int CStyledListCtrl::GetSelectedIndex() const { return GetNextItem(-1, LVNI_SELECTED); }

int CStyledListCtrl::GetSelectedIndex(CDWordArray& indexes) const {
    int count = 0;
    for (int index = GetNextItem(-1, LVNI_SELECTED); index >= 0; index = GetNextItem(index, LVNI_SELECTED)) {
        indexes.Add(static_cast<DWORD>(index));
        ++count;
    }
    return count;
}

DWORD CStyledListCtrl::GetSelectedItemData() const {
    const int index = GetSelectedIndex();
    return index < 0 ? kNoLine : GetItemData(index);
}

int CStyledListCtrl::GetSelectedItemData(CDWordArray& data) const {
    int count = 0;
    for (int index = GetNextItem(-1, LVNI_SELECTED); index >= 0; index = GetNextItem(index, LVNI_SELECTED)) {
        data.Add(GetItemData(index));
        ++count;
    }
    return count;
}

int CStyledListCtrl::GetFocusedIndex() const { return GetNextItem(-1, LVNI_FOCUSED); }

DWORD CStyledListCtrl::GetFocusedItemData() const {
    const int index = GetFocusedIndex();
    return index < 0 ? kNoLine : GetItemData(index);
}
