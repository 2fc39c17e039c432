#include <gtest/gtest.h>

#include "UtilityLib.h"

namespace {

CStringArray Split(const char* text, char token, bool quoteAware = false, bool stripQuotes = false) {
    CStringArray pieces;
    CUtilityLib::SplitStringByToken(text, token, pieces, quoteAware, stripQuotes);
    return pieces;
}

}  // namespace

TEST(GetString, FormatsDecimalOrUpperCaseHex) {
    EXPECT_STREQ("FF", CUtilityLib::GetString(255, 1));
    EXPECT_STREQ("255", CUtilityLib::GetString(255));
    EXPECT_STREQ("-1", CUtilityLib::GetString(-1, 0));
    EXPECT_STREQ("FFFFFFFF", CUtilityLib::GetString(-1, 1));
    EXPECT_STREQ("0", CUtilityLib::GetString(0, 1));
}

TEST(SplitStringByToken, SplitsAtEveryTokenKeepingEmptyPieces) {
    CStringArray pieces = Split("a,,b,", ',');
    ASSERT_EQ(4, pieces.GetSize());
    EXPECT_STREQ("a", pieces[0]);
    EXPECT_STREQ("", pieces[1]);
    EXPECT_STREQ("b", pieces[2]);
    EXPECT_STREQ("", pieces[3]);
}

TEST(SplitStringByToken, EmptyTextGivesOneEmptyPiece) {
    CStringArray pieces;
    EXPECT_EQ(1, CUtilityLib::SplitStringByToken("", ',', pieces));
    EXPECT_STREQ("", pieces[0]);
    EXPECT_EQ(1, Split("abc", ',').GetSize());
}

TEST(SplitStringByToken, AppendsToFilledArrayAndReturnsTotal) {
    CStringArray pieces;
    pieces.Add("first");
    EXPECT_EQ(3, CUtilityLib::SplitStringByToken("x;y", ';', pieces));
    EXPECT_STREQ("first", pieces[0]);
    EXPECT_STREQ("x", pieces[1]);
    EXPECT_STREQ("y", pieces[2]);
}

TEST(SplitStringByToken, QuoteAwareKeepsTokensInsideDoubleQuotes) {
    CStringArray kept = Split("x,\"1,2\",y", ',', true);
    ASSERT_EQ(3, kept.GetSize());
    EXPECT_STREQ("\"1,2\"", kept[1]);
    EXPECT_STREQ("y", kept[2]);

    CStringArray stripped = Split("x,\"1,2\",y", ',', true, true);
    ASSERT_EQ(3, stripped.GetSize());
    EXPECT_STREQ("1,2", stripped[1]);

    EXPECT_EQ(4, Split("x,\"1,2\",y", ',').GetSize());
    // Single quotes do not protect a token.
    EXPECT_EQ(4, Split("x,'1,2',y", ',', true).GetSize());
}

TEST(SplitStringByToken, StripQuotesOnlyTouchesQuotedPieces) {
    CStringArray pieces = Split("  \"ab\"  |  ab  |\"|'c d'|\"e'| \"\" ", '|', false, true);
    ASSERT_EQ(6, pieces.GetSize());
    EXPECT_STREQ("ab", pieces[0]);
    EXPECT_STREQ("  ab  ", pieces[1]);
    EXPECT_STREQ("\"", pieces[2]);
    EXPECT_STREQ("c d", pieces[3]);
    EXPECT_STREQ("\"e'", pieces[4]);
    EXPECT_STREQ("", pieces[5]);
}

TEST(SplitStringByToken, KoreanTextSplitsOnlyAtRealTokens) {
    ASSERT_EQ(949u, GetACP());
    // The trail byte of "갂" is 0x41, the same byte as 'A'.
    CStringArray pieces = Split("갂A휴지통", 'A');
    ASSERT_EQ(2, pieces.GetSize());
    EXPECT_STREQ("갂", pieces[0]);
    EXPECT_STREQ("휴지통", pieces[1]);
}
