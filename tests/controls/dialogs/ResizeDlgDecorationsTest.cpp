#include <gtest/gtest.h>

#include <memory>

#include "PixelCanvas.h"
#include "ResizeDialogs.h"
#include "ResizeDlgProbe.h"

namespace {

const COLORREF kPaper = RGB(1, 2, 3);
const COLORREF kBackground = RGB(236, 233, 216);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class ResizeDlgDecorations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(IDD_RESIZE_DECORATED));
        CRect client;
        dialog.GetClientRect(client);
        canvas = std::make_unique<PixelCanvas>(client.Width(), client.Height(), kPaper);
        ASSERT_TRUE(canvas->IsReady());
    }

    // The dialog's background as WM_ERASEBKGND paints it.
    void Erase() {
        canvas->Fill(CRect(0, 0, canvas->Width(), canvas->Height()), kPaper);
        EXPECT_TRUE(dialog.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas->Dc())));
    }
    COLORREF At(const CPoint& point) const { return canvas->At(point.x, point.y); }

    ResizeDlgProbe dialog{IDD_RESIZE_DECORATED};
    std::unique_ptr<PixelCanvas> canvas;
};

TEST_F(ResizeDlgDecorations, AFillColourFillsTheHiddenStaticsRectangle) {
    Erase();
    const CRect red = dialog.ControlRect(IDC_DECOR_RED);
    EXPECT_EQ(At(red.CenterPoint()), kRed);
    EXPECT_EQ(At(red.TopLeft()), kRed);
    EXPECT_EQ(At(CPoint(red.right - 1, red.bottom - 1)), kRed);
    EXPECT_EQ(canvas->Count(red, kRed, 0), red.Width() * red.Height());
    EXPECT_EQ(At(CPoint(red.right, red.bottom)), kBackground) << "nothing beyond the static";
    EXPECT_EQ(At(dialog.ControlRect(IDC_DECOR_EMPTY).CenterPoint()), kBackground) << "no text, no decoration";
}

TEST_F(ResizeDlgDecorations, ASecondLineDrawsAFrameOfTheThirdLinesWidthAroundTheFill) {
    Erase();
    const CRect framed = dialog.ControlRect(IDC_DECOR_FRAMED);
    EXPECT_EQ(At(framed.TopLeft()), kBlue);
    EXPECT_EQ(At(CPoint(framed.left + 1, framed.top + 1)), kBlue);
    EXPECT_EQ(At(CPoint(framed.left + 2, framed.top + 2)), kRed) << "the frame is 2 pixels wide";
    EXPECT_EQ(At(CPoint(framed.right - 2, framed.bottom - 2)), kBlue);
    CRect inside = framed;
    inside.DeflateRect(2, 2);
    EXPECT_EQ(canvas->Count(inside, kRed, 0), inside.Width() * inside.Height());
}

TEST_F(ResizeDlgDecorations, TheFourthLineGrowsTheDecorationBeyondItsStatic) {
    Erase();
    const CRect inflated = dialog.ControlRect(IDC_DECOR_INFLATED);
    EXPECT_EQ(At(CPoint(inflated.left - 4, inflated.top - 4)), kGreen);
    EXPECT_EQ(At(CPoint(inflated.right + 3, inflated.bottom + 3)), kGreen);
    EXPECT_EQ(At(CPoint(inflated.left - 5, inflated.top)), kBackground);
    EXPECT_EQ(At(CPoint(inflated.right + 4, inflated.bottom)), kBackground);
}

TEST_F(ResizeDlgDecorations, VisibleControlsAreLeftOutButGroupBoxesAreNot) {
    Erase();
    const CRect cover = dialog.ControlRect(IDC_DECOR_COVER);
    const CRect under = dialog.ControlRect(IDC_DECOR_UNDER);
    EXPECT_EQ(canvas->Count(cover, kPaper, 0), cover.Width() * cover.Height()) << "the button paints itself";
    EXPECT_EQ(At(under.TopLeft()), kBlue);
    EXPECT_EQ(At(dialog.ControlRect(IDC_DECOR_LABEL).CenterPoint()), kPaper);
    EXPECT_EQ(At(dialog.ControlRect(IDC_DECOR_GROUP).CenterPoint()), kBackground)
        << "a group box's inside shows the background";
}

TEST_F(ResizeDlgDecorations, ANewBackgroundColourIsPaintedAroundTheDecorations) {
    const COLORREF teal = RGB(10, 120, 130);
    dialog.SetBackgroundColor(teal);
    Erase();
    EXPECT_EQ(At(dialog.ControlRect(IDC_DECOR_EMPTY).CenterPoint()), teal);
    EXPECT_EQ(At(dialog.ControlRect(IDC_DECOR_RED).CenterPoint()), kRed);
}

TEST_F(ResizeDlgDecorations, StaticsButtonsAndTheDialogShareTheBackgroundAndTextColours) {
    HWND label = ::GetDlgItem(dialog.m_hWnd, IDC_DECOR_LABEL);
    HWND button = ::GetDlgItem(dialog.m_hWnd, IDC_DECOR_COVER);
    const auto dc = reinterpret_cast<WPARAM>(canvas->Dc());
    const struct {
        UINT message;
        HWND control;
    } requests[] = {{WM_CTLCOLORSTATIC, label}, {WM_CTLCOLORBTN, button}, {WM_CTLCOLORDLG, dialog.m_hWnd}};
    for (const auto& request : requests) {
        ::SetBkColor(canvas->Dc(), kPaper);
        ::SetTextColor(canvas->Dc(), kPaper);
        auto brush =
            reinterpret_cast<HBRUSH>(dialog.SendMessage(request.message, dc, reinterpret_cast<LPARAM>(request.control)));
        LOGBRUSH info = {};
        ASSERT_TRUE(brush && ::GetObjectA(brush, sizeof info, &info)) << request.message;
        EXPECT_EQ(info.lbColor, kBackground) << request.message;
        EXPECT_EQ(::GetBkColor(canvas->Dc()), kBackground) << request.message;
        EXPECT_EQ(::GetTextColor(canvas->Dc()), RGB(40, 40, 40)) << request.message;
    }
}

}  // namespace
