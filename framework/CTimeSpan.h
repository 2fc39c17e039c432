#pragma once
#include <ctime>

// A signed count of seconds between two CTime values.
class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(__time64_t seconds) : m_seconds(seconds) {}
    CTimeSpan(long long days, int hours, int minutes, int seconds)
        : m_seconds(((days * 24 + hours) * 60 + minutes) * 60 + seconds) {}

    long long GetDays() const { return m_seconds / (24 * 3600); }
    long long GetTotalHours() const { return m_seconds / 3600; }
    long long GetTotalMinutes() const { return m_seconds / 60; }
    long long GetTotalSeconds() const { return m_seconds; }
    // The parts left after the larger units: 0-23, 0-59, 0-59 (negative for a negative span).
    int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
    int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
    int GetSeconds() const { return static_cast<int>(m_seconds - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan other) const { return m_seconds + other.m_seconds; }
    CTimeSpan operator-(CTimeSpan other) const { return m_seconds - other.m_seconds; }
    CTimeSpan& operator+=(CTimeSpan other) { m_seconds += other.m_seconds; return *this; }
    CTimeSpan& operator-=(CTimeSpan other) { m_seconds -= other.m_seconds; return *this; }

    bool operator==(CTimeSpan other) const { return m_seconds == other.m_seconds; }
    bool operator!=(CTimeSpan other) const { return m_seconds != other.m_seconds; }
    bool operator<(CTimeSpan other) const { return m_seconds < other.m_seconds; }
    bool operator>(CTimeSpan other) const { return m_seconds > other.m_seconds; }
    bool operator<=(CTimeSpan other) const { return m_seconds <= other.m_seconds; }
    bool operator>=(CTimeSpan other) const { return m_seconds >= other.m_seconds; }

private:
    __time64_t m_seconds = 0;
};
