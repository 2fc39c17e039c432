#include <gtest/gtest.h>

#include "StyledListFixture.h"

TEST(StyledListWindow, SubclassedTemplateListLosesItsFramesAndGetsSeventeenPixelRows) {
    StyledListFixture window;
    HWND raw = ::CreateWindowExA(WS_EX_STATICEDGE, WC_LISTVIEWA, "",
                                 WS_CHILD | WS_BORDER | WS_DLGFRAME | LVS_REPORT | LVS_OWNERDRAWFIXED, 0, 0, 300, 200,
                                 window.host, reinterpret_cast<HMENU>(200), nullptr, nullptr);
    CStyledListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(raw));
    list.InsertColumn(0, "", LVCFMT_LEFT, 100);
    list.InsertItem(0, "a");

    EXPECT_EQ(0u, list.GetStyle() & WS_CAPTION);
    EXPECT_NE(0u, list.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(0u, list.GetExStyle() & WS_EX_STATICEDGE);
    CRect row;
    ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
    EXPECT_EQ(17, row.Height()) << "Wine alone would make it 18";
    EXPECT_NE(0u, list.GetLineID(0));
}

TEST(StyledListWindow, LastColumnTakesTheRestOfTheWidthLessTheScrollBarWhenLinesOverflow) {
    StyledListFixture window;
    window.AddLines(3);
    auto rest = [&] {
        CRect client;
        window.list.GetClientRect(&client);
        return client.Width() - 150 - 120;
    };
    window.list.AdjustColumnWidth(false);
    EXPECT_EQ(100, window.list.GetColumnWidth(2)) << "auto adjust is off";
    window.list.AdjustColumnWidth(true);
    EXPECT_EQ(rest(), window.list.GetColumnWidth(2));

    window.list.SetAutoAdjust(true);
    window.list.MoveWindow(10, 10, 200, 200);
    EXPECT_EQ(0, window.list.GetColumnWidth(2)) << "never negative";
    window.AddLines(40);
    window.list.MoveWindow(10, 10, 500, 200);
    EXPECT_EQ(rest() - ::GetSystemMetrics(SM_CXVSCROLL), window.list.GetColumnWidth(2));
}

// A shown window (the frame is painted on the window's own DC); hiding it costs Wine 2 s.
TEST(StyledListWindow, BorderIsBlueGreyAndTheFocusFrameTwoPixelsWhileFocused) {
    StyledListFixture window;
    window.list.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    window.list.SetFocusFrame(true, RGB(200, 30, 30));
    window.host.ShowWindow(SW_SHOW);
    PumpFor(100);
    HDC dc = ::GetWindowDC(window.list);
    const COLORREF border = ::GetPixel(dc, 5, 0);
    window.list.SetFocus();
    PumpFor(100);
    const COLORREF focused[] = {::GetPixel(dc, 5, 0), ::GetPixel(dc, 5, 1)};
    ::ReleaseDC(window.list, dc);

    EXPECT_EQ(RGB(127, 157, 185), border);
    EXPECT_EQ(RGB(200, 30, 30), focused[0]);
    EXPECT_EQ(RGB(200, 30, 30), focused[1]);
}
