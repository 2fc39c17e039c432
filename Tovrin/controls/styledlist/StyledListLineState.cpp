#include "StyledListCtrl.h"

namespace {

void SetOrErase(std::set<int>& columns, int column, bool set) {
    if (set)
        columns.insert(column);
    else
        columns.erase(column);
}

}  // namespace

template <typename Change>
void CStyledListCtrl::ChangeLine(int index, Change change) {
    StyledLineRecord* record = RecordAt(index);
    if (!record)
        return;
    change(*record);
    RedrawLine(index);
}

BOOL CStyledListCtrl::GetCheck(int index) const {
    const StyledLineRecord* record = RecordAt(index);
    return record && record->checked;
}

void CStyledListCtrl::SetCheck(int index, BOOL check) {
    ChangeLine(index, [check](StyledLineRecord& record) { record.checked = check != FALSE; });
}

void CStyledListCtrl::CheckAllItem() {
    for (auto& entry : m_records)
        entry.second->checked = true;
    RedrawAll();
}

void CStyledListCtrl::UncheckAllItem() {
    for (auto& entry : m_records)
        entry.second->checked = false;
    RedrawAll();
}

void CStyledListCtrl::SetCheckDisable(int index, bool disable) {
    ChangeLine(index, [disable](StyledLineRecord& record) { record.checkDisabled = disable; });
}

void CStyledListCtrl::SetTextColor(int index, COLORREF colour) {
    ChangeLine(index, [colour](StyledLineRecord& record) { record.textColour = colour; });
}

void CStyledListCtrl::SetTextColor(int index, int column, COLORREF colour) {
    ChangeLine(index, [=](StyledLineRecord& record) { record.columnTextColours[column] = colour; });
}

void CStyledListCtrl::ClearTextColor(int index) {
    ChangeLine(index, [](StyledLineRecord& record) { record.textColour.reset(); });
}

void CStyledListCtrl::ClearTextColor(int index, int column) {
    ChangeLine(index, [=](StyledLineRecord& record) { record.columnTextColours.erase(column); });
}

void CStyledListCtrl::SetBkgColor(int index, COLORREF colour) {
    ChangeLine(index, [colour](StyledLineRecord& record) { record.bkgColour = colour; });
}

void CStyledListCtrl::SetBkgColor(int index, int column, COLORREF colour) {
    ChangeLine(index, [=](StyledLineRecord& record) { record.columnBkgColours[column] = colour; });
}

void CStyledListCtrl::ClearBkgColor(int index) {
    ChangeLine(index, [](StyledLineRecord& record) { record.bkgColour.reset(); });
}

void CStyledListCtrl::ClearBkgColor(int index, int column) {
    ChangeLine(index, [=](StyledLineRecord& record) { record.columnBkgColours.erase(column); });
}

void CStyledListCtrl::SetBkgColumColor(int column, COLORREF colour) {
    m_columnBkgColours[column] = colour;
    RedrawAll();
}

void CStyledListCtrl::ClearBkgColumnColor(int column) {
    m_columnBkgColours.erase(column);
    RedrawAll();
}

void CStyledListCtrl::SetBold(int index, bool bold) {
    ChangeLine(index, [bold](StyledLineRecord& record) { record.bold = bold; });
}

void CStyledListCtrl::SetBold(int index, int column, bool bold) {
    ChangeLine(index, [=](StyledLineRecord& record) { SetOrErase(record.boldColumns, column, bold); });
}

void CStyledListCtrl::SetItalic(int index, bool italic) {
    ChangeLine(index, [italic](StyledLineRecord& record) { record.italic = italic; });
}

void CStyledListCtrl::SetItalic(int index, int column, bool italic) {
    ChangeLine(index, [=](StyledLineRecord& record) { SetOrErase(record.italicColumns, column, italic); });
}

void CStyledListCtrl::SetUnderline(int index, bool underline) {
    ChangeLine(index, [underline](StyledLineRecord& record) { record.underline = underline; });
}

void CStyledListCtrl::SetUnderline(int index, int column, bool underline) {
    ChangeLine(index, [=](StyledLineRecord& record) { SetOrErase(record.underlineColumns, column, underline); });
}

void CStyledListCtrl::SetCancel(int index, bool cancel) {
    ChangeLine(index, [cancel](StyledLineRecord& record) { record.cancel = cancel; });
}

void CStyledListCtrl::SetCustomSortWeight(int index, int weight) {
    ChangeLine(index, [weight](StyledLineRecord& record) { record.sortWeight = weight; });
}
