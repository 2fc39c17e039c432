#include <gtest/gtest.h>

#include "HTMLAttributes.h"

TEST(HTMLAttributes, NamesAndValuesAreReadAfterTheTagName) {
    CHTMLAttributes attributes("font color=blue  size = +1 face=\"맑은 고딕\"");

    ASSERT_EQ(3, attributes.GetCount());
    EXPECT_STREQ("color", attributes.GetAt(0).name);
    EXPECT_STREQ("blue", attributes.GetAt(0).value);
    EXPECT_STREQ("size", attributes.GetAt(1).name);
    EXPECT_STREQ("+1", attributes.GetAt(1).value);
    EXPECT_STREQ("face", attributes.GetAt(2).name);
    EXPECT_STREQ("맑은 고딕", attributes.GetAt(2).value);
}

TEST(HTMLAttributes, TagWithoutEqualsSignHasNone) {
    EXPECT_EQ(0, CHTMLAttributes("p").GetCount());
    EXPECT_EQ(0, CHTMLAttributes("a href").GetCount());
    EXPECT_EQ(0, CHTMLAttributes("").GetCount());
}

TEST(HTMLAttributes, UnclosedQuoteRunsToTheEnd) {
    CHTMLAttributes attributes("a href=\"reru://Run now");

    ASSERT_EQ(1, attributes.GetCount());
    EXPECT_STREQ("reru://Run now", attributes.GetAt(0).value);
}

TEST(HTMLAttributes, EmptyValueAtTheEnd) {
    CHTMLAttributes attributes("IMG src=");

    ASSERT_EQ(1, attributes.GetCount());
    EXPECT_STREQ("src", attributes.GetAt(0).name);
    EXPECT_STREQ("", attributes.GetAt(0).value);
}

TEST(HTMLAttributes, LookupIgnoresCaseAndLeavesValueAloneWhenMissing) {
    CHTMLAttributes attributes("Background SHIFTX=5 shifty=-3 color=red");

    CString value = "unchanged";
    EXPECT_TRUE(attributes.Lookup("Color", value));
    EXPECT_STREQ("red", value);
    value = "unchanged";
    EXPECT_FALSE(attributes.Lookup("src", value));
    EXPECT_STREQ("unchanged", value);
    EXPECT_EQ(5, attributes.LookupNumber("ShiftX", 0));
    EXPECT_EQ(-3, attributes.LookupNumber("ShiftY", 0));
    EXPECT_EQ(7, attributes.LookupNumber("voffset", 7));
}
