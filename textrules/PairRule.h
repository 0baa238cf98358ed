// PairRule.h: the rule between the start and the end of two linked date
// fields (from and to, check-in and check-out).
//
//   PairSide    which side of a pair a field is
//   PairRule    what one side's rule depends on: the other side's date, the
//               shortest and the longest span, and for a start that keeps
//               the span the date the end was kept from and the end's own
//               range and day rule
//   DaysFrom    the days from one date to another
//
// One of the date rules of TextRules.h, asked after the range and the day
// rule, and only where a text is judged: on leaving, by DCM_VERIFY, by the
// reads and for a pick. A field fills it in only there, never for the
// change rules while its text is typed; and it reads the other side's date
// by that side's own rules, without the pair's, so that neither side asks
// the other back.
#pragma once

#include "datevalues/DateValue.h"
#include "textrules/DateRange.h"
#include "textrules/DayRule.h"

#include <optional>

enum class PairSide {
    None,    // no pair rule: the field is not linked, or its pair is not judged here
    Start,   // the first date of the pair
    End,     // the last
};

// The days from first to last: negative when last comes first.
int DaysFrom(const CDateValue& first, const CDateValue& last);

struct PairRule {
    PairSide side = PairSide::None;
    CDateValue other{};      // the other side's accepted date; the empty date: none, no limit
    int shortest = 0;      // the fewest days from the start to the end; 0: no limit
    int longest = 0;       // the most days from the start to the end; 0: no limit
    // Keep the span, asked on the start's side: a start that moves takes the
    // end along by as many days, when the end's own rules allow the moved end.
    bool keepSpan = false;
    CDateValue keptFrom{};   // the start's date the end's span counts from; empty: none yet
    DateRange endRange{};    // the end's own range and day rule, which the moved end must meet
    DayRule endDayRule{};

    // Spans a pair may have: none negative or longer than the full years
    // reach, and the shortest not above the longest (0: no longest).
    static bool SpansAllowed(int shortest, int longest);

    bool IsSet() const { return side != PairSide::None; }
    // The end that a start which keeps the span takes along when its date
    // becomes start: nothing when the end stays (not the start's side, no
    // option, no end, no date kept from, the same date, or a span from the
    // date kept from to the end that the pair does not allow); the empty
    // date when the move would leave the full years.
    std::optional<CDateValue> MovedEnd(const CDateValue& start) const;
    // The start and the end the rule compares when this side's date is own:
    // on a start that keeps the span, the end it takes along.
    void Ends(const CDateValue& own, CDateValue* start, CDateValue* end) const;
    // The days a calendar on this side offers out of the field's range: on
    // the end's side none before the start, when the range has any after it.
    DateRange Offered(const DateRange& range) const;
    // Whether the day lies from the start to the end, both included, own
    // being this side's date; false while either is empty.
    bool Spans(const CDateValue& own, const CDateValue& day) const;
};
