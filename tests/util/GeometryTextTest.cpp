#include <gtest/gtest.h>

#include <windows.h>

#include "UtilityLib.h"

namespace {

// A memory DC with a 12-pixel "굴림" font selected; needs no display.
class FontCanvas {
public:
    FontCanvas() {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        m_font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, HANGUL_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "굴림");
        m_previous = SelectObject(m_dc, m_font);
    }
    ~FontCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }
    bool IsReady() const { return m_dc && m_font; }
    HDC Dc() const { return m_dc; }

    int Width(const char* text) const {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(m_dc, text, lstrlenA(text), &size);
        return size.cx;
    }

private:
    HDC m_dc = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_previous = nullptr;
};

bool StartsWith(const CString& text, const char* start) { return text.Left(lstrlenA(start)) == start; }
bool EndsWith(const CString& text, const char* end) { return text.Right(lstrlenA(end)) == end; }

// True when every double-byte character of the text is whole in code page 949.
bool IsWholeCp949(const CString& text) {
    return text.IsEmpty() ||
           MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, text, text.GetLength(), nullptr, 0) > 0;
}

const char kPath[] = "C:\\Program Files\\Some Vendor\\Application Folder\\settings backup.txt";
const char kHangulPath[] = "C:\\사용자\\문서 보관함\\한글 폴더 이름\\보고서 최종본.hwp";

}  // namespace

TEST(ConvertStringToRGB, ReadsDecimalComponentsWithSpaces) {
    COLORREF colour = CUtilityLib::ConvertStringToRGB(" 236, 233 ,216 ");
    EXPECT_EQ(236, GetRValue(colour));
    EXPECT_EQ(233, GetGValue(colour));
    EXPECT_EQ(216, GetBValue(colour));
}

TEST(ConvertStringToRGB, MissingComponentsAreZeroAndOthersWrapAt256) {
    EXPECT_EQ(RGB(10, 20, 0), CUtilityLib::ConvertStringToRGB("10,20"));
    EXPECT_EQ(RGB(0, 7, 0), CUtilityLib::ConvertStringToRGB(",7,"));
    EXPECT_EQ(RGB(0, 0, 0), CUtilityLib::ConvertStringToRGB(""));
    EXPECT_EQ(RGB(0, 0, 0), CUtilityLib::ConvertStringToRGB(nullptr));
    EXPECT_EQ(RGB(0, 255, 44), CUtilityLib::ConvertStringToRGB("256,-1,300"));
}

TEST(ConvertStringToRect, ReadsFourEdgesIncludingNegativeOnes) {
    EXPECT_EQ(CRect(-2, -3, 4, 5), CUtilityLib::ConvertStringToRect("-2, -3, 4, 5"));
    EXPECT_EQ(CRect(1, 2, 3, 0), CUtilityLib::ConvertStringToRect("1,2,3"));
    EXPECT_EQ(CRect(1, 2, 3, 4), CUtilityLib::ConvertStringToRect("1,2,3,4,5"));
    EXPECT_EQ(CRect(), CUtilityLib::ConvertStringToRect(nullptr));
}

TEST(ConvertStringToPoint, ReadsXAndY) {
    EXPECT_EQ(CPoint(7, -8), CUtilityLib::ConvertStringToPoint(" 7 , -8 "));
    EXPECT_EQ(CPoint(5, 0), CUtilityLib::ConvertStringToPoint("5"));
    EXPECT_EQ(CPoint(0, 0), CUtilityLib::ConvertStringToPoint("x,y"));
}

TEST(GetMonitorFromPoint, GivesTheWorkAreaOfTheMonitorNearestThePoint) {
    RECT workArea;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0));
    CRect atOrigin = CUtilityLib::GetMonitorFromPoint(CPoint(0, 0));
    EXPECT_EQ(CRect(workArea), atOrigin);
    EXPECT_FALSE(atOrigin.IsRectEmpty());
    if (GetSystemMetrics(SM_CMONITORS) == 1) {
        EXPECT_EQ(atOrigin, CUtilityLib::GetMonitorFromPoint(CPoint(-30000, 40000)));
    }
}

TEST(GetEllipsisText, TextThatFitsIsUnchanged) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    int exact = canvas.Width(kHangulPath);
    ASSERT_GT(exact, 100);
    EXPECT_STREQ(kHangulPath, CUtilityLib::GetEllipsisText(canvas.Dc(), kHangulPath, exact));
    EXPECT_STREQ(kPath, CUtilityLib::GetEllipsisText(canvas.Dc(), kPath, 2000));
    EXPECT_STREQ("", CUtilityLib::GetEllipsisText(canvas.Dc(), "", 10));
}

TEST(GetEllipsisText, NarrowCellKeepsTheStartOfThePathAndTheFileName) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    int width = canvas.Width("C:\\Program Files\\...\\settings backup.txt");
    CString shortened = CUtilityLib::GetEllipsisText(canvas.Dc(), kPath, width);
    EXPECT_LE(canvas.Width(shortened), width);
    EXPECT_TRUE(StartsWith(shortened, "C:\\Program Files\\")) << (const char*)shortened;
    EXPECT_TRUE(EndsWith(shortened, "...\\settings backup.txt")) << (const char*)shortened;
    EXPECT_TRUE(StartsWith(kPath, shortened.Left(shortened.Find("..."))));
    // Nothing that fits was given away: one more character of the folder would not fit.
    int kept = shortened.Find("...");
    CString oneMore = CString(kPath).Left(kept + 1) + "...\\settings backup.txt";
    EXPECT_GT(canvas.Width(oneMore), width);
}

TEST(GetEllipsisText, HangulIsNeverSplitAtAnyWidth) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    ASSERT_EQ(949u, GetACP());
    for (int width = canvas.Width(kHangulPath) - 1; width >= canvas.Width("..."); width -= 3) {
        CString shortened = CUtilityLib::GetEllipsisText(canvas.Dc(), kHangulPath, width);
        ASSERT_LE(canvas.Width(shortened), width) << width;
        ASSERT_TRUE(IsWholeCp949(shortened)) << width << ": " << (const char*)shortened;
        int dots = shortened.Find("...");
        ASSERT_GE(dots, 0) << width << ": " << (const char*)shortened;
        EXPECT_TRUE(StartsWith(kHangulPath, shortened.Left(dots))) << width;
        EXPECT_TRUE(EndsWith(kHangulPath, shortened.Mid(dots + 3))) << width;
    }
}

TEST(GetEllipsisText, FileNameTooWideOnItsOwnKeepsItsEnd) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    int width = canvas.Width("...최종본.hwp");
    CString shortened = CUtilityLib::GetEllipsisText(canvas.Dc(), kHangulPath, width);
    EXPECT_LE(canvas.Width(shortened), width);
    EXPECT_TRUE(StartsWith(shortened, "...")) << (const char*)shortened;
    EXPECT_TRUE(EndsWith(shortened, "최종본.hwp")) << (const char*)shortened;
}

TEST(GetEllipsisText, TextWithoutFoldersLosesItsEnd) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    const char* text = "a long report title without any folder";
    int width = canvas.Width("a long report...");
    CString shortened = CUtilityLib::GetEllipsisText(canvas.Dc(), text, width);
    EXPECT_LE(canvas.Width(shortened), width);
    EXPECT_TRUE(StartsWith(shortened, "a long")) << (const char*)shortened;
    EXPECT_TRUE(EndsWith(shortened, "...")) << (const char*)shortened;
}

TEST(GetEllipsisText, WidthBelowTheDotsStillGivesTextThatFits) {
    FontCanvas canvas;
    ASSERT_TRUE(canvas.IsReady());
    int width = canvas.Width("..");
    CString shortened = CUtilityLib::GetEllipsisText(canvas.Dc(), kPath, width);
    EXPECT_LE(canvas.Width(shortened), width);
    EXPECT_TRUE(StartsWith("...", shortened)) << (const char*)shortened;
    EXPECT_FALSE(shortened.IsEmpty());
}
