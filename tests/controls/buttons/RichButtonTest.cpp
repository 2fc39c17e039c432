#include <gtest/gtest.h>

#include <objbase.h>

#include "ControlHost.h"
#include "OwnerDraw.h"
#include "PixelCanvas.h"
#include "RichButton.h"
#include "SkinBitmap.h"
#include "TestImages.h"

namespace {

using namespace TestImages;

const UINT kButtonId = 401;
const char kImageName[] = "RichButtonTest-ok.bmp";
const CRect kFace(0, 0, 90, 28);
const COLORREF kDisabledCaption = RGB(161, 160, 146);

class RichButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(host.m_hWnd);
        ASSERT_TRUE(image.IsWritten());
    }
    void TearDown() override { ::CoUninitialize(); }

    void CreateButton(const char* text) {
        ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 100, 38), &host, kButtonId));
    }

    // Draws the button as its parent's WM_DRAWITEM would, into a canvas of its own.
    void Draw(PixelCanvas& canvas, UINT state) {
        DRAWITEMSTRUCT item = OwnerDrawItem(button, ODT_BUTTON, 0, state, canvas.Dc(), kFace);
        button.DrawItem(&item);
    }

    ControlHost host;
    ImageFolderFile image{kImageName, ResourceBytes(IDI_PROBE_BMP)};
    CRichButton button;
};

TEST_F(RichButtonTest, ImageNameBeforeTheCommaLoadsTheImageAndTheRestIsTheCaption) {
    CreateButton("");
    button.SetWindowTextA(CString(kImageName) + ",OK");
    EXPECT_TRUE(button.GetButtonImage().IsLoaded());
    EXPECT_EQ(button.GetButtonImage().GetSize(static_cast<HDC>(nullptr)), CSize(kProbeSize));
    EXPECT_EQ(button.GetCaption().GetScript(), "OK");

    button.SetWindowTextA(CString(kImageName) + ",저장,나머지");
    EXPECT_EQ(button.GetCaption().GetScript(), "저장") << "the caption ends at the next comma";
}

TEST_F(RichButtonTest, TextWithoutACommaIsAllCaption) {
    CreateButton("");
    button.SetWindowTextA("<B>OK</B>");
    EXPECT_FALSE(button.GetButtonImage().IsLoaded());
    EXPECT_EQ(button.GetCaption().GetScript(), "<B>OK</B>");
    EXPECT_EQ(button.GetCaption().GetText(), "OK");
}

TEST_F(RichButtonTest, MissingImageLeavesTheButtonWithoutOne) {
    CreateButton("");
    button.SetWindowTextA("no-such-image.bmp,OK");
    EXPECT_FALSE(button.GetButtonImage().IsLoaded());
    EXPECT_EQ(button.GetCaption().GetScript(), "OK");
    EXPECT_FALSE(button.SetButtonImage("no-such-image.bmp"));
    EXPECT_TRUE(button.SetButtonImage(kImageName));
    EXPECT_TRUE(button.GetButtonImage().IsLoaded());
}

TEST_F(RichButtonTest, TextGivenAtCreationIsParsedLikeSetWindowText) {
    CreateButton((CString(kImageName) + ",확인"));
    EXPECT_TRUE(button.GetButtonImage().IsLoaded());
    EXPECT_EQ(button.GetCaption().GetScript(), "확인");
}

TEST_F(RichButtonTest, SubclassedPushButtonIsOwnerDrawnAndItsClassLosesDoubleClicks) {
    HWND plain = ::CreateWindowExA(0, "BUTTON", "<B>닫기</B>", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 50, 90, 28,
                                   host.m_hWnd, reinterpret_cast<HMENU>(402), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(button.SubclassWindow(plain));
    EXPECT_EQ(::GetWindowLongPtrA(plain, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(::GetClassLongPtrA(plain, GCL_STYLE) & CS_DBLCLKS, 0u);
    EXPECT_EQ(button.GetCaption().GetText(), "닫기");
}

TEST_F(RichButtonTest, FaceFollowsDisabledThenPressedThenFocusedThenMouseOver) {
    CreateButton("OK");
    struct Case {
        UINT state;
        bool over;
        int face;
    };
    const Case cases[] = {
        {ODS_DISABLED | ODS_SELECTED | ODS_FOCUS, true, 185},
        {ODS_SELECTED | ODS_FOCUS, true, 183},
        {ODS_FOCUS, true, 184},
        {0, true, 182},
        {0, false, 181},
    };
    // The faces must tell apart at the probed pixel, or the test could not see a wrong choice.
    for (const Case& a : cases) {
        for (const Case& b : cases) {
            if (a.face != b.face) {
                ASSERT_NE(SkinBitmap(a.face).At(16, 0), SkinBitmap(b.face).At(16, 0));
            }
        }
    }

    for (const Case& c : cases) {
        button.SendMessage(c.over ? WM_MOUSEHOVER : WM_MOUSELEAVE);
        ASSERT_EQ(button.IsMouseOver(), c.over);
        PixelCanvas canvas(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
        Draw(canvas, c.state);
        const SkinBitmap face(c.face);
        EXPECT_EQ(canvas.At(kFace.Width() / 2, 0), face.At(16, 0)) << "face " << c.face;
        EXPECT_EQ(canvas.At(kFace.Width() / 2, 1), face.At(16, 1)) << "face " << c.face;
        EXPECT_EQ(canvas.At(0, 0), face.At(0, 0)) << "face " << c.face;
    }
}

TEST_F(RichButtonTest, CaptionIsDrawnInTheMiddleAndGreyWhenDisabled) {
    CreateButton("<S=16><B>OK</B></S>");
    PixelCanvas enabled(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Draw(enabled, 0);
    const CRect middle(30, 4, 60, 24);
    EXPECT_GT(enabled.Count(middle, RGB(0, 0, 0)), 10);
    EXPECT_EQ(enabled.Count(CRect(0, 0, 25, 28), RGB(0, 0, 0)), 0) << "nothing dark outside the middle";

    PixelCanvas disabled(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Draw(disabled, ODS_DISABLED);
    EXPECT_GT(disabled.Count(middle, kDisabledCaption, 12), 10);
    EXPECT_EQ(disabled.Count(middle, RGB(0, 0, 0)), 0);
}

TEST_F(RichButtonTest, ImageIsDrawnBesideTheCaption) {
    CreateButton(CString(kImageName) + ",OK");
    PixelCanvas canvas(kFace.Width(), kFace.Height(), RGB(1, 2, 3));
    Draw(canvas, 0);
    EXPECT_EQ(canvas.Count(kProbeBody, 0), 7 * 5 - 2);
    EXPECT_EQ(canvas.Count(kProbeTopLeft, 0), 1);
}

}  // namespace
