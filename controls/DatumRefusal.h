// DatumRefusal.h: the range a date control accepts, and why it refuses a text.
//
//   DatumRefusal     the kinds of refusal, in the order a text is judged
//   DateRange        the earliest and the latest date a control accepts
//   RefusalSentence  the one sentence that explains a refusal to the user
//
// No window is involved: these are the rules and texts the controls use.
#pragma once

#include "datevalues/DateValue.h"
#include "platform/core/String.h"

enum class DatumRefusal {
    None,         // accepted
    NoForm,       // no form the field reads: no date in it, or the control's own rule
    NoDate,       // a form the field reads, but a date the calendar does not have
    OutOfRange,   // a date before the earliest or after the latest
    Missing,      // empty, and the binding requires a date
};

struct DateRange {
    CDateValue earliest;   // the empty date: no limit on that side
    CDateValue latest;

    // Each side is empty or a possible date, and the earliest is not after the latest.
    bool IsAllowed() const;
    // The date (a full year, not two digits) lies inside the range.
    bool Holds(const CDateValue& date) const;
    // The date itself when the range holds it, else the nearer limit.
    CDateValue Nearest(const CDateValue& date) const;
};

// The sentence for a refusal of date, the text read and its year windowed:
// "2007-02-31 is not a date: February 2007 has 28 days." Empty for None.
CString RefusalSentence(DatumRefusal refusal, const CDateValue& date, const DateRange& range);
