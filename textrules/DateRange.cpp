// DateRange.cpp: the range rule.
#include "textrules/DateRange.h"

namespace {

// A date as one number that orders like the calendar.
long Ordinal(const CDateValue& date) { return (date.year * 100L + date.month) * 100L + date.day; }

bool IsEmpty(const CDateValue& date) { return date == CDateValue(); }

// A side is no limit (empty) or a date whose year the display forms write in full.
bool IsAllowedSide(const CDateValue& side)
{
    constexpr unsigned kFirstFullYear = 100;
    constexpr unsigned kLastFullYear = 9999;
    return IsEmpty(side) || (side.IsValid() && side.year >= kFirstFullYear && side.year <= kLastFullYear);
}

} // namespace

bool DateRange::IsAllowed() const
{
    if (!IsAllowedSide(earliest) || !IsAllowedSide(latest))
        return false;
    return IsEmpty(earliest) || IsEmpty(latest) || Ordinal(earliest) <= Ordinal(latest);
}

bool DateRange::Holds(const CDateValue& date) const { return Nearest(date) == date; }

CDateValue DateRange::Nearest(const CDateValue& date) const
{
    if (!IsEmpty(earliest) && Ordinal(date) < Ordinal(earliest))
        return earliest;
    if (!IsEmpty(latest) && Ordinal(date) > Ordinal(latest))
        return latest;
    return date;
}
