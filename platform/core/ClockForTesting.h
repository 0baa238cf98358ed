// Fixes the clock of platform/core/Clock.h for the duration of a test.
//
// Only tests include this header. While a FixedClock lives, _time64 returns
// a fixed count and both local-time conversions return the chosen
// broken-down time (whatever count they are given), or fail; strftime can be
// made to fail as well. Clocks nest: the innermost one wins, and destroying
// it restores the one before.
#pragma once

#include "platform/core/Clock.h"

namespace platform::testing {

struct FixedTime {
    bool conversionFails = false;  // _localtime64 gives null, _localtime64_s an error
    bool formatFails = false;      // strftime returns 0, leaving a plausible stale date in the buffer
    std::tm local{};               // the local broken-down time otherwise
};

// Installs the replacement, or removes it (null); returns the previous one.
const FixedTime* SetFixedTime(const FixedTime* fixed);

class FixedClock {
public:
    // Local time year-month-day hour:minute:second, month 1..12.
    FixedClock(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
    {
        m_time.local.tm_year = year - 1900;
        m_time.local.tm_mon = month - 1;
        m_time.local.tm_mday = day;
        m_time.local.tm_hour = hour;
        m_time.local.tm_min = minute;
        m_time.local.tm_sec = second;
        m_time.local.tm_wday = DayOfWeek(year, month, day);
        m_time.local.tm_yday = DayOfYear(year, month, day);
        m_previous = SetFixedTime(&m_time);
    }

    // A clock whose local-time conversion fails.
    static FixedClock Failing() { return FixedClock(); }

    // From now on strftime reports failure (returns 0) but leaves digits in
    // the buffer, so that a caller who reads the buffer anyway is caught.
    void FailFormatting() { m_time.formatFails = true; }

    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    ~FixedClock() { SetFixedTime(m_previous); }

private:
    FixedClock()
    {
        m_time.conversionFails = true;
        m_previous = SetFixedTime(&m_time);
    }

    static bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

    static int DayOfYear(int year, int month, int day)
    {
        static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
        return before[(month - 1) % 12] + day - 1 + (month > 2 && IsLeap(year) ? 1 : 0);
    }

    // 0 = Sunday, for positive proleptic Gregorian years.
    static int DayOfWeek(int year, int month, int day)
    {
        static const int offset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
        const int y = month < 3 ? year - 1 : year;
        return (y + y / 4 - y / 100 + y / 400 + offset[(month - 1) % 12] + day) % 7;
    }

    FixedTime m_time;
    const FixedTime* m_previous = nullptr;
};

} // namespace platform::testing
