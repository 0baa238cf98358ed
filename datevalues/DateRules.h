// Rules shared by the two date value types: reading a number out of a piece
// of text as atoi does, printing one as printf's "%0Nd" does, the calendar
// rule and the day-number formulas. Internal to datevalues/.
#pragma once

#include <cstddef>
#include <cstdint>

namespace datevalues::detail {

// atoi of the piece text[0..length): leading white space of the C locale,
// an optional sign, then decimal digits up to the first other character or
// the end of the piece; 0 without digits. Works in place, without copying
// the piece out. Pieces are a few characters long, so nothing overflows.
inline int AtoiPiece(const char* text, std::size_t length)
{
    std::size_t i = 0;
    while (i < length && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

// printf's "%0<width>d" of value, written at out; returns the end. A minus
// sign counts towards the width and the zeros follow it ("%04d" of -1 is
// "-001"); a wider number is printed in full.
inline char* PutDecimal(char* out, int value, int width)
{
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *out++ = '-';
        --width;
    }
    for (int pad = width - count; pad > 0; --pad)
        *out++ = '0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// The year used for the leap test: two-digit years are windowed, then years
// below 1000 moved by 2000. Neither step changes whether the year is a leap year.
inline int LeapTestYear(int year)
{
    if (year < 100)
        year += year >= 50 ? 1900 : 2000;
    if (year < 1000)
        year += 2000;
    return year;
}

// The calendar rule: month 1..12, day 1..31, no 31st in April, June,
// September and November, February 29 only in a leap year, no 30th or 31st
// in February. The year itself is not limited.
inline bool PassesCalendarRule(int year, unsigned month, unsigned day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11))
        return false;
    if (month == 2 && day > 28) {
        if (day > 29)
            return false;
        const int y = LeapTestYear(year);
        return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    }
    return true;
}

// Julian Day Number of a proleptic Gregorian date (ACM Algorithm 199), in
// signed 32-bit arithmetic with truncating division. Out-of-range months
// and days are not refused: they roll into the neighbouring dates.
inline std::int32_t DayNumberFromDate(std::int32_t y, std::int32_t m, std::int32_t d)
{
    if (m > 2) {
        m -= 3;
    } else {
        m += 9;
        y -= 1;
    }
    const std::int32_t c = y / 100;
    const std::int32_t a = y - 100 * c;
    return (146097 * c) / 4 + (1461 * a) / 4 + (153 * m + 2) / 5 + d + 1721119;
}

// The inverse of DayNumberFromDate. Any 32-bit day number is accepted; the
// first step wraps around as 32-bit arithmetic does instead of overflowing.
inline void DateFromDayNumber(std::int32_t j, std::int32_t& year, std::int32_t& month, std::int32_t& day)
{
    const std::int32_t t = static_cast<std::int32_t>(4u * (static_cast<std::uint32_t>(j) - 1721119u) - 1u);
    const std::int32_t c = t / 146097;
    const std::int32_t d1 = (t - 146097 * c) / 4;
    const std::int32_t a = (4 * d1 + 3) / 1461;
    const std::int32_t d2 = (4 * d1 + 3 - 1461 * a + 4) / 4;
    const std::int32_t m = (5 * d2 - 3) / 153;
    day = (5 * d2 - 3 - 153 * m + 5) / 5;
    year = 100 * c + a;
    if (m < 10) {
        month = m + 3;
    } else {
        month = m - 9;
        year += 1;
    }
}

} // namespace datevalues::detail
