#include <gtest/gtest.h>

#include "HTMLBackgroundPrefix.h"
#include "HTMLDraw.h"
#include "PixelCanvas.h"

namespace {

const COLORREF kPaper = RGB(236, 233, 216);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

class HTMLDrawTest : public ::testing::Test {
protected:
    HTMLDrawTest() : canvas(300, 120, RGB(1, 2, 3)) { settings.client = CRect(0, 0, 300, 120); }

    void Draw(const char* text, const HTMLHighlight& highlight = HTMLHighlight()) {
        COLORREF background = kPaper;
        CString markup;
        SplitHTMLBackgroundPrefix(text, background, markup);
        layout.Build(canvas.Dc(), markup, settings);
        DrawHTMLLayout(canvas.Dc(), settings.client, layout, background, highlight);
    }

    PixelCanvas canvas;
    HTMLLayoutSettings settings;
    CHTMLLayout layout;
};

}  // namespace

TEST_F(HTMLDrawTest, EmptyMarkupDrawsOnlyTheBackground) {
    Draw("");
    EXPECT_EQ(300 * 120, canvas.Count(kPaper, 0));
}

TEST_F(HTMLDrawTest, PrefixColourFillsTheBackgroundAndRightAlignedTextEndsAtTheRightEdge) {
    Draw("#0,0,0#<p align=right><font color=white size=7>x");

    const CRect x = layout.GetRuns().at(0).rect;
    EXPECT_EQ(299, x.right);
    EXPECT_GT(canvas.Count(CRect(250, 0, 300, 120), kWhite), 30);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 250, 120), kWhite, 100));
    EXPECT_EQ(0, canvas.Count(kPaper, 0));
    EXPECT_GT(canvas.Count(kBlack, 0), 300 * 120 * 9 / 10);
}

TEST_F(HTMLDrawTest, TextIsDrawnInItsFontColourOverTheBackground) {
    Draw("<font size=7 color=blue><b>W</b></font><font size=7 color=#FF0000><b>W</b></font>");

    const CRect blue = layout.GetRuns().at(0).rect;
    const CRect red = layout.GetRuns().at(1).rect;
    EXPECT_GT(canvas.Count(blue, kBlue), 40);
    EXPECT_EQ(0, canvas.Count(blue, RGB(255, 0, 0)));
    EXPECT_GT(canvas.Count(red, RGB(255, 0, 0)), 40);
    EXPECT_GT(canvas.Count(blue, kPaper, 0), 0) << "the background stays between the strokes";
}

TEST_F(HTMLDrawTest, BackgroundTagColourWinsOverTheGivenColour) {
    Draw("<Background color=green>");
    EXPECT_EQ(300 * 120, canvas.Count(RGB(0, 128, 0), 0));
}

TEST_F(HTMLDrawTest, HighlightedLinkIsDrawnInTheHighlightColourAndUnderlined) {
    const char* markup = "<font size=7><b><a href=\"reru://Run\">WW</a> WW</b></font>";
    Draw(markup);
    const CRect link = layout.GetRuns().at(0).rect;
    const CRect plain = layout.GetRuns().at(1).rect;
    // The underline may lie a little below the text cell (Wine puts it there).
    const CRect underBaseline(link.left, link.bottom - 6, link.right, link.bottom + 6);
    EXPECT_EQ(0, canvas.Count(link, kBlue));
    EXPECT_GT(canvas.Count(link, kBlack), 40);
    EXPECT_EQ(0, canvas.Count(underBaseline, kBlack));

    HTMLHighlight highlight;
    highlight.link = 0;
    Draw(markup, highlight);
    EXPECT_EQ(0, canvas.Count(link, kBlack));
    EXPECT_GT(canvas.Count(link, kBlue), 40);
    EXPECT_GE(canvas.Count(underBaseline, kBlue), link.Width() - 2);
    EXPECT_EQ(0, canvas.Count(plain, kBlue)) << "runs outside the link keep their colour";
    EXPECT_GT(canvas.Count(plain, kBlack), 40);
}

TEST_F(HTMLDrawTest, HighlightWithoutUnderlineOnlyChangesTheColour) {
    const char* markup = "<font size=7><b><a href=x>WW</a></b></font>";
    Draw(markup);
    const CRect link = layout.GetRuns().at(0).rect;
    const int plainPixels = canvas.Count(link, kBlack, 0);

    HTMLHighlight highlight;
    highlight.link = 0;
    highlight.underline = false;
    highlight.colour = RGB(255, 0, 0);
    Draw(markup, highlight);
    EXPECT_EQ(plainPixels, canvas.Count(link, RGB(255, 0, 0), 0));
}
