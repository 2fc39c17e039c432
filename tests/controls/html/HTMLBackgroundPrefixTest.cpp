#include <gtest/gtest.h>

#include "HTMLBackgroundPrefix.h"

TEST(HTMLBackgroundPrefix, ThreeComponentsBetweenHashesSetTheColour) {
    COLORREF colour = RGB(1, 1, 1);
    CString markup;

    EXPECT_TRUE(SplitHTMLBackgroundPrefix("#255,128,0#<b>OK</b>", colour, markup));
    EXPECT_EQ(RGB(255, 128, 0), colour);
    EXPECT_STREQ("<b>OK</b>", markup);
}

TEST(HTMLBackgroundPrefix, ComponentsAreTakenModulo256AndMissingOnesAreZero) {
    COLORREF colour = 0;
    CString markup;

    EXPECT_TRUE(SplitHTMLBackgroundPrefix("#300,256,1#x", colour, markup));
    EXPECT_EQ(RGB(44, 0, 1), colour);
    EXPECT_TRUE(SplitHTMLBackgroundPrefix("#99999999999#x", colour, markup));
    EXPECT_EQ(RGB(99999999999LL % 256, 0, 0), colour);
    EXPECT_TRUE(SplitHTMLBackgroundPrefix("#7,8#", colour, markup));
    EXPECT_EQ(RGB(7, 8, 0), colour);
    EXPECT_STREQ("", markup);
}

TEST(HTMLBackgroundPrefix, SecondHashMustStandBeforePositionThirteen) {
    COLORREF colour = RGB(9, 9, 9);
    CString markup;

    EXPECT_TRUE(SplitHTMLBackgroundPrefix("#1,22,333333#y", colour, markup));  // second '#' at 12
    EXPECT_EQ(RGB(1, 22, 333333 % 256), colour);

    colour = RGB(9, 9, 9);
    EXPECT_FALSE(SplitHTMLBackgroundPrefix("#1,22,3333333#y", colour, markup));  // at 13
    EXPECT_STREQ("#1,22,3333333#y", markup);
    EXPECT_EQ(RGB(9, 9, 9), colour);
}

TEST(HTMLBackgroundPrefix, AnythingButDigitsAndCommasMeansNoPrefix) {
    COLORREF colour = RGB(9, 9, 9);
    CString markup;

    EXPECT_FALSE(SplitHTMLBackgroundPrefix("#1, 2,3#x", colour, markup));
    EXPECT_FALSE(SplitHTMLBackgroundPrefix("#red#x", colour, markup));
    EXPECT_FALSE(SplitHTMLBackgroundPrefix("1,2,3#x", colour, markup));
    EXPECT_FALSE(SplitHTMLBackgroundPrefix("#1,2,3", colour, markup));
    EXPECT_STREQ("#1,2,3", markup);
    EXPECT_FALSE(SplitHTMLBackgroundPrefix("", colour, markup));
    EXPECT_EQ(RGB(9, 9, 9), colour);
}
