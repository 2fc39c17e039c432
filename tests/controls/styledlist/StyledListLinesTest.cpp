#include <gtest/gtest.h>

#include <set>

#include "StyledListFixture.h"

TEST(StyledListLines, IdsStayWithTheirLinesThroughDeletesAndSorts) {
    StyledListFixture window;
    window.AddLines(10);
    std::vector<DWORD> ids;
    for (int i = 0; i < 10; ++i)
        ids.push_back(window.list.GetLineID(i));
    EXPECT_EQ(10u, std::set<DWORD>(ids.begin(), ids.end()).size());
    EXPECT_EQ(0u, window.list.GetLineID(10));

    ASSERT_TRUE(window.list.DeleteItem(3));
    EXPECT_EQ(4, window.list.GetLineIndex(ids[5]));
    EXPECT_EQ(-1, window.list.GetLineIndex(ids[3]));

    for (int i = 0; i < 9; ++i)
        window.list.SetCustomSortWeight(i, -i);
    window.list.PerformSortByCustomSortWeight();
    EXPECT_EQ(0, window.list.GetLineIndex(ids[9]));
    EXPECT_STREQ("item5", window.list.GetItemText(window.list.GetLineIndex(ids[5]), 0));
}

TEST(StyledListLines, RecordsAreFreedExactlyOnceWhateverRemovesTheLine) {
    const long before = StyledLineRecord::LiveCount();
    {
        StyledListFixture window;
        window.AddLines(10);
        EXPECT_EQ(before + 10, StyledLineRecord::LiveCount());
        window.list.DeleteItem(0);
        window.list.SendMessage(LVM_DELETEITEM, 0);
        EXPECT_FALSE(window.list.DeleteItem(42));
        EXPECT_EQ(before + 8, StyledLineRecord::LiveCount());
        window.Select({1, 4});
        window.list.DeleteSelectedItem();
        EXPECT_EQ(before + 6, StyledLineRecord::LiveCount());
        window.list.DeleteAllItems();
        EXPECT_EQ(before, StyledLineRecord::LiveCount());
        window.AddLines(4);
    }
    EXPECT_EQ(before, StyledLineRecord::LiveCount()) << "the lines left when the list is destroyed";
}

TEST(StyledListLines, ItemDataLivesInTheRecordAndNoSelectionGivesAllBitsSet) {
    StyledListFixture window;
    window.list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "a", 0, 0, 0, 1234);
    window.AddLines(3);
    window.list.SetItemData(3, 77);

    EXPECT_EQ(1234u, window.list.GetItemData(0));
    EXPECT_EQ(0u, window.list.GetItemData(1));
    EXPECT_FALSE(window.list.SetItemData(9, 5));
    EXPECT_EQ(0xFFFFFFFFu, window.list.GetSelectedItemData());
    EXPECT_EQ(0xFFFFFFFFu, window.list.GetFocusedItemData());

    window.Select({0, 3});
    CDWordArray data;
    data.Add(5);  // appended to
    EXPECT_EQ(2, window.list.GetSelectedItemData(data));
    ASSERT_EQ(3, data.GetSize());
    EXPECT_EQ(1234u, data[1]);
    EXPECT_EQ(77u, data[2]);
    window.list.SelectClear();
    EXPECT_EQ(-1, window.list.GetSelectedIndex());
}

TEST(StyledListLines, TheCheckAnswersAsTheStateImageOfAListWithCheckBoxes) {
    StyledListFixture window;
    window.list.ShowCheckBox(true);
    window.AddLines(2);
    window.list.SetCheck(1, TRUE);

    EXPECT_FALSE(ListView_GetCheckState(window.list.GetSafeHwnd(), 0));
    EXPECT_TRUE(ListView_GetCheckState(window.list.GetSafeHwnd(), 1));
    window.list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | INDEXTOSTATEIMAGEMASK(2)),
              window.list.GetItemState(1, LVIS_SELECTED | LVIS_STATEIMAGEMASK));
}
