#include <gtest/gtest.h>

#include "CTime.h"

TEST(CTime, GivesTheLocalPartsItWasMadeFrom) {
    CTime time(2011, 1, 31, 23, 59, 58);
    EXPECT_EQ(2011, time.GetYear());
    EXPECT_EQ(1, time.GetMonth());
    EXPECT_EQ(31, time.GetDay());
    EXPECT_EQ(23, time.GetHour());
    EXPECT_EQ(59, time.GetMinute());
    EXPECT_EQ(58, time.GetSecond());
    EXPECT_EQ(2, time.GetDayOfWeek());  // a Monday
}

TEST(CTime, FormatsWithStrftimeCodes) {
    CTime time(2011, 1, 31, 23, 59, 8);
    EXPECT_STREQ("2011-01-31 23:59:08", time.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2011년01월31일 23시59분08초 실행.REG", time.Format("%Y년%m월%d일 %H시%M분%S초 실행.REG"));
    CString longFormat = CString('x', 300) + "%Y";
    CString formatted = time.Format(longFormat);
    EXPECT_EQ(304, formatted.GetLength());
    EXPECT_STREQ("2011", formatted.Right(4));
    EXPECT_STREQ("", time.Format(""));
}

TEST(CTime, ArithmeticCrossesMonthEnds) {
    CTime time(2011, 1, 31, 23, 59, 58);
    CTime later = time + CTimeSpan(0, 0, 0, 2);
    EXPECT_STREQ("2011-02-01 00:00:00", later.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2011-02-28", (CTime(2011, 3, 1, 12, 0, 0) - CTimeSpan(1, 0, 0, 0)).Format("%Y-%m-%d"));
    EXPECT_STREQ("2012-02-29", (CTime(2012, 3, 1, 12, 0, 0) - CTimeSpan(1, 0, 0, 0)).Format("%Y-%m-%d"));
    later -= CTimeSpan(0, 0, 0, 2);
    EXPECT_EQ(time, later);
    later += CTimeSpan(31, 0, 0, 0);
    EXPECT_STREQ("2011-03-03 23:59:58", later.Format("%Y-%m-%d %H:%M:%S"));

    CTimeSpan span = CTime(2011, 3, 1, 1, 2, 3) - CTime(2011, 1, 31, 0, 0, 0);
    EXPECT_EQ(29, span.GetDays());
    EXPECT_EQ(1, span.GetHours());
    EXPECT_EQ(2, span.GetMinutes());
    EXPECT_EQ(3, span.GetSeconds());
    EXPECT_EQ(29 * 86400 + 3723, span.GetTotalSeconds());
}

TEST(CTime, FileTimeRoundTripsThroughLocalTime) {
    SYSTEMTIME utc = {2009, 2, 5, 13, 23, 31, 30, 0};
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &fileTime));
    CTime time(fileTime);
    EXPECT_EQ(1234567890, time.GetTime());

    SYSTEMTIME local;
    ASSERT_TRUE(time.GetAsSystemTime(local));
    SYSTEMTIME backToUtc;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &backToUtc));
    FILETIME back;
    ASSERT_TRUE(SystemTimeToFileTime(&backToUtc, &back));
    EXPECT_EQ(0, CompareFileTime(&fileTime, &back));
    EXPECT_EQ(time, CTime(local));
}

TEST(CTime, OutOfRangePartsCarryOver) {
    EXPECT_STREQ("2012-01-01", CTime(2011, 13, 1, 0, 0, 0).Format("%Y-%m-%d"));
    EXPECT_STREQ("2011-03-01", CTime(2011, 2, 29, 0, 0, 0).Format("%Y-%m-%d"));
}

TEST(CTime, ATimeBefore1970IsInvalid) {
    CTime time(1960, 1, 1, 0, 0, 0);
    EXPECT_EQ(-1, time.GetTime());
    EXPECT_STREQ("", time.Format("%Y"));
    EXPECT_EQ(0, time.GetYear());
    SYSTEMTIME untouched = {};
    EXPECT_FALSE(time.GetAsSystemTime(untouched));
    EXPECT_EQ(0, untouched.wYear);
}

TEST(CTimeSpan, SplitsIntoDaysHoursMinutesSeconds) {
    CTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
    EXPECT_EQ(26, span.GetTotalHours());
    EXPECT_EQ(26 * 60 + 3, span.GetTotalMinutes());
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ(CTimeSpan(0, 0, 0, 5), CTimeSpan(0, 0, 0, 2) + CTimeSpan(3));
    EXPECT_EQ(-1, (CTimeSpan(1) - CTimeSpan(0, 0, 0, 2)).GetTotalSeconds());
}
