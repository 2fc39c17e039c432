#include "CTime.h"

namespace {

// 100-ns intervals from 1601-01-01 (FILETIME's origin) to 1970-01-01.
const LONGLONG kFileTimeOf1970 = 116444736000000000LL;
const LONGLONG kFileTimePerSecond = 10000000LL;

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
    tm parts = {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    m_time = _mktime64(&parts);
}

CTime::CTime(const SYSTEMTIME& localTime)
    : CTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute,
            localTime.wSecond) {}

CTime::CTime(const FILETIME& fileTime) {
    ULARGE_INTEGER ticks;
    ticks.LowPart = fileTime.dwLowDateTime;
    ticks.HighPart = fileTime.dwHighDateTime;
    LONGLONG sinceEpoch = static_cast<LONGLONG>(ticks.QuadPart) - kFileTimeOf1970;
    m_time = sinceEpoch < 0 ? -1 : sinceEpoch / kFileTimePerSecond;
}

CTime CTime::GetCurrentTime() { return CTime(_time64(nullptr)); }

bool CTime::GetAsSystemTime(SYSTEMTIME& localTime) const {
    tm parts;
    if (!GetLocalTm(parts))
        return false;
    localTime.wYear = static_cast<WORD>(parts.tm_year + 1900);
    localTime.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    localTime.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    localTime.wDay = static_cast<WORD>(parts.tm_mday);
    localTime.wHour = static_cast<WORD>(parts.tm_hour);
    localTime.wMinute = static_cast<WORD>(parts.tm_min);
    localTime.wSecond = static_cast<WORD>(parts.tm_sec);
    localTime.wMilliseconds = 0;
    return true;
}

CString CTime::Format(const char* format) const {
    tm parts;
    if (!format || !*format || !GetLocalTm(parts))
        return CString();
    // strftime gives 0 when the buffer is too small; a result may legitimately be longer than
    // the first guess (long literal text around the codes).
    CString result;
    for (int size = 128; size <= 32 * 1024; size *= 4) {
        size_t length = strftime(result.GetBuffer(size), size + 1, format, &parts);
        if (length > 0) {
            result.ReleaseBuffer(static_cast<int>(length));
            return result;
        }
    }
    return CString();
}

bool CTime::GetLocalTm(tm& parts) const { return m_time >= 0 && _localtime64_s(&parts, &m_time) == 0; }

int CTime::LocalPart(int tm::*field, int offset) const {
    tm parts;
    return GetLocalTm(parts) ? parts.*field + offset : 0;
}
