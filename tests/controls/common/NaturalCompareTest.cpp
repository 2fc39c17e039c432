#include <gtest/gtest.h>

#include "NaturalCompare.h"

namespace {

// "가" and "나" in CP949; their lead bytes are negative as signed bytes.
#define GA "\xB0\xA1"
#define NA "\xB3\xAA"

bool Before(const char* a, const char* b) { return NaturalCompare(a, b) < 0 && NaturalCompare(b, a) > 0; }

}  // namespace

TEST(NaturalCompare, NumbersCompareByValueWithoutOverflow) {
    EXPECT_TRUE(Before("item2", "item10"));
    EXPECT_TRUE(Before("x09", "x10"));
    EXPECT_TRUE(Before("a2b", "a10a"));
    EXPECT_TRUE(Before(GA "2", GA "10"));
    EXPECT_TRUE(Before("n4294967295", "n4294967296"));
    EXPECT_TRUE(Before("n9999999999", "n99999999999999999999"));
}

TEST(NaturalCompare, OtherwiseSignedBytesDecideAndPrefixesComeFirst) {
    EXPECT_TRUE(Before("file007", "file7")) << "equal numbers: '0' before '7'";
    EXPECT_TRUE(Before("B", "a"));
    EXPECT_TRUE(Before(GA, "a"));
    EXPECT_TRUE(Before(GA, NA));
    EXPECT_TRUE(Before("abc", "abcd"));
    EXPECT_TRUE(Before("abc", "abc" GA)) << "even before a negative byte";
    EXPECT_TRUE(Before("a0", "a00"));
    EXPECT_EQ(0, NaturalCompare("item 12", "item 12"));
    EXPECT_NE(0, NaturalCompare("a1", "a01"));
}
