#include <gtest/gtest.h>

#include "ResizeDialogs.h"
#include "ResizeDlgProbe.h"
#include "UtilityLib.h"

namespace {

const CRect kParentRect(200, 150, 600, 450);

class ResizeDlgAlign : public ::testing::Test {
protected:
    // One shown parent for the suite: showing a top-level window is slow under Wine.
    static void SetUpTestSuite() {
        parent = new CWnd;
        parent->Attach(::CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, kParentRect.left, kParentRect.top,
                                         kParentRect.Width(), kParentRect.Height(), nullptr, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr));
    }
    static void TearDownTestSuite() {
        parent->DestroyWindow();
        delete parent;
    }

    // Where AlignDialog(flags) puts the dialog's top-left corner.
    CPoint AlignedTopLeft(DWORD flags) {
        dialog.AlignDialog(flags);
        return dialog.WindowRect().TopLeft();
    }

    static CWnd* parent;
    ResizeDlgProbe dialog{IDD_RESIZE_NODEFAULT};
};

CWnd* ResizeDlgAlign::parent = nullptr;

TEST_F(ResizeDlgAlign, EdgeFlagsPlaceTheDialogAgainstTheParentsEdges) {
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT, parent));
    const CRect own = dialog.WindowRect();
    const int w = own.Width();
    const int h = own.Height();
    const int centredX = kParentRect.left + (kParentRect.Width() - w) / 2;
    const int centredY = kParentRect.top + (kParentRect.Height() - h) / 2;

    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignTop | CResizeDlg::kAlignLeft), CPoint(200, 150));
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignBottom | CResizeDlg::kAlignRight), CPoint(600 - w, 450 - h))
        << "bottom and right edges inside";
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignOutsideY | CResizeDlg::kAlignBottom), CPoint(centredX, 450))
        << "just below, centred across";
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignOutsideX | CResizeDlg::kAlignLeft), CPoint(200 - w, centredY))
        << "just left";
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignOutsideX | CResizeDlg::kAlignRight | CResizeDlg::kAlignTop),
              CPoint(600, 150))
        << "just right, top edges level";
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignCentreOverParent | CResizeDlg::kAlignTop), CPoint(centredX, centredY))
        << "centring over the parent wins";
    EXPECT_EQ(dialog.WindowRect().Size(), own.Size()) << "placement never resizes";
}

TEST_F(ResizeDlgAlign, TheFlagsSetBeforeCreationPlaceTheNewDialog) {
    dialog.SetDialogAlign(CResizeDlg::kAlignOutsideY | CResizeDlg::kAlignBottom | CResizeDlg::kAlignLeft);
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT, parent));
    EXPECT_EQ(dialog.WindowRect().TopLeft(), CPoint(200, 450));
    EXPECT_FALSE(dialog.IsWindowVisible()) << "placing does not show a hidden dialog";
}

TEST_F(ResizeDlgAlign, WithoutAParentTheMonitorIsTheReference) {
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT));
    const CRect monitor = CUtilityLib::GetMonitorFromPoint(CPoint(0, 0));
    ASSERT_FALSE(monitor.IsRectEmpty());
    const CRect own = dialog.WindowRect();
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignBottom | CResizeDlg::kAlignRight),
              CPoint(monitor.right - own.Width(), monitor.bottom - own.Height()));
    EXPECT_EQ(AlignedTopLeft(CResizeDlg::kAlignCentreOverParent),
              CPoint(monitor.left + (monitor.Width() - own.Width()) / 2,
                     monitor.top + (monitor.Height() - own.Height()) / 2));
}

TEST_F(ResizeDlgAlign, NoFlagsCentreOverTheMainWindow) {
    AfxSetMainWnd(parent);
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_NODEFAULT));
    AfxSetMainWnd(nullptr);
    const CRect own = dialog.WindowRect();
    EXPECT_EQ(own.TopLeft(), CPoint(kParentRect.left + (kParentRect.Width() - own.Width()) / 2,
                                    kParentRect.top + (kParentRect.Height() - own.Height()) / 2));
}

}  // namespace
