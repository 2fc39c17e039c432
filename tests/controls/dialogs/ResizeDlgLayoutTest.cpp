#include <gtest/gtest.h>

#include "ResizeDialogs.h"
#include "ResizeDlgProbe.h"

namespace {

class ResizeDlgLayout : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_RESIZE_LAYOUT)); }

    ResizeDlgProbe dialog{IDD_RESIZE_LAYOUT};
};

TEST_F(ResizeDlgLayout, MovedControlsFollowTheGrowthByTheirRate) {
    const CRect right = dialog.ControlRect(IDC_LAYOUT_RIGHT);
    const CRect centre = dialog.ControlRect(IDC_LAYOUT_CENTRE);
    dialog.MoveXYRate(IDC_LAYOUT_RIGHT, 100, 0);
    dialog.MoveXYRate(IDC_LAYOUT_CENTRE, 50, 0);

    dialog.GrowBy(100, 30);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_RIGHT), CRect(right.left + 100, right.top, right.right + 100, right.bottom));
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_CENTRE),
              CRect(centre.left + 50, centre.top, centre.right + 50, centre.bottom));

    dialog.GrowBy(-100, -30);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_RIGHT), right) << "back at the initial size, back in place";
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_CENTRE), centre);
}

TEST_F(ResizeDlgLayout, OddGrowthIsSharedTruncatedTowardZero) {
    const CRect centre = dialog.ControlRect(IDC_LAYOUT_CENTRE);
    dialog.MoveXYRate(IDC_LAYOUT_CENTRE, 50, 50);
    dialog.SetMinSize(50, 50);
    dialog.GrowBy(7, -7);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_CENTRE).TopLeft(), CPoint(centre.left + 3, centre.top - 3));
}

TEST_F(ResizeDlgLayout, SizedControlsGrowByTheirRateAndStayInPlace) {
    const CRect grow = dialog.ControlRect(IDC_LAYOUT_GROW);
    dialog.SizeXYRate(IDC_LAYOUT_GROW, 100, 50);
    dialog.GrowBy(100, 40);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_GROW), CRect(grow.left, grow.top, grow.right + 100, grow.bottom + 20));
}

TEST_F(ResizeDlgLayout, RegisteringWhileResizedKeepsTheControlWhereItIs) {
    const CRect right = dialog.ControlRect(IDC_LAYOUT_RIGHT);
    const CRect grow = dialog.ControlRect(IDC_LAYOUT_GROW);
    dialog.GrowBy(0, 40);
    dialog.MoveXYRate(IDC_LAYOUT_RIGHT, 0, 100);
    dialog.SizeXYRate(IDC_LAYOUT_GROW, 0, 50);

    dialog.GrowBy(0, 10);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_RIGHT).top, right.top + 10) << "no jump by the 40 pixels before";
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_GROW).Height(), grow.Height() + 5);

    dialog.GrowBy(0, -50);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_RIGHT).top, right.top - 40) << "its base lies 40 pixels higher";
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_GROW).Height(), grow.Height() - 20);
}

TEST_F(ResizeDlgLayout, AControlRegisteredToMoveAndToSizeDoesBoth) {
    const CRect both = dialog.ControlRect(IDC_LAYOUT_BOTH);
    dialog.MoveXYRate(IDC_LAYOUT_BOTH, 100, 0);
    dialog.SizeXYRate(IDC_LAYOUT_BOTH, 0, 100);
    dialog.GrowBy(100, 40);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_BOTH), CRect(both.left + 100, both.top, both.right + 100, both.bottom + 40));

    // Registering the move again replaces only the move half.
    dialog.MoveXYRate(IDC_LAYOUT_BOTH, 0, 0);
    dialog.GrowBy(-100, -40);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_BOTH), CRect(both.left + 100, both.top, both.right + 100, both.bottom));
}

// Moves the dialog's edge once, the first time its own window is moved.
class EdgePusher : public CWnd {
public:
    int push = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WINDOWPOSCHANGED && push) {
            const int dx = push;
            push = 0;
            CRect dialogRect;
            HWND parent = ::GetParent(m_hWnd);
            ::GetWindowRect(parent, dialogRect);
            ::SetWindowPos(parent, nullptr, 0, 0, dialogRect.Width() + dx, dialogRect.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(ResizeDlgLayout, AResizeCausedByMovingAControlEndsInTheFinalLayout) {
    EdgePusher pusher;
    ASSERT_TRUE(pusher.SubclassDlgItem(IDC_LAYOUT_NUDGE, &dialog));
    const CRect nudge = dialog.ControlRect(IDC_LAYOUT_NUDGE);
    const CRect follow = dialog.ControlRect(IDC_LAYOUT_FOLLOW);
    dialog.MoveXYRate(IDC_LAYOUT_NUDGE, 100, 0);
    dialog.MoveXYRate(IDC_LAYOUT_FOLLOW, 100, 0);

    pusher.push = 60;
    dialog.GrowBy(40, 0);
    EXPECT_EQ(pusher.push, 0) << "the pusher ran";
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_NUDGE).left, nudge.left + 100);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_FOLLOW).left, follow.left + 100);
    pusher.UnsubclassWindow();
}

TEST_F(ResizeDlgLayout, ASecondWindowOfTheSameObjectStartsWithAFreshLayout) {
    dialog.MoveXYRate(IDC_LAYOUT_RIGHT, 100, 0);
    dialog.DestroyWindow();
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_LAYOUT));

    const CRect centre = dialog.ControlRect(IDC_LAYOUT_CENTRE);
    dialog.MoveXYRate(IDC_LAYOUT_CENTRE, 100, 0);
    dialog.GrowBy(100, 0);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_CENTRE).left, centre.left + 100);
}

TEST_F(ResizeDlgLayout, MinimisingLeavesTheControlsWhereTheyAre) {
    const CRect right = dialog.ControlRect(IDC_LAYOUT_RIGHT);
    dialog.MoveXYRate(IDC_LAYOUT_RIGHT, 100, 100);
    dialog.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(dialog.ControlRect(IDC_LAYOUT_RIGHT), right);
}

TEST_F(ResizeDlgLayout, TheMinimumTrackSizeIsTheInitialSizeUntilOneIsSet) {
    const CRect initial = dialog.WindowRect();
    dialog.GrowBy(50, 30);
    MINMAXINFO limits = dialog.TrackLimits();
    EXPECT_EQ(CPoint(limits.ptMinTrackSize), CPoint(initial.Width(), initial.Height()));
    EXPECT_EQ(CPoint(limits.ptMaxTrackSize), CPoint(-9, -9)) << "no maximum unless set";

    dialog.SetMinSize(150, 90);
    EXPECT_EQ(CPoint(dialog.TrackLimits().ptMinTrackSize), CPoint(150, 90));
    dialog.InitResize(160, 95);
    EXPECT_EQ(CPoint(dialog.TrackLimits().ptMinTrackSize), CPoint(160, 95));
    dialog.InitResize(170, -1);
    EXPECT_EQ(CPoint(dialog.TrackLimits().ptMinTrackSize), CPoint(160, 95)) << "both minimums or none";
}

TEST_F(ResizeDlgLayout, AMaximumBelowOneFixesThatDimensionAtItsCurrentSize) {
    const CRect initial = dialog.WindowRect();
    dialog.GrowBy(50, 30);
    dialog.SetMaxHeight(0);
    dialog.SetMaxWidth(600);
    const MINMAXINFO limits = dialog.TrackLimits();
    EXPECT_EQ(limits.ptMaxTrackSize.x, 600);
    EXPECT_EQ(limits.ptMinTrackSize.x, initial.Width());
    EXPECT_EQ(limits.ptMaxTrackSize.y, initial.Height() + 30);
    EXPECT_EQ(limits.ptMinTrackSize.y, initial.Height() + 30) << "not even shrinking changes the height";
}

}  // namespace
