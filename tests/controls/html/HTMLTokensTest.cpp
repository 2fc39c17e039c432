#include <gtest/gtest.h>

#include "HTMLTokens.h"

namespace {

::testing::AssertionResult IsToken(const HTMLToken& token, HTMLToken::Kind kind, const char* text) {
    if (token.kind == kind && token.text == text)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (token.kind == HTMLToken::kTag ? "tag " : "text ") << "\""
                                         << static_cast<const char*>(token.text) << "\"";
}

}  // namespace

TEST(HTMLTokens, MarkupIsCutIntoTextRunsAndTags) {
    std::vector<HTMLToken> tokens = TokenizeHTML("<p align=right><B>처리</B> 완료<br>끝");

    ASSERT_EQ(7u, tokens.size());
    EXPECT_TRUE(IsToken(tokens[0], HTMLToken::kTag, "p align=right"));
    EXPECT_TRUE(IsToken(tokens[1], HTMLToken::kTag, "B"));
    EXPECT_TRUE(IsToken(tokens[2], HTMLToken::kText, "처리"));
    EXPECT_TRUE(IsToken(tokens[3], HTMLToken::kTag, "/B"));
    EXPECT_TRUE(IsToken(tokens[4], HTMLToken::kText, " 완료"));
    EXPECT_TRUE(IsToken(tokens[5], HTMLToken::kTag, "br"));
    EXPECT_TRUE(IsToken(tokens[6], HTMLToken::kText, "끝"));
}

TEST(HTMLTokens, UnclosedTagIsText) {
    std::vector<HTMLToken> tokens = TokenizeHTML("a<b>c<d");

    ASSERT_EQ(3u, tokens.size());
    EXPECT_TRUE(IsToken(tokens[2], HTMLToken::kText, "c<d"));
    EXPECT_TRUE(TokenizeHTML("").empty());
}

TEST(HTMLTokens, TextRunsHaveTheirEntitiesDecoded) {
    std::vector<HTMLToken> tokens = TokenizeHTML("&lt;b&gt;<i>&quot;x&quot; &amp; y");

    ASSERT_EQ(3u, tokens.size());
    EXPECT_TRUE(IsToken(tokens[0], HTMLToken::kText, "<b>"));
    EXPECT_TRUE(IsToken(tokens[2], HTMLToken::kText, "\"x\" & y"));
}

TEST(HTMLTokens, UnknownEntitiesVanishAndRunsLeftEmptyAreDropped) {
    EXPECT_STREQ("ab", DecodeHTMLEntities("a&nbsp;b&#65;"));
    std::vector<HTMLToken> tokens = TokenizeHTML("<b>&nbsp;</b>");
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(HTMLToken::kTag, tokens[1].kind);
}

TEST(HTMLTokens, AmpersandThatStartsNoEntityStays) {
    EXPECT_STREQ("a & b &; c&", DecodeHTMLEntities("a & b &; c&"));
    EXPECT_STREQ("&amp", DecodeHTMLEntities("&amp"));
}

TEST(HTMLTokens, KoreanTextIsCopiedWhole) {
    EXPECT_STREQ("가&나", DecodeHTMLEntities("가&amp;나"));
    std::vector<HTMLToken> tokens = TokenizeHTML("<font color=blue>파란 글자</font>");
    ASSERT_EQ(3u, tokens.size());
    EXPECT_TRUE(IsToken(tokens[1], HTMLToken::kText, "파란 글자"));
}
