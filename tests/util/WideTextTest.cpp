#include <gtest/gtest.h>

#include "UtilityLib.h"

TEST(ConvertToWideChar, GivesUtf16WithTerminatorAndTwoSpareBytes) {
    ASSERT_EQ(949u, GetACP());
    CBinData out;
    ASSERT_EQ(2 * 4 + 2, CUtilityLib::ConvertToWideChar("a한글", out));
    ASSERT_EQ(10, out.GetLength());
    const WCHAR* text = reinterpret_cast<const WCHAR*>(out.GetData());
    EXPECT_EQ(L'a', text[0]);
    EXPECT_EQ(0xD55C, text[1]);
    EXPECT_EQ(0xAE00, text[2]);
    EXPECT_EQ(0, text[3]);
    EXPECT_EQ(0, text[4]);
}

TEST(ConvertToWideChar, EmptyTextIsJustTheTerminator) {
    CBinData out;
    EXPECT_EQ(4, CUtilityLib::ConvertToWideChar("", out));
    EXPECT_EQ(0, reinterpret_cast<const WCHAR*>(out.GetData())[0]);
}

TEST(ConvertToWideChar, LeavesOtherHoldersOfTheBufferAlone) {
    CBinData out;
    out.SetData(reinterpret_cast<const BYTE*>("old bytes"), 10);
    CBinData other = out;
    EXPECT_EQ(2 * 3 + 2, CUtilityLib::ConvertToWideChar("xy", out));
    EXPECT_STREQ("old bytes", static_cast<const char*>(other));
    EXPECT_STREQ(L"xy", reinterpret_cast<const WCHAR*>(out.GetData()));
}
