#pragma once
#include <windows.h>

#include <vector>

#include "Controls.h"
#include "PLScriptText.h"
#include "TovrinApi.h"

// An owner-drawn list box (LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE, LBS_HASSTRINGS, single
// selection) with a check box before every item and separator items between them.
// Check states: 0 unchecked, 1 checked, -1 third state, -2 separator. A change made by the user
// posts kCheckChangeMessage to the parent: wParam the list's control id, lParam the item
// index (low word) | 0x10000.
class TOVRIN_API CCheckListBoxEx : public CListBox {
public:
    // Enumerators: static data members of an exported class are imported and cannot be used
    // by reference (EXPECT_EQ, std::max) from other modules.
    enum : UINT { kCheckChangeMessage = 0x3345 };
    enum CheckState { kThirdState = -1, kSeparator = -2 };

    CCheckListBoxEx();

    // A separator: drawn as a line, never checked, skipped by the selection. Only a list with
    // LBS_OWNERDRAWVARIABLE gives it its own (smaller) height.
    int AddSeperator();
    // state 0, 1 or -1; returns the state the item has afterwards, 0 for a bad index.
    // Separators keep their state.
    int SetCheck(int index, int state);
    int GetCheck(int index) const;
    void CheckAllItem() { SetAllItems(1); }
    void UncheckAllItem() { SetAllItems(0); }
    // Whether a click or Space takes the item through the third state (0 -> -1 -> 1 -> 0).
    void EnableThirdState(int index, bool enable);

    void ShowCheckBox(bool show);
    void EnableStyledText(bool enable);
    // The checks follow the selection: only the selected item is checked; Space does nothing.
    void SetSingleSelectMode(bool single) { m_singleSelect = single; }
    int FindItemData(DWORD_PTR data) const;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;

private:
    struct ItemRecord {
        int state = 0;
        bool thirdState = false;
    };

    bool IsItem(int index) const { return index >= 0 && index < static_cast<int>(m_records.size()); }
    bool IsSeparator(int index) const { return IsItem(index) && m_records[index].state == kSeparator; }
    void SetAllItems(int state);
    void RedrawItem(int index);
    void ChangeByUser(int index, int state);
    void CheckOnly(int index);
    void OnLButtonDown(LPARAM lParam);
    void OnKeyDown(WPARAM key);
    int SkipSeparators(int index, int direction) const;
    CRect CheckBoxRect(const CRect& item) const;

    std::vector<ItemRecord> m_records;  // parallel to the list's items
    bool m_styledText;
    bool m_showCheckBox;
    bool m_singleSelect;
    CPLScriptText m_script;
};
