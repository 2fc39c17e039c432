#include <gtest/gtest.h>

#include "SkinFace.h"
#include "StyledListFixture.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kOddLine = RGB(240, 245, 250);
const COLORREF kText = RGB(20, 20, 20);
const COLORREF kPaper = RGB(1, 2, 3);
// A drawn line holds the columns 0..150, 150..270 and 270..370.
const int kWidth = 370;
const int kHeight = 17;

int Differing(const PixelCanvas& a, const PixelCanvas& b, const CRect& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a.At(x, y) != b.At(x, y);
    return count;
}

}  // namespace

TEST(StyledListDraw, SelectedLineTakesTheFocusedColourWithWhiteCellEdgesAndInvertedText) {
    StyledListFixture window;
    window.AddLines(1);
    PixelCanvas canvas(kWidth, kHeight, kPaper);

    window.DrawLine(canvas, 0, ODS_SELECTED);

    EXPECT_EQ(RGB(49, 108, 197), canvas.At(200, 8));
    for (int x : {147, 149, 267, 269, 367, 369})
        EXPECT_EQ(kWhite, canvas.At(x, 8)) << "the rightmost 3 pixels of a cell, x " << x;
    EXPECT_GT(canvas.Count(CRect(0, 0, 147, kHeight), RGB(235, 235, 235), 30), 0);
    EXPECT_EQ(0, canvas.Count(kText, 30));
}

TEST(StyledListDraw, BackgroundsAlternateUnlessTheLineCellOrColumnHasItsOwn) {
    StyledListFixture window;
    window.AddLines(4);
    window.list.SetBkgColor(2, RGB(255, 0, 0));
    window.list.SetBkgColor(3, 2, RGB(0, 200, 0));
    window.list.SetBkgColumColor(2, RGB(0, 0, 255));
    struct Expected {
        int line;
        COLORREF middle;
        COLORREF edge;
        COLORREF lastColumn;
    };
    for (Expected e : {Expected{0, kWhite, kWhite, RGB(0, 0, 255)}, Expected{1, kOddLine, kWhite, RGB(0, 0, 255)},
                       Expected{2, RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)},
                       Expected{3, kOddLine, kWhite, RGB(0, 200, 0)}}) {
        PixelCanvas canvas(kWidth, kHeight, kPaper);
        window.DrawLine(canvas, e.line);
        EXPECT_EQ(e.middle, canvas.At(200, 8)) << "line " << e.line;
        EXPECT_EQ(e.edge, canvas.At(268, 8)) << "line " << e.line;
        EXPECT_EQ(e.lastColumn, canvas.At(300, 8)) << "line " << e.line;
    }

    window.list.EnableWindow(FALSE);
    PixelCanvas even(kWidth, kHeight, kPaper);
    PixelCanvas odd(kWidth, kHeight, kPaper);
    window.DrawLine(even, 0);
    window.DrawLine(odd, 1);
    EXPECT_EQ(RGB(230, 230, 230), even.At(200, 8));
    EXPECT_EQ(RGB(220, 220, 220), odd.At(200, 8));
    EXPECT_EQ(RGB(230, 230, 230), odd.At(268, 8));
}

TEST(StyledListDraw, CheckBoxTakesXFrom5To19AndTheTextStartsAfterIt) {
    StyledListFixture window;
    window.AddLines(1);
    window.list.ShowCheckBox(true);
    PixelCanvas unchecked(kWidth, kHeight, kPaper);
    PixelCanvas checked(kWidth, kHeight, kPaper);
    window.DrawLine(unchecked, 0);
    window.list.SetCheck(0, TRUE);
    window.DrawLine(checked, 0);

    EXPECT_EQ(5 * kHeight, unchecked.Count(CRect(0, 0, 5, kHeight), kWhite, 0));
    EXPECT_NE(kWhite, unchecked.At(5, 8));
    EXPECT_NE(kWhite, unchecked.At(18, 8));
    EXPECT_EQ(kWhite, unchecked.At(19, 8));
    EXPECT_GT(Differing(unchecked, checked, CRect(6, 2, 18, 14)), 0) << "the check mark";
    EXPECT_EQ(0, Differing(unchecked, checked, CRect(19, 0, kWidth, kHeight)));
    // 3 pixels after the box, then the one-pixel row image and 3 more.
    EXPECT_EQ(0, checked.Count(CRect(19, 0, 26, kHeight), kText));
    EXPECT_GT(checked.Count(CRect(26, 0, 36, kHeight), kText), 0);
}

TEST(StyledListDraw, ProgressCellFillsItsShareOfTheBar) {
    StyledListFixture window;
    window.AddLines(3);
    window.list.SetProgressBarColumn(1);
    window.list.SetItemText(0, 1, "150");
    window.list.SetItemText(1, 1, "-5");
    window.list.SetItemText(2, 1, "40\nCopying");
    // The bar is the cell's 117 content pixels less one on each side, framed at x 151 and 265;
    // a tall line keeps the centred label away from row 4, where the fill is counted.
    const CRect inside(152, 4, 265, 5);
    const int percents[] = {100, 0, 40};
    for (int line = 0; line < 3; ++line) {
        PixelCanvas canvas(kWidth, 40, kPaper);
        window.DrawLine(canvas, line);
        const int filled = inside.Width() * percents[line] / 100;
        EXPECT_EQ(filled, canvas.Count(inside, RGB(160, 160, 160), 0)) << "line " << line;
        EXPECT_EQ(inside.Width() - filled, canvas.Count(inside, kWhite, 0)) << "line " << line;
        EXPECT_EQ(RGB(0, 0, 0), canvas.At(151, 20));
        EXPECT_EQ(RGB(0, 0, 0), canvas.At(265, 20));
        EXPECT_GT(canvas.Count(CRect(152, 12, 265, 28), RGB(0, 0, 0), 60), 0) << "a label, line " << line;
    }
}

TEST(StyledListDraw, ButtonCellIsTheSkinFaceOverTheWidenedCellAndAnUnknownKindNothing) {
    StyledListFixture window;
    window.AddLines(2);
    window.list.SetItemText(0, 2, "\nBTN=");
    window.list.SetItemText(1, 2, "\nXYZ=a");
    PixelCanvas button(kWidth, kHeight, kPaper);
    PixelCanvas face(kWidth, kHeight, kPaper);
    PixelCanvas unknown(kWidth, kHeight, kPaper);

    window.DrawLine(button, 0);
    const CRect faceRect(268, 1, 369, 16);
    ASSERT_TRUE(SkinFace::Draw(face.Dc(), faceRect, 181, 6));
    EXPECT_EQ(0, Differing(button, face, faceRect));
    EXPECT_EQ(kWhite, button.At(369, 8));

    window.DrawLine(unknown, 1);
    EXPECT_EQ(97 * kHeight, unknown.Count(CRect(270, 0, 367, kHeight), kOddLine, 0));
}

TEST(StyledListDraw, ListPaintsSeventeenPixelRowsThroughItsParent) {
    StyledListFixture window;
    window.AddLines(3);
    CRect first;
    CRect second;
    window.list.GetItemRect(0, &first, LVIR_BOUNDS);
    window.list.GetItemRect(1, &second, LVIR_BOUNDS);
    PixelCanvas canvas(520, 320, kPaper);

    window.Paint(&canvas);

    EXPECT_EQ(17, first.Height());
    EXPECT_EQ(first.bottom, second.top);
    EXPECT_EQ(kWhite, canvas.At(200, first.bottom - 1));
    EXPECT_EQ(kOddLine, canvas.At(200, second.top));
    EXPECT_EQ(1, window.host.CountOf(UM_NOTIFYLISTMOREDATA)) << "the last line was drawn";
    window.Paint();
    EXPECT_EQ(1, window.host.CountOf(UM_NOTIFYLISTMOREDATA)) << "and it is still the same line";
}
