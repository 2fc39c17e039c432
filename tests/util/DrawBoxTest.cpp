#include <gtest/gtest.h>

#include "CDC.h"
#include "UtilityLib.h"

namespace {

const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kTopLeft = RGB(200, 0, 0);
const COLORREF kBottomRight = RGB(0, 0, 200);

// A 40 x 30 white bitmap selected into a memory DC; needs no display.
class MemoryCanvas {
public:
    MemoryCanvas() {
        HDC screen = GetDC(nullptr);
        dc.Attach(CreateCompatibleDC(screen));
        m_bitmap = CreateCompatibleBitmap(screen, 40, 30);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(dc, m_bitmap);
        dc.FillSolidRect(0, 0, 40, 30, kPaper);
    }
    ~MemoryCanvas() {
        SelectObject(dc, m_previous);
        DeleteObject(m_bitmap);
    }
    bool IsReady() const { return dc.GetSafeHdc() && m_bitmap; }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    CDC dc;

private:
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

}  // namespace

TEST(DrawBox, PaintsTopAndLeftBarsInTheFirstColourAndRightAndBottomInTheSecond) {
    MemoryCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());

    CUtilityLib::DrawBox(&canvas.dc, CRect(5, 4, 25, 20), kTopLeft, kBottomRight, 3);

    EXPECT_EQ(kTopLeft, canvas.At(5, 4));     // top-left corner
    EXPECT_EQ(kTopLeft, canvas.At(24, 6));    // top bar runs to the right edge
    EXPECT_EQ(kTopLeft, canvas.At(7, 19));    // left bar runs to the bottom edge
    EXPECT_EQ(kBottomRight, canvas.At(22, 7));   // right bar starts below the top bar
    EXPECT_EQ(kBottomRight, canvas.At(24, 19));  // bottom-right corner
    EXPECT_EQ(kBottomRight, canvas.At(8, 17));   // bottom bar starts right of the left bar
    EXPECT_EQ(kPaper, canvas.At(8, 7));       // inside stays
    EXPECT_EQ(kPaper, canvas.At(21, 16));
    EXPECT_EQ(kPaper, canvas.At(4, 4));       // outside stays
    EXPECT_EQ(kPaper, canvas.At(25, 10));
    EXPECT_EQ(kPaper, canvas.At(10, 20));
}

TEST(DrawBox, OneColourFormPaintsEveryBarAlike) {
    MemoryCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());

    CUtilityLib::DrawBox(&canvas.dc, CRect(2, 2, 12, 12), kBottomRight, 1);

    EXPECT_EQ(kBottomRight, canvas.At(6, 2));
    EXPECT_EQ(kBottomRight, canvas.At(2, 6));
    EXPECT_EQ(kBottomRight, canvas.At(11, 6));
    EXPECT_EQ(kBottomRight, canvas.At(6, 11));
    EXPECT_EQ(kPaper, canvas.At(3, 3));
    EXPECT_EQ(kPaper, canvas.At(10, 10));
    EXPECT_EQ(kPaper, canvas.At(12, 6));
}
