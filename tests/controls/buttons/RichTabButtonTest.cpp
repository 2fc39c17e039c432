#include <gtest/gtest.h>

#include "ControlHost.h"
#include "OwnerDraw.h"
#include "PixelCanvas.h"
#include "RichTabButton.h"
#include "SkinBitmap.h"

namespace {

const UINT kTabId = 411;
const CRect kFace(0, 0, 80, 26);

class RichTabButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.m_hWnd);
        ASSERT_TRUE(tab.Create("<B>탭</B>", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 36), &host, kTabId));
    }

    void Click(CPoint down, CPoint up) {
        tab.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }

    COLORREF DrawnTopEdge(UINT state) {
        PixelCanvas canvas(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
        Paint(canvas, state);
        return canvas.At(kFace.Width() / 2, 0);
    }

    void Paint(PixelCanvas& canvas, UINT state) {
        DRAWITEMSTRUCT item = OwnerDrawItem(tab, ODT_BUTTON, 0, state, canvas.Dc(), kFace);
        tab.DrawItem(&item);
    }

    ControlHost host;
    CRichTabButton tab;
};

TEST_F(RichTabButtonTest, AutoCheckTogglesOnEveryReleaseInsideTheCapturedButton) {
    tab.SetAutoCheckBox(true);
    EXPECT_EQ(tab.GetCheck(), 0);
    Click(CPoint(5, 5), CPoint(6, 6));
    EXPECT_EQ(tab.GetCheck(), 1);
    EXPECT_EQ(::GetCapture(), nullptr) << "the button let the mouse go";
    Click(CPoint(5, 5), CPoint(70, 20));
    EXPECT_EQ(tab.GetCheck(), 0);
}

TEST_F(RichTabButtonTest, ReleaseOutsideOrWithoutCaptureLeavesTheCheck) {
    tab.SetAutoCheckBox(true);
    Click(CPoint(5, 5), CPoint(200, 5));
    EXPECT_EQ(tab.GetCheck(), 0);

    tab.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(tab.GetCheck(), 0) << "a release without a press before it";
}

TEST_F(RichTabButtonTest, WithoutAutoCheckClicksLeaveTheCheck) {
    Click(CPoint(5, 5), CPoint(5, 5));
    EXPECT_EQ(tab.GetCheck(), 0);
}

TEST_F(RichTabButtonTest, ParentReadsTheNewStateWhenItHearsTheClick) {
    tab.SetAutoCheckBox(true);
    int checkSeenByParent = -1;
    host.onCommand = [&](WPARAM wParam) {
        if (LOWORD(wParam) == kTabId && HIWORD(wParam) == BN_CLICKED)
            checkSeenByParent = ::IsDlgButtonChecked(host.m_hWnd, kTabId);
    };
    Click(CPoint(5, 5), CPoint(5, 5));
    EXPECT_EQ(checkSeenByParent, 1);
}

TEST_F(RichTabButtonTest, CheckSetThroughTheButtonMessagesIsKept) {
    ::CheckDlgButton(host.m_hWnd, kTabId, BST_CHECKED);
    EXPECT_EQ(tab.GetCheck(), 1);
    tab.SetCheck(0);
    EXPECT_EQ(::IsDlgButtonChecked(host.m_hWnd, kTabId), 0u);
}

TEST_F(RichTabButtonTest, FaceFollowsTheCheckTheMouseAndTheState) {
    struct Case {
        int check;
        bool over;
        UINT state;
        int face;
    };
    const Case cases[] = {
        {0, false, 0, 186},
        {0, true, 0, 187},
        {0, true, ODS_SELECTED, 188},
        {1, false, 0, 189},
        {1, true, 0, 190},
        {0, true, ODS_DISABLED | ODS_SELECTED, 191},
        {1, true, ODS_DISABLED, 192},
    };
    for (const Case& a : cases) {
        for (const Case& b : cases) {
            if (a.face != b.face) {
                ASSERT_NE(SkinBitmap(a.face).At(16, 0), SkinBitmap(b.face).At(16, 0));
            }
        }
    }

    for (const Case& c : cases) {
        tab.SetCheck(c.check);
        tab.SendMessage(c.over ? WM_MOUSEHOVER : WM_MOUSELEAVE);
        EXPECT_EQ(DrawnTopEdge(c.state), SkinBitmap(c.face).At(16, 0)) << "face " << c.face;
    }
}

TEST_F(RichTabButtonTest, FocusRectangleIsDrawnOnlyWhenAskedFor) {
    PixelCanvas unfocused(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Paint(unfocused, 0);
    PixelCanvas focusedPlain(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Paint(focusedPlain, ODS_FOCUS);
    tab.ShowFocusRect(true);
    PixelCanvas focusedShown(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Paint(focusedShown, ODS_FOCUS);

    int plainDifferences = 0;
    int shownDifferences = 0;
    for (int x = 0; x < kFace.Width(); ++x) {
        plainDifferences += focusedPlain.At(x, 3) != unfocused.At(x, 3);
        shownDifferences += focusedShown.At(x, 3) != unfocused.At(x, 3);
    }
    EXPECT_EQ(plainDifferences, 0);
    EXPECT_GT(shownDifferences, kFace.Width() / 4) << "a dotted line along the top, three pixels in";
}

}  // namespace
