// DateRange.h: the earliest and the latest date a date field accepts.
//
//   DateRange   the two limits, each the empty date for no limit on its side
//
// One of the date rules of TextRules.h: a date the calendar has must also
// lie inside the range.
#pragma once

#include "datevalues/DateValue.h"

struct DateRange {
    CDateValue earliest;   // the empty date: no limit on that side
    CDateValue latest;

    // Each side is empty or a possible date with a year from 100 to 9999
    // (a year the display forms write in full), and the earliest is not
    // after the latest.
    bool IsAllowed() const;
    // The date (a full year, not two digits) lies inside the range.
    bool Holds(const CDateValue& date) const;
    // The date itself when the range holds it, else the nearer limit.
    CDateValue Nearest(const CDateValue& date) const;
};
