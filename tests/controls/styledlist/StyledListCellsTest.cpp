#include <gtest/gtest.h>

#include "StyledListCells.h"

using StyledListCells::ButtonKind;

TEST(StyledListCells, LineFeedFirstMakesAButtonAndItsKindHowItDraws) {
    EXPECT_EQ(ButtonKind::kPlain, StyledListCells::ButtonKindOf("\nBTN=지금 실행"));
    EXPECT_STREQ("지금 실행", StyledListCells::ButtonCaption("\nBTN=지금 실행"));
    EXPECT_EQ(ButtonKind::kStyled, StyledListCells::ButtonKindOf("\nSBTN=a=b"));
    EXPECT_STREQ("a=b", StyledListCells::ButtonCaption("\nSBTN=a=b"));
    EXPECT_TRUE(StyledListCells::IsButton("\nXYZ=a"));
    EXPECT_EQ(ButtonKind::kNone, StyledListCells::ButtonKindOf("\nXYZ=a"));
    EXPECT_FALSE(StyledListCells::IsButton("x\nBTN=y"));
}

TEST(StyledListCells, ProgressIsClampedAndLabelledByItsSecondLine) {
    EXPECT_EQ(100, StyledListCells::ProgressPercent("150"));
    EXPECT_STREQ("100%", StyledListCells::ProgressLabel("150"));
    EXPECT_EQ(0, StyledListCells::ProgressPercent("-5"));
    EXPECT_STREQ("0%", StyledListCells::ProgressLabel("-5"));
    EXPECT_EQ(40, StyledListCells::ProgressPercent("40\nCopying"));
    EXPECT_STREQ("Copying", StyledListCells::ProgressLabel("40\nCopying\nmore"));
    EXPECT_EQ(100, StyledListCells::ProgressPercent("99999999999999999999"));
}
