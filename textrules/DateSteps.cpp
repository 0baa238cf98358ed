// DateSteps.cpp: moving a date by days and by months.
#include "textrules/DateSteps.h"

#include <algorithm>

namespace {

std::optional<CDateValue> InFullYears(int year, int month, int day)
{
    if (year < kFirstFullYear || year > kLastFullYear)
        return std::nullopt;
    return DateOf(year, month, day);
}

} // namespace

std::optional<CDateValue> DaysAfter(const CDateValue& date, int days)
{
    CDateValue moved;
    moved.SetDayNumber(date.GetDayNumber() + days);
    // SetDayNumber stores the year in 16 bits. A step of at most a few
    // hundred thousand days from a full year ends between the years -700
    // and 10700; a year below 0 wraps to 64836 or more, so none outside the
    // full years comes back inside.
    return InFullYears(moved.year, moved.month, moved.day);
}

std::optional<CDateValue> MonthsAfter(const CDateValue& date, int months)
{
    // A count below 0 gives a year of 0 or less: outside the full years.
    const int counted = date.year * 12 + (date.month - 1) + months;
    if (counted < 0)
        return std::nullopt;
    const int year = counted / 12;
    const int month = counted % 12 + 1;
    const std::optional<CDateValue> first = InFullYears(year, month, 1);
    if (!first)
        return std::nullopt;
    return InFullYears(year, month, std::min<int>(date.day, first->DaysInMonth()));
}
