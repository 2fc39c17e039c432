#include <gtest/gtest.h>

#include "HTMLFont.h"
#include "PixelCanvas.h"

TEST(HTMLFont, SizeValuesMoveOrSetTheStepAndRescaleThePointSize) {
    CHTMLFont font;
    font.ApplySizeValue("+1");
    EXPECT_EQ(4, font.m_sizeStep);
    EXPECT_DOUBLE_EQ(9.0 * 1.125, font.m_pointSize);

    font.ApplySizeValue(" \t+1 ");
    EXPECT_EQ(5, font.m_sizeStep);
    EXPECT_DOUBLE_EQ(9.0 * 1.5, font.m_pointSize);

    font.ApplySizeValue("-3");
    EXPECT_EQ(2, font.m_sizeStep);
    EXPECT_DOUBLE_EQ(9.0 * 0.8, font.m_pointSize);

    font.ApplySizeValue("7");
    EXPECT_EQ(7, font.m_sizeStep);
    EXPECT_DOUBLE_EQ(27.0, font.m_pointSize);

    font.ApplySizeValue("+7");
    EXPECT_DOUBLE_EQ(9.0 * 14 / 7.0 * 3.0, font.m_pointSize);
    font.ApplySizeValue("-20");
    EXPECT_DOUBLE_EQ(9.0, font.m_pointSize) << "steps below 1 keep the base size";
}

TEST(HTMLFont, SizeValueThatIsNotADecimalNumberCountsAsZero) {
    CHTMLFont font;
    font.ApplySizeValue("+1");
    font.ApplySizeValue("big");
    EXPECT_EQ(0, font.m_sizeStep);
    EXPECT_DOUBLE_EQ(9.0, font.m_pointSize);

    CHTMLFont signedJunk;
    signedJunk.ApplySizeValue("+x");
    EXPECT_EQ(3, signedJunk.m_sizeStep);
    signedJunk.ApplySizeValue("2px");
    EXPECT_EQ(0, signedJunk.m_sizeStep);
}

TEST(HTMLFont, StepsStopAtPlusOrMinusTwentyOne) {
    const struct {
        const char* value;
        int step;
        double points;
    } cases[] = {
        {"21", 21, 81.0},
        {"22", 21, 81.0},
        {"+18", 21, 81.0},
        {"+99999999999999999999", 21, 81.0},
        {"-99999999999999999999", -21, 9.0},
    };
    for (const auto& c : cases) {
        CHTMLFont font;
        font.ApplySizeValue(c.value);
        EXPECT_EQ(c.step, font.m_sizeStep) << c.value;
        EXPECT_DOUBLE_EQ(c.points, font.m_pointSize) << c.value;
    }
}

TEST(HTMLFont, CharacterHeightUsesTheDevicesDotsPerInchTruncated) {
    CHTMLFont font;
    EXPECT_EQ(-11, font.CharacterHeight(nullptr));  // 90 x 9 / 72 = 11.25

    PixelCanvas canvas(4, 4, 0);
    const int dotsPerInch = GetDeviceCaps(canvas.Dc(), LOGPIXELSY);
    EXPECT_EQ(-static_cast<int>(dotsPerInch * 9 / 72.0), font.CharacterHeight(canvas.Dc()));
    if (dotsPerInch == 96) {
        EXPECT_EQ(-12, font.CharacterHeight(canvas.Dc()));
    }
}

TEST(HTMLFont, CreatedFontCarriesTheStyle) {
    CHTMLFont look;
    look.m_bold = 1;
    look.m_italic = 1;
    look.m_underline = 1;
    look.m_charSet = HANGUL_CHARSET;
    CFont font;
    ASSERT_TRUE(look.CreateFont(font, nullptr));

    LOGFONTA read = {};
    ASSERT_GT(font.GetLogFont(&read), 0);
    EXPECT_EQ(-11, read.lfHeight);
    EXPECT_EQ(FW_BOLD, read.lfWeight);
    EXPECT_EQ(1, read.lfItalic);
    EXPECT_EQ(1, read.lfUnderline);
    EXPECT_EQ(HANGUL_CHARSET, read.lfCharSet);
    EXPECT_STREQ("굴림", read.lfFaceName);
}
