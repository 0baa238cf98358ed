// PairRule.cpp: the start and the end a pair's rule compares, the kept
// span, and what a calendar on either side offers and shows.
#include "textrules/PairRule.h"

#include "textrules/DateSteps.h"

int DaysFrom(const CDateValue& first, const CDateValue& last)
{
    return static_cast<int>(last.GetDayNumber() - first.GetDayNumber());
}

bool PairRule::SpansAllowed(int shortest, int longest)
{
    CDateValue first;
    CDateValue last;
    first.Parse("0100-01-01");
    last.Parse("9999-12-31");
    const int widest = DaysFrom(first, last);
    return shortest >= 0 && longest >= 0 && shortest <= widest && longest <= widest &&
           (longest == 0 || shortest <= longest);
}

std::optional<CDateValue> PairRule::MovedEnd(const CDateValue& start) const
{
    if (side != PairSide::Start || !keepSpan || IsEmptyDate(other) || IsEmptyDate(keptFrom) ||
        IsEmptyDate(start) || start == keptFrom)
        return std::nullopt;
    // Only a span the pair allows is kept: an end that was out of order
    // stays where it is, to be judged against the new start.
    const int span = DaysFrom(keptFrom, other);
    if (span < shortest || (longest > 0 && span > longest))
        return std::nullopt;
    return DaysAfter(other, DaysFrom(keptFrom, start)).value_or(CDateValue());
}

void PairRule::Ends(const CDateValue& own, CDateValue* start, CDateValue* end) const
{
    *start = side == PairSide::Start ? own : other;
    *end = side == PairSide::Start ? MovedEnd(own).value_or(other) : own;
}

DateRange PairRule::Offered(const DateRange& range) const
{
    // A start before the range's earliest day narrows nothing; one after
    // its latest would leave no day at all.
    if (side != PairSide::End || IsEmptyDate(other) || !range.Holds(other))
        return range;
    return {other, range.latest};
}

bool PairRule::Spans(const CDateValue& own, const CDateValue& day) const
{
    if (side == PairSide::None || IsEmptyDate(own) || IsEmptyDate(other))
        return false;
    const CDateValue& start = side == PairSide::Start ? own : other;
    const CDateValue& end = side == PairSide::Start ? other : own;
    return DaysFrom(start, day) >= 0 && DaysFrom(day, end) >= 0;
}
