// DateRange.cpp: the range rule.
#include "textrules/DateRange.h"

#include "textrules/DateSteps.h"

namespace {

// A date as one number that orders like the calendar.
long Ordinal(const CDateValue& date) { return (date.year * 100L + date.month) * 100L + date.day; }

// A side is no limit (empty) or a date whose year the display forms write in full.
bool IsAllowedSide(const CDateValue& side) { return IsEmptyDate(side) || HasFullYear(side); }

} // namespace

bool DateRange::IsAllowed() const
{
    if (!IsAllowedSide(earliest) || !IsAllowedSide(latest))
        return false;
    return IsEmptyDate(earliest) || IsEmptyDate(latest) || Ordinal(earliest) <= Ordinal(latest);
}

bool DateRange::Holds(const CDateValue& date) const { return Nearest(date) == date; }

CDateValue DateRange::Nearest(const CDateValue& date) const
{
    if (!IsEmptyDate(earliest) && Ordinal(date) < Ordinal(earliest))
        return earliest;
    if (!IsEmptyDate(latest) && Ordinal(date) > Ordinal(latest))
        return latest;
    return date;
}
