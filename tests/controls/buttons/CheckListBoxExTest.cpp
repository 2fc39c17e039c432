#include <gtest/gtest.h>

#include "CheckListBoxEx.h"
#include "ControlHost.h"
#include "MessagePump.h"
#include "OwnerDraw.h"
#include "PixelCanvas.h"

namespace {

const UINT kListId = 301;
const DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;

class CheckListBoxExTest : public ::testing::Test {
protected:
    void Make(DWORD ownerDraw = LBS_OWNERDRAWFIXED) {
        ASSERT_TRUE(host.m_hWnd);
        ASSERT_TRUE(list.Create(kListStyle | ownerDraw, CRect(10, 10, 210, 200), &host, kListId));
    }
    void Key(UINT key) { list.SendMessage(WM_KEYDOWN, key, 1); }
    void ClickAt(CPoint point) {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    CRect ItemRect(int index) const {
        CRect rect;
        list.GetItemRect(index, rect);
        return rect;
    }
    CPoint BoxCentre(int index) const { return CPoint(ItemRect(index).left + 8, ItemRect(index).CenterPoint().y); }
    CPoint TextPoint(int index) const { return CPoint(ItemRect(index).left + 80, ItemRect(index).CenterPoint().y); }
    std::vector<int> States() const {
        std::vector<int> states;
        for (int i = 0; i < list.GetCount(); ++i)
            states.push_back(list.GetCheck(i));
        return states;
    }
    std::vector<ControlHost::Message> Changes() {
        PumpFor(20);
        std::vector<ControlHost::Message> changes = host.Received(CCheckListBoxEx::kCheckChangeMessage);
        host.received.clear();
        return changes;
    }

    ControlHost host;
    CCheckListBoxEx list;
};

TEST_F(CheckListBoxExTest, ThirdStateItemCyclesUncheckedThirdCheckedUncheckedOnSpace) {
    Make();
    list.AddString("하나");
    list.AddString("둘");
    list.EnableThirdState(1, true);
    list.SetCurSel(1);
    const int expected[] = {-1, 1, 0};
    for (int state : expected) {
        Key(VK_SPACE);
        EXPECT_EQ(list.GetCheck(1), state);
    }
    EXPECT_EQ(list.GetCheck(0), 0);
}

TEST_F(CheckListBoxExTest, PlainItemTogglesOnSpaceAndEachChangeIsPosted) {
    Make();
    list.AddString("a");
    list.AddString("b");
    list.AddString("c");
    list.SetCurSel(2);
    Key(VK_SPACE);
    EXPECT_EQ(list.GetCheck(2), 1);
    Key(VK_SPACE);
    EXPECT_EQ(list.GetCheck(2), 0);

    const std::vector<ControlHost::Message> changes = Changes();
    ASSERT_EQ(changes.size(), 2u);
    for (const ControlHost::Message& change : changes) {
        EXPECT_EQ(change.wParam, kListId);
        EXPECT_EQ(change.lParam, 2 | 0x10000);
    }
}

TEST_F(CheckListBoxExTest, ChangesMadeByTheProgramAreNotPosted) {
    Make();
    list.AddString("a");
    EXPECT_EQ(list.SetCheck(0, 1), 1);
    list.UncheckAllItem();
    list.CheckAllItem();
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(CheckListBoxExTest, ClickOnTheBoxTogglesAndClickOnTheTextOnlySelects) {
    Make();
    list.AddString("a");
    list.AddString("b");
    ClickAt(BoxCentre(1));
    EXPECT_EQ(list.GetCheck(1), 1);
    ClickAt(TextPoint(0));
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCurSel(), 0);

    const std::vector<ControlHost::Message> changes = Changes();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].lParam, 1 | 0x10000);
}

TEST_F(CheckListBoxExTest, HiddenBoxesCannotBeClicked) {
    Make();
    list.AddString("a");
    list.ShowCheckBox(false);
    ClickAt(BoxCentre(0));
    EXPECT_EQ(list.GetCheck(0), 0);
}

TEST_F(CheckListBoxExTest, SeparatorsNeverChangeAndAreSkippedBySelection) {
    Make();
    list.AddString("a");
    const int separator = list.AddSeperator();
    list.AddString("b");
    ASSERT_EQ(separator, 1);
    EXPECT_EQ(list.GetCheck(separator), CCheckListBoxEx::kSeparator);
    EXPECT_EQ(list.SetCheck(separator, 1), CCheckListBoxEx::kSeparator);
    list.CheckAllItem();
    EXPECT_EQ(States(), (std::vector<int>{1, -2, 1}));
    list.UncheckAllItem();
    EXPECT_EQ(States(), (std::vector<int>{0, -2, 0}));

    list.SetCurSel(0);
    Key(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 2);
    Key(VK_UP);
    EXPECT_EQ(list.GetCurSel(), 0);
    ClickAt(TextPoint(separator));
    EXPECT_EQ(list.GetCurSel(), 0) << "a click on a separator selects nothing";
    EXPECT_EQ(list.GetCheck(separator), CCheckListBoxEx::kSeparator);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(CheckListBoxExTest, SingleSelectModeChecksOnlyTheSelectedItem) {
    Make();
    list.AddString("a");
    list.AddString("b");
    list.AddSeperator();
    list.AddString("c");
    list.SetSingleSelectMode(true);
    list.SetCurSel(0);

    Key(VK_DOWN);
    EXPECT_EQ(States(), (std::vector<int>{0, 1, -2, 0}));
    Key(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 3);
    EXPECT_EQ(States(), (std::vector<int>{0, 0, -2, 1}));
    Key(VK_SPACE);
    EXPECT_EQ(States(), (std::vector<int>{0, 0, -2, 1})) << "Space does nothing";
    ClickAt(TextPoint(0));
    EXPECT_EQ(States(), (std::vector<int>{1, 0, -2, 0}));

    const std::vector<ControlHost::Message> changes = Changes();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].lParam, 1 | 0x10000);
    EXPECT_EQ(changes[1].lParam, 3 | 0x10000);
    EXPECT_EQ(changes[2].lParam, 0 | 0x10000);
}

TEST_F(CheckListBoxExTest, StatesAndDataStayWithTheirItemsWhenOthersComeAndGo) {
    Make();
    list.AddString("a");
    list.AddString("b");
    list.AddString("c");
    list.SetCheck(2, 1);
    list.SetItemData(2, 0xBEEF);
    list.InsertString(0, "z");
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(list.FindItemData(0xBEEF), 3);
    list.DeleteString(1);
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 1}));
    list.SendMessage(LB_DELETESTRING, 0);
    EXPECT_EQ(States(), (std::vector<int>{0, 1}));
    EXPECT_EQ(list.FindItemData(0xBEEF), 1);
    EXPECT_EQ(list.FindItemData(42), LB_ERR);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.SetCheck(0, 1), 0) << "a bad index";
    EXPECT_EQ(list.SetCheck(-1, 1), 0);
}

TEST_F(CheckListBoxExTest, OnlyTheThreeCheckStatesCanBeSet) {
    Make();
    list.AddString("a");
    EXPECT_EQ(list.SetCheck(0, -1), -1);
    EXPECT_EQ(list.SetCheck(0, CCheckListBoxEx::kSeparator), -1);
    EXPECT_EQ(list.SetCheck(0, 7), -1);
    EXPECT_EQ(list.GetCheck(0), -1);
}

TEST_F(CheckListBoxExTest, ItemsAre17PixelsHighAndSeparatorsOfAVariableList5) {
    Make(LBS_OWNERDRAWVARIABLE);
    list.AddString("a");
    list.AddSeperator();
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 17);
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 1), 5);

    CCheckListBoxEx fixed;
    ASSERT_TRUE(fixed.Create(kListStyle | LBS_OWNERDRAWFIXED, CRect(220, 10, 300, 100), &host, kListId + 1));
    fixed.AddString("a");
    EXPECT_EQ(fixed.SendMessage(LB_GETITEMHEIGHT, 0), 17);
}

TEST_F(CheckListBoxExTest, ListFilledBeforeItWasSubclassedGetsRecordsAndItsItemHeight) {
    ASSERT_TRUE(host.m_hWnd);
    HWND plain = ::CreateWindowExA(0, "LISTBOX", "", kListStyle | LBS_OWNERDRAWFIXED, 10, 10, 200, 100, host.m_hWnd,
                                   reinterpret_cast<HMENU>(kListId), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain);
    ::SendMessageA(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
    ::SendMessageA(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
    ASSERT_TRUE(list.SubclassWindow(plain));
    EXPECT_EQ(list.SetCheck(1, 1), 1);
    EXPECT_EQ(States(), (std::vector<int>{0, 1}));
    EXPECT_EQ(list.SendMessage(LB_GETITEMHEIGHT, 0), 17);
}

class CheckListBoxExDrawing : public CheckListBoxExTest {
protected:
    void SetUp() override {
        Make();
        list.AddString("plain");
        list.AddSeperator();
        list.AddString("<C=FF0000><B>빨강 빨강</B></C>");
    }
    void Paint(PixelCanvas& canvas, int index, UINT state = 0) {
        DRAWITEMSTRUCT item = OwnerDrawItem(list, ODT_LISTBOX, index, state, canvas.Dc(), kItem);
        list.DrawItem(&item);
    }
    // Dark pixels inside the check box, its frame left out.
    static int MarkPixels(const PixelCanvas& canvas) { return canvas.Count(CRect(5, 5, 14, 14), RGB(0, 0, 0), 90); }

    const CRect kItem = CRect(0, 0, 160, 17);
    const COLORREF kPaper = RGB(1, 2, 3);
};

TEST_F(CheckListBoxExDrawing, BoxShowsUncheckedCheckedAndThirdStateDifferently) {
    PixelCanvas unchecked(160, 17, kPaper);
    Paint(unchecked, 0);
    list.SetCheck(0, 1);
    PixelCanvas checked(160, 17, kPaper);
    Paint(checked, 0);
    list.SetCheck(0, -1);
    PixelCanvas third(160, 17, kPaper);
    Paint(third, 0);

    EXPECT_EQ(MarkPixels(unchecked), 0);
    EXPECT_GT(MarkPixels(checked), 5);
    int differences = 0;
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 15; ++x)
            differences += third.At(x, y) != checked.At(x, y);
    EXPECT_GT(differences, 5) << "the third state is not drawn as checked";
}

TEST_F(CheckListBoxExDrawing, HiddenBoxesAreNotDrawnWhateverTheState) {
    PixelCanvas withBox(160, 17, kPaper);
    Paint(withBox, 0);
    list.ShowCheckBox(false);
    PixelCanvas unchecked(160, 17, kPaper);
    Paint(unchecked, 0);
    list.SetCheck(0, 1);
    PixelCanvas checked(160, 17, kPaper);
    Paint(checked, 0);

    int stateDifferences = 0;
    int boxDifferences = 0;
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 160; ++x) {
            stateDifferences += checked.At(x, y) != unchecked.At(x, y);
            boxDifferences += withBox.At(x, y) != unchecked.At(x, y);
        }
    }
    EXPECT_EQ(stateDifferences, 0);
    EXPECT_GT(boxDifferences, 0);
}

TEST_F(CheckListBoxExDrawing, SeparatorIsALineWithoutABox) {
    PixelCanvas canvas(160, 17, kPaper);
    Paint(canvas, 1, ODS_SELECTED);
    const COLORREF line = ::GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GT(canvas.Count(CRect(20, 8, 150, 9), line, 0), 100);
    EXPECT_EQ(canvas.Count(CRect(0, 0, 160, 17), ::GetSysColor(COLOR_HIGHLIGHT), 0), 0) << "never shown selected";
    EXPECT_EQ(MarkPixels(canvas), 0);
}

TEST_F(CheckListBoxExDrawing, CaptionsAreStyledTextOnlyWhenEnabled) {
    const COLORREF red = RGB(255, 0, 0);
    PixelCanvas plain(160, 17, kPaper);
    Paint(plain, 2);
    EXPECT_EQ(plain.Count(red, 40), 0) << "the tags are shown as text";

    list.EnableStyledText(true);
    PixelCanvas styled(160, 17, kPaper);
    Paint(styled, 2);
    EXPECT_GT(styled.Count(red, 40), 10);
}

TEST_F(CheckListBoxExDrawing, ASelectedStyledCaptionKeepsTheHighlightBetweenItsGlyphs) {
    list.EnableStyledText(true);
    PixelCanvas canvas(160, 17, kPaper);
    Paint(canvas, 2, ODS_SELECTED);
    const CRect caption(22, 4, 70, 14);
    const int highlight = canvas.Count(caption, ::GetSysColor(COLOR_HIGHLIGHT), 0);
    EXPECT_GT(highlight, 150) << "of 480 pixels";
    EXPECT_GT(canvas.Count(caption, RGB(255, 255, 255), 40), 20) << "white glyphs";
}

}  // namespace
