#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "CString.h"

TEST(CString, MidLeftRightClampOutOfRangeArguments) {
    CString text("abcdef");
    EXPECT_STREQ("ab", text.Mid(-3, 2));
    EXPECT_STREQ("ef", text.Mid(4));
    EXPECT_STREQ("", text.Mid(10));
    EXPECT_STREQ("cdef", text.Mid(2, 100));
    EXPECT_STREQ("", text.Mid(2, -1));
    EXPECT_STREQ("", text.Left(-1));
    EXPECT_STREQ("abcdef", text.Left(100));
    EXPECT_STREQ("ef", text.Right(2));
    EXPECT_STREQ("abcdef", text.Right(100));
    EXPECT_STREQ("", text.Right(-5));
}

TEST(CString, FindsCharactersAndTextFromAStart) {
    CString text("abcabc");
    EXPECT_EQ(2, text.Find('c'));
    EXPECT_EQ(5, text.Find('c', 3));
    EXPECT_EQ(-1, text.Find('c', 6));
    EXPECT_EQ(-1, text.Find('a', 100));
    EXPECT_EQ(4, text.Find("bc", 2));
    EXPECT_EQ(-1, text.Find("cd"));
    EXPECT_EQ(5, text.ReverseFind('c'));
    EXPECT_EQ(-1, text.ReverseFind('z'));
    EXPECT_EQ(1, text.FindOneOf("zb"));
}

TEST(CString, ReplaceCountsAndResizes) {
    CString text("one-two-one");
    EXPECT_EQ(2, text.Replace("one", "three"));
    EXPECT_STREQ("three-two-three", text);
    EXPECT_EQ(2, text.Replace("three", "1"));
    EXPECT_STREQ("1-two-1", text);
    EXPECT_EQ(2, text.Replace('-', '+'));
    EXPECT_STREQ("1+two+1", text);
    EXPECT_EQ(0, text.Replace("absent", "x"));
    EXPECT_STREQ("1+two+1", text);

    CString run("aaaaa");
    EXPECT_EQ(2, run.Replace("aa", "b"));  // matches do not overlap
    EXPECT_STREQ("bba", run);
}

TEST(CString, RemoveInsertDeleteEditInPlace) {
    CString text("a,b,,c");
    EXPECT_EQ(3, text.Remove(','));
    EXPECT_STREQ("abc", text);
    EXPECT_EQ(5, text.Insert(1, "XY"));
    EXPECT_STREQ("aXYbc", text);
    text.Insert(100, '!');
    text.Insert(-1, '^');
    EXPECT_STREQ("^aXYbc!", text);
    EXPECT_EQ(5, text.Delete(2, 2));
    EXPECT_STREQ("^abc!", text);
    EXPECT_EQ(3, text.Delete(3, 100));
    EXPECT_STREQ("^ab", text);
    EXPECT_EQ(3, text.Delete(10));
}

TEST(CString, FormatProducesOutputLongerThanAnyFirstGuess) {
    CString filler('x', 5000);
    CString text;
    text.Format("%s|%d|%s", static_cast<const char*>(filler), 42, "end");
    EXPECT_EQ(5007, text.GetLength());
    EXPECT_STREQ("|42|end", text.Right(7));
    EXPECT_EQ(5000, static_cast<int>(strspn(text, "x")));
}

TEST(CString, FormatMayReadItsOwnText) {
    CString text("inner");
    text.Format("<%s><%s>", static_cast<const char*>(text), static_cast<const char*>(text));
    EXPECT_STREQ("<inner><inner>", text);
}

TEST(CString, GetBufferAndReleaseBufferSetTheLength) {
    CString text;
    strcpy(text.GetBuffer(10), "hello");
    text.ReleaseBuffer();
    EXPECT_EQ(5, text.GetLength());
    EXPECT_STREQ("hello", text);

    strcpy(text.GetBuffer(), "hello world");
    text.ReleaseBuffer(3);
    EXPECT_STREQ("hel", text);

    char* bytes = text.GetBufferSetLength(4);
    memcpy(bytes, "wxyz", 4);
    text.ReleaseBuffer();
    EXPECT_STREQ("wxyz", text);

    CString reused(CString('y', 100));
    reused = "abc";  // keeps the large buffer and the old bytes behind the text
    memset(reused.GetBuffer(10), 'x', 10);
    reused.ReleaseBuffer();
    EXPECT_STREQ("xxxxxxxxxx", reused);

    // Writing into a fresh string's buffer must not touch the text other empty strings share.
    CString untouched;
    EXPECT_STREQ("", untouched);
    EXPECT_EQ(0, untouched.GetLength());
}

TEST(CString, AssignsAndAppendsItself) {
    CString text("abc");
    CString& alias = text;
    text = alias;
    EXPECT_STREQ("abc", text);
    text += alias;
    EXPECT_STREQ("abcabc", text);
    text += static_cast<const char*>(text) + 4;
    EXPECT_STREQ("abcabcbc", text);
    text = static_cast<const char*>(text) + 3;
    EXPECT_STREQ("abcbc", text);
    for (int i = 0; i < 6; ++i)
        text += text;  // grows past every earlier buffer
    EXPECT_EQ(5 * 64, text.GetLength());
    EXPECT_STREQ("abcbcabcbc", text.Left(10));
}

TEST(CString, TrimsWhiteSpaceAndGivenCharacters) {
    CString text(" \t ab c \r\n");
    EXPECT_STREQ("ab c", text.Trim());
    CString marked("xxyabcyx");
    EXPECT_STREQ("yabcyx", CString(marked).TrimLeft('x'));
    EXPECT_STREQ("xxyabc", CString(marked).TrimRight("xy"));
    EXPECT_STREQ("", CString("   ").Trim());
}

// Characters of CP949 whose trail byte is an ASCII letter; a byte-wise routine mistakes it for one.
#define GAK "\x81\x41"   // trail 'A'
#define GAET "\x81\x61"  // trail 'a'
#define GAEL "\x81\x5A"  // trail 'Z'
#define GA "\xB0\xA1"    // both bytes in the lead-byte range

class CStringDoubleByte : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(949u, GetACP());
        ASSERT_TRUE(IsDBCSLeadByte(0x81));
        ASSERT_TRUE(IsDBCSLeadByte(0xA1));  // "가"'s trail byte also looks like a lead byte
    }
};

TEST_F(CStringDoubleByte, FindNeverMatchesATrailByte) {
    CString text(GAK "A");
    EXPECT_EQ(2, text.Find('A'));
    EXPECT_EQ(2, text.Find("A"));
    EXPECT_EQ(2, text.Find('A', 1));  // a start inside a character moves to the next one
    EXPECT_EQ(-1, CString(GAK).Find('A'));
    EXPECT_EQ(-1, CString(GAEL GAET).FindOneOf("Za"));
}

TEST_F(CStringDoubleByte, FindFromAStartAfterARunOfLeadRangeBytes) {
    CString text(GA GA GAK "A");
    EXPECT_EQ(6, text.Find('A', 5));
    EXPECT_EQ(6, text.Find("A", 5));
    EXPECT_EQ(4, text.Find(GAK, 3));
    EXPECT_EQ(2, text.Find(GA, 1));
}

TEST_F(CStringDoubleByte, ReverseFindNeverMatchesATrailByte) {
    EXPECT_EQ(0, CString("A" GAK).ReverseFind('A'));
    EXPECT_EQ(-1, CString(GAK GAK).ReverseFind('A'));
}

TEST_F(CStringDoubleByte, ReplaceAndRemoveKeepCharactersWhole) {
    CString text(GAET "a" GAET);
    EXPECT_EQ(1, text.Replace('a', 'b'));
    EXPECT_STREQ(GAET "b" GAET, text);
    EXPECT_EQ(1, text.Replace("b", "cc"));
    EXPECT_STREQ(GAET "cc" GAET, text);
    EXPECT_EQ(2, text.Replace(GAET, "."));
    EXPECT_STREQ(".cc.", text);

    CString spaced(GAET "a" GAK "A");
    EXPECT_EQ(1, spaced.Remove('a'));
    EXPECT_EQ(1, spaced.Remove('A'));
    EXPECT_STREQ(GAET GAK, spaced);
}

TEST_F(CStringDoubleByte, CaseChangesLeaveTrailBytesAlone) {
    CString lower(GAK "A" GAEL);
    lower.MakeLower();
    EXPECT_STREQ(GAK "a" GAEL, lower);
    CString upper(GAET "a");
    upper.MakeUpper();
    EXPECT_STREQ(GAET "A", upper);
}

TEST_F(CStringDoubleByte, CompareNoCaseComparesDoubleByteCharactersWhole) {
    EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
    EXPECT_EQ(0, CString(GA "A").CompareNoCase(GA "a"));
    EXPECT_NE(0, CString(GAK).CompareNoCase(GAET));  // trail bytes differ only by ASCII case
    EXPECT_GT(0, CString("a").CompareNoCase(GA));
    EXPECT_LT(0, CString(GA "b").CompareNoCase(GA "A"));
}

TEST_F(CStringDoubleByte, TrimRightNeverCutsATrailByte) {
    EXPECT_STREQ("x" GAK, CString("x" GAK).TrimRight('A'));
    EXPECT_STREQ(GAK, CString(GAK "AA").TrimRight("A"));
    EXPECT_STREQ(GAET, CString("aa" GAET).TrimLeft('a'));
}

TEST_F(CStringDoubleByte, MakeReverseKeepsCharactersWhole) {
    CString text("a" GA GAK "b");
    text.MakeReverse();
    EXPECT_STREQ("b" GAK GA "a", text);
}

TEST_F(CStringDoubleByte, KoreanLiteralsAreCp949) {
    CString text("가나");
    EXPECT_STREQ(GA "\xB3\xAA", text);
    EXPECT_EQ(2, text.Find("나"));
}
