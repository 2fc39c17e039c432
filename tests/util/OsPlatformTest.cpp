#include <gtest/gtest.h>

#include "UtilityLib.h"

TEST(GetOSPlatformID, IsTheNtFamily) { EXPECT_EQ(VER_PLATFORM_WIN32_NT, CUtilityLib::GetOSPlatformID()); }
