#include <gtest/gtest.h>

#include "UtilityLib.h"

TEST(GetOSVersion, ShortNameEndsWithPlatformAndVersionTail) {
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)));

    CString shortName, fullName;
    ASSERT_TRUE(CUtilityLib::GetOSVersion(shortName, fullName));
    CString tail;
    tail.Format("(%u:%u:%u:%u build:%u)", (unsigned)info.dwPlatformId, (unsigned)info.dwMajorVersion,
                (unsigned)info.dwMinorVersion, (unsigned)info.wSuiteMask, (unsigned)info.dwBuildNumber);
    ASSERT_GE(shortName.GetLength(), tail.GetLength());
    EXPECT_STREQ(tail, shortName.Right(tail.GetLength()));
    // A short name is a word such as XP or Vista, or nothing for releases no row names.
    EXPECT_LE(shortName.GetLength() - tail.GetLength(), 8) << (const char*)shortName;

    CString build;
    build.Format("(Build %u)", (unsigned)(info.dwBuildNumber & 0xFFFF));
    EXPECT_GE(fullName.Find(build), 0) << (const char*)fullName;
}

TEST(GetOSVersion, PackedFormHoldsMajorLowAndMinorHigh) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);

    DWORD packed = CUtilityLib::GetOSVersion();
    EXPECT_EQ(info.dwMajorVersion, LOWORD(packed));
    EXPECT_EQ(info.dwMinorVersion, HIWORD(packed));
}
