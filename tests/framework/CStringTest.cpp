#include <gtest/gtest.h>

#include "CString.h"

TEST(CString, FindSkipsTrailBytes) {
    // "뷁" in CP949 is 0xBA 0x5C? No: choose a character whose trail byte equals an ASCII letter.
    CString text("가A");
    EXPECT_EQ(2, text.Find('A'));
}
