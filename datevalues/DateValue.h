// CDateValue: the compact calendar date that typed text is read into.
//
// Day, month and year with no time of day. All zero is the empty date, which
// formats as the empty text and counts as valid. Fields are stored by
// truncation to their widths; no range is enforced on storing, so a value can
// hold a date that IsValid refuses (month 13, an unwindowed two-digit year).
#pragma once

#include "platform/core/String.h"

#include <cstdint>

class CDateValue {
public:
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;

    // Replaces the value with what the text says. Read by length: 10
    // (yyyy?mm?dd, any separators), 8 (yyyymmdd) or 6 (yymmdd, then windowed);
    // any other length by its first character: D today, G yesterday, M
    // tomorrow. Anything else leaves the empty date. A null text is empty.
    CDateValue& Parse(const char* text);

    // Two-digit years 50..99 become 1950..1999 and 0..49 2000..2049; the
    // empty date and years of 100 or more are left alone.
    CDateValue& ApplyYearWindow();

    // True for the empty date and for a date that passes the calendar rule.
    bool IsValid() const;
    // The number of days of the stored month in the stored year by the
    // calendar rule (28 to 31); 0 for a month outside 1..12.
    int DaysInMonth() const;

    // "%04d%02d%02d", or "%02d%02d%02d" for a year below 100; empty for the empty date.
    CString FormatCompact() const;
    // "%04d-%02d-%02d", or "%02d-%02d-%02d" for a year below 100; empty for the empty date.
    CString FormatDashed() const;
    // "%02d%02d%02d" of year mod 100, month, day; empty for the empty date.
    CString FormatShort() const;

    // The current local date. When the local time cannot be had or does not
    // format as eight digits, the value is the empty date.
    CDateValue& SetToday();

    // Julian Day Number of the stored date (2000-01-01 is 2451545). An
    // impossible date counts as the one it rolls over to.
    std::int32_t GetDayNumber() const;
    // The date of a Julian Day Number, stored truncated to the field widths.
    CDateValue& SetDayNumber(std::int32_t dayNumber);

    bool operator==(const CDateValue&) const = default;

private:
    bool IsEmptyDate() const { return day == 0 && month == 0 && year == 0; }
};
