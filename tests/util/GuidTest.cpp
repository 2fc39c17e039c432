#include <gtest/gtest.h>

#include "UtilityLib.h"

namespace {

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

TEST(CreateGUID, GivesUpperCaseGroupsWithoutBraces) {
    CString guid = CUtilityLib::CreateGUID();
    ASSERT_EQ(36, guid.GetLength()) << (const char*)guid;
    for (int i = 0; i < guid.GetLength(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23)
            EXPECT_EQ('-', guid[i]) << (const char*)guid;
        else
            EXPECT_TRUE(IsUpperHex(guid[i])) << (const char*)guid;
    }
}

TEST(CreateGUID, EveryCallGivesANewOne) {
    CString first = CUtilityLib::CreateGUID();
    CString second = CUtilityLib::CreateGUID();
    EXPECT_STRNE(first, second);
}
