#include <gtest/gtest.h>

#include "HTMLTags.h"

TEST(HTMLTags, MostTagsMatchTheWholeTrimmedTagWithoutRegardToCase) {
    EXPECT_EQ(HTMLTag::kBoldOn, ClassifyHTMLTag(" strong "));
    EXPECT_EQ(HTMLTag::kItalicOff, ClassifyHTMLTag("/EM"));
    EXPECT_EQ(HTMLTag::kLineBreak, ClassifyHTMLTag("BR"));
    EXPECT_EQ(HTMLTag::kCenterEnd, ClassifyHTMLTag("/Center"));
    EXPECT_EQ(HTMLTag::kParagraphEnd, ClassifyHTMLTag("/p"));
    EXPECT_EQ(HTMLTag::kUnknown, ClassifyHTMLTag("b class=x"));
    EXPECT_EQ(HTMLTag::kUnknown, ClassifyHTMLTag("br/"));
}

TEST(HTMLTags, SomeTagsMatchByTheirFirstLetters) {
    EXPECT_EQ(HTMLTag::kParagraph, ClassifyHTMLTag("p align=right"));
    EXPECT_EQ(HTMLTag::kParagraph, ClassifyHTMLTag("pre"));
    EXPECT_EQ(HTMLTag::kLink, ClassifyHTMLTag("a href=\"reru://Run\""));
    EXPECT_EQ(HTMLTag::kLinkEnd, ClassifyHTMLTag("/a"));
    EXPECT_EQ(HTMLTag::kFont, ClassifyHTMLTag("FONT color=red"));
    EXPECT_EQ(HTMLTag::kFontEnd, ClassifyHTMLTag("/font"));
}

TEST(HTMLTags, BackgroundAndImageWinOverShorterTags) {
    EXPECT_EQ(HTMLTag::kBackground, ClassifyHTMLTag("Background color=#000000"));
    EXPECT_EQ(HTMLTag::kBackground, ClassifyHTMLTag("background"));
    EXPECT_EQ(HTMLTag::kImage, ClassifyHTMLTag("IMG src=a.bmp"));
    EXPECT_EQ(HTMLTag::kImage, ClassifyHTMLTag("img"));
    EXPECT_EQ(HTMLTag::kUnknown, ClassifyHTMLTag("backgrnd"));
    EXPECT_EQ(HTMLTag::kUnknown, ClassifyHTMLTag("im"));
}
