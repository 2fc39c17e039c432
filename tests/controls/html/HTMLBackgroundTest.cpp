#include <gtest/gtest.h>

#include "HTMLBackground.h"
#include "HTMLDraw.h"
#include "PixelCanvas.h"
#include "TestBitmapFile.h"
#include "TestFixtures.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kPaper = RGB(255, 255, 255);

class HTMLBackgroundTest : public ::testing::Test {
protected:
    HTMLBackgroundTest() : canvas(100, 80, kPaper) {
        picture = folder / "tile.bmp";
        WriteBitmapFile(picture, 10, 8, kRed, kGreen);
    }

    void DrawWith(const CString& attributes) {
        background.Apply(CHTMLAttributes("Background " + attributes));
        background.DrawPicture(canvas.Dc(), CRect(0, 0, 100, 80));
    }

    TempFolder folder;
    CString picture;
    PixelCanvas canvas;
    CHTMLBackground background;
};

}  // namespace

TEST_F(HTMLBackgroundTest, PlacedPictureFollowsAlignAndShift) {
    const CRect client(0, 0, 100, 80);
    background.Apply(CHTMLAttributes("Background src=\"" + picture + "\""));
    ASSERT_TRUE(background.HasPicture());
    EXPECT_EQ(CRect(0, 0, 10, 8), background.PlacedRect(client));

    background.Apply(CHTMLAttributes("Background align=right valign=bottom ShiftX=-3 ShiftY=-2"));
    EXPECT_EQ(CRect(87, 70, 97, 78), background.PlacedRect(client));

    background.Apply(CHTMLAttributes("Background align=middle valign=center ShiftX=0 ShiftY=0"));
    EXPECT_EQ(CRect(45, 36, 55, 44), background.PlacedRect(client));
}

TEST_F(HTMLBackgroundTest, PlacedPictureIsDrawnAtItsPlaceOnly) {
    DrawWith("src=\"" + picture + "\" align=right valign=bottom");

    EXPECT_EQ(8 * 6, canvas.Count(CRect(90, 72, 100, 80), kRed, 0));
    EXPECT_EQ(100 * 80 - 10 * 8, canvas.Count(kPaper, 0));
}

TEST_F(HTMLBackgroundTest, StretchModeCoversTheClientArea) {
    DrawWith("src=\"" + picture + "\" mode=stretch");

    EXPECT_EQ(0, canvas.Count(kPaper, 0));
    EXPECT_EQ(canvas.At(50, 40), kRed);
}

TEST_F(HTMLBackgroundTest, PatternModeTilesThePicture) {
    DrawWith("src=\"" + picture + "\" mode=Pattern");

    EXPECT_EQ(0, canvas.Count(kPaper, 0));
    // Frames of the tiles: every tenth column and every eighth row.
    EXPECT_EQ(kGreen, canvas.At(50, 45));
    EXPECT_EQ(kGreen, canvas.At(55, 40));
    EXPECT_EQ(kRed, canvas.At(55, 45));
    EXPECT_EQ(10 * 8 * 6 * 10, canvas.Count(kRed, 0));
}

TEST_F(HTMLBackgroundTest, MissingPictureDrawsNothing) {
    DrawWith("src=nothing-here.bmp mode=stretch");

    EXPECT_FALSE(background.HasPicture());
    EXPECT_EQ(100 * 80, canvas.Count(kPaper, 0));
}

TEST_F(HTMLBackgroundTest, LayoutDrawsTheBackgroundPictureOverTheColour) {
    HTMLLayoutSettings settings;
    settings.client = CRect(0, 0, 100, 80);
    CHTMLLayout layout;
    layout.Build(canvas.Dc(), "<Background color=blue src=\"" + picture + "\" align=middle>", settings);

    DrawHTMLLayout(canvas.Dc(), settings.client, layout, kPaper, HTMLHighlight());

    EXPECT_EQ(8 * 6, canvas.Count(CRect(45, 0, 55, 8), kRed, 0));
    EXPECT_EQ(100 * 80 - 10 * 8, canvas.Count(RGB(0, 0, 255), 0));
}
