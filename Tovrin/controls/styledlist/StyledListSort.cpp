#include <unordered_map>

#include "NaturalCompare.h"
#include "StyledListCtrl.h"

namespace {

// The list hands the comparison the lines' own item data (their records); the keys are
// gathered before sorting.
template <typename Key>
struct SortKeys {
    std::unordered_map<LPARAM, Key> keys;
    bool ascending = true;

    // No exception may leave a callback of the list.
    Key Of(LPARAM line) const {
        const auto found = keys.find(line);
        return found == keys.end() ? Key() : found->second;
    }
};

int CALLBACK CompareTexts(LPARAM a, LPARAM b, LPARAM context) {
    const auto* sort = reinterpret_cast<const SortKeys<CString>*>(context);
    const int order = NaturalCompare(sort->Of(a), sort->Of(b));
    return sort->ascending ? order : -order;
}

int CALLBACK CompareWeights(LPARAM a, LPARAM b, LPARAM context) {
    const auto* sort = reinterpret_cast<const SortKeys<int>*>(context);
    const int weightA = sort->Of(a);
    const int weightB = sort->Of(b);
    return weightA < weightB ? -1 : (weightA > weightB ? 1 : 0);
}

}  // namespace

void CStyledListCtrl::SortByColumn(int column) {
    // The first click on a column sorts it descending; each further click flips the order.
    m_sortAscending = column == m_sortedColumn ? !m_sortAscending : false;
    m_sortedColumn = column;
    SortKeys<CString> sort;
    sort.ascending = m_sortAscending;
    for (int index = 0; index < GetItemCount(); ++index)
        sort.keys[static_cast<LPARAM>(CListCtrl::GetItemData(index))] = GetItemText(index, column);
    SortItems(&CompareTexts, reinterpret_cast<DWORD_PTR>(&sort));
    Invalidate();
}

void CStyledListCtrl::PerformSortByCustomSortWeight() {
    SortKeys<int> sort;
    for (int index = 0; index < GetItemCount(); ++index) {
        const StyledLineRecord* record = RecordAt(index);
        sort.keys[static_cast<LPARAM>(CListCtrl::GetItemData(index))] = record ? record->sortWeight : 0;
    }
    SortItems(&CompareWeights, reinterpret_cast<DWORD_PTR>(&sort));
    Invalidate();
}
