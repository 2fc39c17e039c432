#pragma once
#include <windows.h>

#include <ctime>

#include "CString.h"
#include "CTimeSpan.h"

// winbase.h maps GetCurrentTime to GetTickCount, which would rename CTime's member.
#undef GetCurrentTime

// Seconds since 1970-01-01 00:00 UTC, shown in local time. A time that cannot be made (a date
// before 1970, an impossible date) holds -1; its parts are then 0 and Format gives "".
class FX_API CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // Local time; out-of-range parts carry over (month 13 is January of the next year).
    CTime(int year, int month, int day, int hour, int minute, int second);
    CTime(const SYSTEMTIME& localTime);
    // File times are UTC; converted exactly, without the current daylight-saving bias.
    CTime(const FILETIME& fileTime);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    int GetYear() const { return LocalPart(&tm::tm_year, 1900); }
    int GetMonth() const { return LocalPart(&tm::tm_mon, 1); }
    int GetDay() const { return LocalPart(&tm::tm_mday, 0); }
    int GetHour() const { return LocalPart(&tm::tm_hour, 0); }
    int GetMinute() const { return LocalPart(&tm::tm_min, 0); }
    int GetSecond() const { return LocalPart(&tm::tm_sec, 0); }
    // 1 for Sunday to 7 for Saturday.
    int GetDayOfWeek() const { return LocalPart(&tm::tm_wday, 1); }
    // False (and localTime unchanged) for a time that has no local form.
    bool GetAsSystemTime(SYSTEMTIME& localTime) const;
    // strftime codes, local time.
    CString Format(const char* format) const;

    CTimeSpan operator-(CTime other) const { return m_time - other.m_time; }
    CTime operator+(CTimeSpan span) const { return m_time + span.GetTotalSeconds(); }
    CTime operator-(CTimeSpan span) const { return m_time - span.GetTotalSeconds(); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTotalSeconds(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTotalSeconds(); return *this; }

    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    bool GetLocalTm(tm& parts) const;
    int LocalPart(int tm::*field, int offset) const;

    __time64_t m_time = 0;
};
