#include <gtest/gtest.h>

#include "HTMLDraw.h"
#include "HTMLLayout.h"
#include "ImportPatch.h"
#include "PixelCanvas.h"
#include "TestBitmapFile.h"
#include "TestFixtures.h"

namespace {

class HTMLLayoutTest : public ::testing::Test {
protected:
    HTMLLayoutTest() : canvas(400, 200, RGB(255, 255, 255)) { settings.client = CRect(0, 0, 400, 200); }

    const std::vector<HTMLRun>& Lay(const char* markup) {
        layout.Build(canvas.Dc(), markup, settings);
        return layout.GetRuns();
    }

    PixelCanvas canvas;
    HTMLLayoutSettings settings;
    CHTMLLayout layout;
};

// Characters that Tovrin.dll measures with GetTextExtentPoint32A.
size_t g_measuredCharacters = 0;
BOOL WINAPI CountingTextExtent(HDC dc, LPCSTR text, int length, LPSIZE size) {
    g_measuredCharacters += length > 0 ? static_cast<size_t>(length) : 0;
    return GetTextExtentPoint32A(dc, text, length, size);
}

CString Joined(const std::vector<HTMLRun>& runs) {
    CString text;
    for (const HTMLRun& run : runs)
        text += run.text;
    return text;
}

}  // namespace

TEST_F(HTMLLayoutTest, FirstLineStartsOnePixelBelowTheMarginCorner) {
    settings.margin = CPoint(7, 5);
    const auto& runs = Lay("abc");

    ASSERT_EQ(1u, runs.size());
    EXPECT_STREQ("abc", runs[0].text);
    EXPECT_EQ(7, runs[0].rect.left);
    EXPECT_EQ(6, runs[0].rect.top);
    EXPECT_GT(runs[0].rect.Width(), 0);
    EXPECT_EQ(runs[0].rect, layout.GetBoundingRect());
}

TEST_F(HTMLLayoutTest, LinesAreSpacedByTheLineHeightOffsetPlusTwo) {
    settings.lineHeightOffset = 3;
    const auto& runs = Lay("a<br>b<BR>c");

    ASSERT_EQ(3u, runs.size());
    const int height = runs[0].rect.Height();
    EXPECT_EQ(1, runs[0].rect.top);
    EXPECT_EQ(1 + height + 5, runs[1].rect.top);
    EXPECT_EQ(1 + 2 * height + 10, runs[2].rect.top);
    EXPECT_EQ(0, runs[2].rect.left);
}

TEST_F(HTMLLayoutTest, LineBreakOnAnEmptyLineLeavesABlankLine) {
    const int oneBreak = Lay("a<br>b")[1].rect.top;
    const int twoBreaks = Lay("a<br><br>b")[1].rect.top;

    EXPECT_GE(twoBreaks - oneBreak, layout.GetRuns()[0].rect.Height());
}

TEST_F(HTMLLayoutTest, ParagraphAlignsTheLinesThatFollow) {
    settings.margin = CPoint(10, 0);
    const auto& runs = Lay("<p align=right>right<p align=center>centre</p>left<center>mid</center><right>r</right>");

    ASSERT_EQ(5u, runs.size());
    const int width = 400 - 10;
    EXPECT_EQ(10 + width - runs[0].rect.Width() - 1, runs[0].rect.left);
    EXPECT_EQ(10 + (width - runs[1].rect.Width()) / 2, runs[1].rect.left);
    EXPECT_EQ(10, runs[2].rect.left);
    EXPECT_EQ(10 + (width - runs[3].rect.Width()) / 2, runs[3].rect.left);
    EXPECT_EQ(10 + width - runs[4].rect.Width() - 1, runs[4].rect.left);
    for (size_t i = 1; i < runs.size(); ++i)
        EXPECT_GT(runs[i].rect.top, runs[i - 1].rect.top) << "one line each";
}

TEST_F(HTMLLayoutTest, BlockTagsBreakOnlyAfterSomethingWasPlaced) {
    const auto& runs = Lay("<p><center><p align=right>a<p>b");

    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(1, runs[0].rect.top);
    EXPECT_EQ(399 - runs[0].rect.Width(), runs[0].rect.left);
    EXPECT_GT(runs[1].rect.top, runs[0].rect.bottom);
    EXPECT_EQ(399 - runs[1].rect.Width(), runs[1].rect.left) << "<p> without align keeps the alignment";
}

TEST_F(HTMLLayoutTest, UnknownAlignValueChangesNothing) {
    const auto& runs = Lay("<p align=justify>a");
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(0, runs[0].rect.left);
}

TEST_F(HTMLLayoutTest, StyleTagsChangeTheFontOfTheRunsThatFollow) {
    const auto& runs = Lay("<b>b</b><i>i</i><u>u</u><strong>s</strong>n");

    ASSERT_EQ(5u, runs.size());
    EXPECT_EQ(1, runs[0].font.m_bold);
    EXPECT_EQ(1, runs[1].font.m_italic);
    EXPECT_EQ(1, runs[2].font.m_underline);
    EXPECT_EQ(1, runs[3].font.m_bold);
    EXPECT_EQ(0, runs[4].font.m_bold + runs[4].font.m_italic + runs[4].font.m_underline);
}

TEST_F(HTMLLayoutTest, FontTagScalesFromTheBaseFontAndItsEndRestoresTheWholeState) {
    const auto& runs = Lay("<font size=+1 color=red face=Dotum><b>x</font>y</font><i>z");

    ASSERT_EQ(3u, runs.size());
    EXPECT_DOUBLE_EQ(9.0 * 1.125, runs[0].font.m_pointSize);
    EXPECT_EQ(RGB(255, 0, 0), runs[0].font.m_colour);
    EXPECT_STREQ("Dotum", runs[0].font.m_faceName);
    EXPECT_EQ(1, runs[0].font.m_bold);
    EXPECT_DOUBLE_EQ(9.0, runs[1].font.m_pointSize);
    EXPECT_EQ(0u, runs[1].font.m_colour);
    EXPECT_EQ(0, runs[1].font.m_bold);
    EXPECT_STREQ("굴림", runs[1].font.m_faceName);
    EXPECT_EQ(1, runs[2].font.m_italic) << "a second </font> with nothing pushed changes nothing";
}

TEST_F(HTMLLayoutTest, RunsOfOneLineShareTheirBottomEdge) {
    const auto& runs = Lay("<font size=7>Big</font>small");

    ASSERT_EQ(2u, runs.size());
    EXPECT_GT(runs[0].rect.Height(), runs[1].rect.Height());
    EXPECT_EQ(runs[0].rect.bottom, runs[1].rect.bottom);
    EXPECT_EQ(runs[0].rect.right, runs[1].rect.left);
}

TEST_F(HTMLLayoutTest, LinksKnowTheirTargetsAndTheirRuns) {
    const auto& runs = Lay("go <a href=\"reru://Run\">run <b>now</b></a> or <a href=http://x>web</a><a name=n>plain");

    ASSERT_EQ(6u, runs.size());
    ASSERT_EQ(2, layout.GetLinkCount());
    EXPECT_STREQ("reru://Run", layout.GetLinkTarget(0));
    EXPECT_STREQ("http://x", layout.GetLinkTarget(1));
    EXPECT_EQ(-1, runs[0].link);
    EXPECT_EQ(0, runs[1].link);
    EXPECT_EQ(0, runs[2].link);
    EXPECT_EQ(-1, runs[3].link);
    EXPECT_EQ(1, runs[4].link);
    EXPECT_EQ(-1, runs[5].link) << "an anchor without href links nowhere";

    EXPECT_EQ(0, layout.LinkAt(runs[2].rect.CenterPoint()));
    EXPECT_EQ(1, layout.LinkAt(runs[4].rect.CenterPoint()));
    EXPECT_EQ(-1, layout.LinkAt(runs[3].rect.CenterPoint()));
    EXPECT_EQ(-1, layout.LinkAt(CPoint(390, 190)));
}

TEST_F(HTMLLayoutTest, BoundingRectCoversEveryLine) {
    const auto& runs = Lay("short<br><center>a much longer line</center>");

    ASSERT_EQ(2u, runs.size());
    CRect bounds = layout.GetBoundingRect();
    EXPECT_EQ(runs[0].rect.left, bounds.left);
    EXPECT_EQ(runs[0].rect.top, bounds.top);
    EXPECT_EQ(runs[1].rect.right, bounds.right);
    EXPECT_EQ(runs[1].rect.bottom, bounds.bottom);
    EXPECT_TRUE(CHTMLLayout().GetBoundingRect().IsRectEmpty());
}

TEST_F(HTMLLayoutTest, AutomaticBreakKeepsDoubleByteCharactersWhole) {
    settings.client = CRect(0, 0, 70, 200);
    const auto& runs = Lay("가나다라마바사아자차카타파하");

    ASSERT_GT(runs.size(), 2u);
    EXPECT_STREQ("가나다라마바사아자차카타파하", Joined(runs));
    for (const HTMLRun& run : runs) {
        EXPECT_EQ(0, run.text.GetLength() % 2) << static_cast<const char*>(run.text);
        EXPECT_LE(run.rect.right, 70);
        EXPECT_EQ(0, run.rect.left);
    }
    EXPECT_GT(runs[1].rect.top, runs[0].rect.top);
}

TEST_F(HTMLLayoutTest, AutomaticBreakFillsTheLineBeforeBreaking) {
    settings.client = CRect(0, 0, 100, 200);
    const auto& runs = Lay("<b>ab</b>cdefghijklmnopqrstuvwxyz");

    ASSERT_GE(runs.size(), 3u);
    EXPECT_STREQ("ab", runs[0].text);
    EXPECT_EQ(runs[0].rect.top, runs[1].rect.top) << "the rest of the first line is filled";
    EXPECT_LE(runs[1].rect.right, 100);
    EXPECT_STREQ("abcdefghijklmnopqrstuvwxyz", Joined(runs));
}

TEST_F(HTMLLayoutTest, LineTooNarrowForOneCharacterStillTakesOne) {
    settings.client = CRect(0, 0, 3, 200);
    const auto& runs = Lay("ab가");

    ASSERT_EQ(3u, runs.size());
    EXPECT_STREQ("가", runs[2].text);
}

TEST_F(HTMLLayoutTest, WithoutAutomaticBreakLinesBreakOnlyWhereTheMarkupSays) {
    settings.client = CRect(0, 0, 30, 200);
    settings.autoLineBreak = false;
    const auto& runs = Lay("a long line of text<br>next");

    ASSERT_EQ(2u, runs.size());
    EXPECT_GT(runs[0].rect.right, 30);
}

TEST_F(HTMLLayoutTest, BackgroundTagSetsTheColourAndPlacesNoRun) {
    const auto& runs = Lay("<Background color=#00FF00>x");

    EXPECT_EQ(1u, runs.size());
    EXPECT_TRUE(layout.GetBackground().HasColour());
    EXPECT_EQ(RGB(0, 255, 0), layout.GetBackground().GetColour());
    Lay("x");
    EXPECT_FALSE(layout.GetBackground().HasColour()) << "a new layout forgets the old background";
}

TEST_F(HTMLLayoutTest, InlinePictureTakesItsSizeAndIsMovedByItsOffset) {
    TempFolder folder;
    const CString picture = folder / "dot.bmp";
    ASSERT_TRUE(WriteBitmapFile(picture, 6, 4, RGB(255, 0, 0), RGB(255, 0, 0)));
    const CString markup = "a<IMG src=\"" + picture + "\" width=20 height=30 voffset=3>b<img src=\"" + picture +
                           "\"><img src=missing.bmp>";
    const auto& runs = Lay(markup);

    ASSERT_EQ(4u, runs.size());
    EXPECT_EQ(HTMLRun::kImage, runs[1].kind);
    EXPECT_EQ(CSize(20, 30), runs[1].rect.Size());
    EXPECT_EQ(runs[0].rect.right, runs[1].rect.left);
    EXPECT_EQ(1 + 3, runs[1].rect.top) << "the tallest run sets the line; voffset moves the picture down";
    EXPECT_EQ(runs[2].rect.bottom, 1 + 30);
    EXPECT_EQ(CSize(6, 4), runs[3].rect.Size());

    DrawHTMLLayout(canvas.Dc(), settings.client, layout, RGB(255, 255, 255), HTMLHighlight());
    EXPECT_EQ(20 * 30, canvas.Count(runs[1].rect, RGB(255, 0, 0), 0));
}

TEST_F(HTMLLayoutTest, ALongRunOfLessThanSignsWrapsMeasuringEachCharacterAFewTimes) {
    const CString run('<', 100000);
    ImportPatch counting(GetModuleHandleA("Tovrin.dll"), "gdi32.dll", "GetTextExtentPoint32A",
                         reinterpret_cast<void*>(&CountingTextExtent));
    ASSERT_TRUE(counting.IsActive());
    g_measuredCharacters = 0;
    const auto& runs = Lay(run);

    EXPECT_LT(g_measuredCharacters, 40u * 100000);
    ASSERT_GT(runs.size(), 100u);
    EXPECT_TRUE(Joined(runs) == run);
    int tooWide = 0, shorterLines = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        tooWide += runs[i].rect.right > 400;
        shorterLines += i + 1 < runs.size() && runs[i].text.GetLength() != runs[0].text.GetLength();
    }
    EXPECT_EQ(0, tooWide);
    EXPECT_EQ(0, shorterLines) << "every line but the last is filled";
    EXPECT_GT(runs[1].rect.top, runs[0].rect.top);
}

TEST_F(HTMLLayoutTest, NestedFontSizesStopAtNineTimesTheBaseSize) {
    const struct {
        const char* tag;
        int step;
        double points;
    } cases[] = {
        {"<font size=+1>x", 21, 81.0},
        {"<font size=+1000>x", 21, 81.0},
        {"<font size=-1000>x", -21, 9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        CString markup;
        while (markup.GetLength() < 100000)
            markup += c.tag;
        const auto& runs = Lay(markup);
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(c.step, runs.back().font.m_sizeStep);
        EXPECT_NEAR(c.points, runs.back().font.m_pointSize, 0.01);
        EXPECT_LT(runs.back().rect.Height(), 150) << "81 points are 108 pixels at 96 dots per inch";
    }
}
