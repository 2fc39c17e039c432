#include <gtest/gtest.h>

#include "StyledListFixture.h"

namespace {

CString ColumnTexts(const CStyledListCtrl& list, int column) {
    CString texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts += list.GetItemText(i, column) + " ";
    return texts;
}

// Presses and releases the mouse on the header item, as a user does.
void ClickHeader(const CStyledListCtrl& list, int column) {
    CRect item;
    ::SendMessageA(list.GetHeaderCtrl(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    const LPARAM position = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
    ::SendMessageA(list.GetHeaderCtrl(), WM_LBUTTONDOWN, MK_LBUTTON, position);
    ::SendMessageA(list.GetHeaderCtrl(), WM_LBUTTONUP, 0, position);
}

}  // namespace

TEST(StyledListSort, FirstHeaderClickOnAColumnSortsDescendingAndTheNextFlipsIt) {
    StyledListFixture window;
    for (const char* text : {"item2", "item10", "item1"})
        window.list.InsertItem(window.list.GetItemCount(), text);
    window.list.SetCheck(0, TRUE);
    const char* states[] = {"b", "a", "c"};
    for (int i = 0; i < 3; ++i)
        window.list.SetItemText(i, 1, states[i]);

    ClickHeader(window.list, 0);
    EXPECT_STREQ("item10 item2 item1 ", ColumnTexts(window.list, 0));
    EXPECT_TRUE(window.list.GetCheck(1)) << "the check moves with its line";
    ClickHeader(window.list, 0);
    EXPECT_STREQ("item1 item2 item10 ", ColumnTexts(window.list, 0));
    ClickHeader(window.list, 1);
    EXPECT_STREQ("c b a ", ColumnTexts(window.list, 1));
    ClickHeader(window.list, 0);
    EXPECT_STREQ("item10 item2 item1 ", ColumnTexts(window.list, 0));
}

TEST(StyledListSort, CustomWeightsSortAscendingWithZeroForUnweightedLines) {
    StyledListFixture window;
    window.AddLines(4);
    window.list.SetCustomSortWeight(0, 5);
    window.list.SetCustomSortWeight(1, -1);
    window.list.SetCustomSortWeight(3, 3);

    window.list.PerformSortByCustomSortWeight();

    EXPECT_STREQ("item1 item2 item3 item0 ", ColumnTexts(window.list, 0));
}
