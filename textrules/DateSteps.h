// DateSteps.h: the small calendar rules that every text rule shares.
//
//   kFirstFullYear, kLastFullYear   the years the display forms write in full
//   IsEmptyDate, HasFullYear        what a date is, before any field's rule
//   IsDigit                         an ASCII digit, whatever the locale
//   DateOf                          a date from its three numbers, stored as given
//   DaysAfter, MonthsAfter          a date moved by days or by whole months
//
// Moving a date stays inside the full years: a step that would leave them
// gives no date, since a year below 100 reads back as a two-digit year and
// one above 9999 cannot be typed.
#pragma once

#include "datevalues/DateValue.h"

#include <optional>

constexpr int kFirstFullYear = 100;
constexpr int kLastFullYear = 9999;

inline bool IsEmptyDate(const CDateValue& date) { return date == CDateValue(); }

// A possible date whose year the display forms write in full.
inline bool HasFullYear(const CDateValue& date)
{
    return date.year >= kFirstFullYear && date.year <= kLastFullYear && date.IsValid() && !IsEmptyDate(date);
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The date of the numbers, each stored by truncation to its width, checked
// for nothing: a caller judges it.
inline CDateValue DateOf(int year, int month, int day)
{
    CDateValue date;
    date.year = static_cast<std::uint16_t>(year);
    date.month = static_cast<std::uint8_t>(month);
    date.day = static_cast<std::uint8_t>(day);
    return date;
}

// The date so many days later (earlier for a negative count); nothing when
// that leaves the full years.
std::optional<CDateValue> DaysAfter(const CDateValue& date, int days);

// The date so many whole months later (earlier for a negative count), on
// the same day of the month or on the last day of a shorter month; nothing
// when that leaves the full years.
std::optional<CDateValue> MonthsAfter(const CDateValue& date, int months);
