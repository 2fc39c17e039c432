#include <gtest/gtest.h>

#include "StyledListFixture.h"

namespace {

CPoint CheckBoxOf(const StyledListFixture& window, int line) {
    return CPoint(12, window.CellRect(line, 0).CenterPoint().y);
}

MSG KeyMessage(HWND window, UINT message, WPARAM key) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = key;
    return msg;
}

void ExpectReport(const StyledListHost::Notification& report, UINT message, LPARAM lParam, HWND list) {
    EXPECT_EQ(message, report.message);
    EXPECT_EQ(lParam, report.lParam) << "message " << std::hex << message;
    EXPECT_EQ(reinterpret_cast<WPARAM>(list), report.wParam);
}

}  // namespace

TEST(StyledListInput, ClickOnTheBoxTogglesTheCheckAndReportsCheckThenCell) {
    StyledListFixture window;
    window.AddLines(4);
    window.list.ShowCheckBox(true);
    window.Paint();

    window.Click(CheckBoxOf(window, 2));
    window.Click(CPoint(19, window.CellRect(1, 0).CenterPoint().y));  // just right of the box

    EXPECT_TRUE(window.list.GetCheck(2));
    EXPECT_FALSE(window.list.GetCheck(1));
    const auto reports = window.Reports();
    ASSERT_EQ(3u, reports.size());
    ExpectReport(reports[0], UM_NOTIFYLISTCHECK, 2, window.list);
    ExpectReport(reports[1], UM_NOTIFYLISTCLICK, MAKELPARAM(2, 0), window.list);
    ExpectReport(reports[2], UM_NOTIFYLISTCLICK, MAKELPARAM(1, 0), window.list);
}

TEST(StyledListInput, DisabledChecksIgnoreClickAndSpaceButTheClickIsReported) {
    StyledListFixture window;
    window.AddLines(5);
    window.list.ShowCheckBox(true);
    window.list.SetCheckDisable(2, true);
    window.list.SetCheck(3, TRUE);
    window.Paint();

    window.Click(CheckBoxOf(window, 2));
    window.Select({1, 2, 3});
    window.list.PostMessage(WM_KEYDOWN, VK_SPACE, 0);
    PumpFor(30);

    const bool expected[] = {false, true, false, false, false};
    for (int line = 0; line < 5; ++line)
        EXPECT_EQ(expected[line], window.list.GetCheck(line) != FALSE) << "line " << line;
    EXPECT_EQ(0, window.host.CountOf(UM_NOTIFYLISTCHECK)) << "neither the disabled click nor Space";
    ASSERT_EQ(1, window.host.CountOf(UM_NOTIFYLISTCLICK));
    EXPECT_EQ(MAKELPARAM(2, 0), window.Reports()[0].lParam);
}

TEST(StyledListInput, SpaceTogglesEverySelectedLineAndKeepsTheSelection) {
    StyledListFixture window;
    window.AddLines(5);
    window.list.ShowCheckBox(true);
    window.list.SetCheck(3, TRUE);
    window.Paint();
    window.Select({1, 3, 4});

    for (int press = 0; press < 2; ++press) {
        window.list.PostMessage(WM_KEYDOWN, VK_SPACE, 0);
        window.list.PostMessage(WM_CHAR, VK_SPACE, 0);
        window.list.PostMessage(WM_KEYUP, VK_SPACE, 0);
        PumpFor(30);
        const bool afterFirst[] = {false, true, false, false, true};
        for (int line = 0; line < 5; ++line)
            EXPECT_EQ(press == 0 ? afterFirst[line] : line == 3, window.list.GetCheck(line) != FALSE)
                << "press " << press << ", line " << line;
        EXPECT_EQ(3u, window.list.GetSelectedCount());
    }
}

TEST(StyledListInput, ButtonCellClickFollowsTheCellClickUnlessAtTheCellEdge) {
    StyledListFixture window;
    window.AddLines(3);
    window.list.SetItemText(1, 2, "\nBTN=Run");
    window.list.SetItemText(2, 2, "\nXYZ=a");
    const CRect edge = window.CellRect(1, 2);

    window.Click(CPoint(edge.left + 1, edge.CenterPoint().y));
    window.Click(window.CellRect(1, 2).CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return window.host.CountOf(UM_NOTIFYLISTBTNCLICK) == 1; }));
    window.Click(window.CellRect(2, 2).CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return window.host.CountOf(UM_NOTIFYLISTBTNCLICK) == 2; }));

    const auto reports = window.Reports();
    ASSERT_EQ(5u, reports.size());
    ExpectReport(reports[0], UM_NOTIFYLISTCLICK, MAKELPARAM(1, 2), window.list);
    ExpectReport(reports[1], UM_NOTIFYLISTCLICK, MAKELPARAM(1, 2), window.list);
    ExpectReport(reports[2], UM_NOTIFYLISTBTNCLICK, MAKELPARAM(1, 2), window.list);
    ExpectReport(reports[3], UM_NOTIFYLISTCLICK, MAKELPARAM(2, 2), window.list);
    ExpectReport(reports[4], UM_NOTIFYLISTBTNCLICK, MAKELPARAM(2, 2), window.list);
}

TEST(StyledListInput, RightArrowIsSwallowedAndControlASelectsEveryLine) {
    StyledListFixture window;
    window.AddLines(4);
    for (UINT message : {WM_KEYDOWN, WM_KEYUP, WM_CHAR}) {
        MSG right = KeyMessage(window.list, message, VK_RIGHT);
        EXPECT_TRUE(window.list.PreTranslateMessage(&right));
    }
    window.list.PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    PumpFor(30);
    EXPECT_EQ(1, window.host.CountOf(UM_NOTIFYLISTSCROLL)) << "a key press the list handled";

    MSG controlA = KeyMessage(window.list, WM_KEYDOWN, 'A');
    EXPECT_FALSE(window.list.PreTranslateMessage(&controlA)) << "without Ctrl";
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(window.list.PreTranslateMessage(&controlA));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(4u, window.list.GetSelectedCount());
}

TEST(StyledListInput, EveryWheelMessageScrollsThreeLinesItsWay) {
    StyledListFixture window;
    window.AddLines(60);

    window.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    EXPECT_EQ(3, window.list.GetTopIndex());
    window.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)));
    EXPECT_EQ(6, window.list.GetTopIndex());
    window.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 40));
    EXPECT_EQ(3, window.list.GetTopIndex());
    PumpFor(20);
    EXPECT_EQ(3, window.host.CountOf(UM_NOTIFYLISTSCROLL));
}
