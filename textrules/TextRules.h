// TextRules.h: whether a date field accepts a text, and why it does not.
//
//   DatumRefusal     the kinds of refusal, in the order a text is judged
//   EntryRules       what a field's rules depend on: its options, range and day rule
//   Judgement        the refusal of a text and the date it stands for
//   JudgeText        judges a text by a field's rules
//   RefusalSentence  the one sentence that explains a refusal to the user
//
// No window is involved: the controls only ask. A text is judged in two
// steps. Its form: a date form the field reads, or a quick form under
// DCF_QUICKENTRY, giving a date the calendar has with a year the display
// forms can hold. Then the date rules: the range, then the host's day
// rule (DayRule.h), asked only about a date the range holds. A further
// rule on the date goes beside these, with a refusal kind and a sentence
// of its own.
#pragma once

#include "datevalues/DateValue.h"
#include "platform/core/String.h"
#include "textrules/DateRange.h"
#include "textrules/DayRule.h"

enum class DatumRefusal {
    None,         // accepted
    NoForm,       // no form the field reads: no date in it
    YearInFull,   // a short text beginning with 2 where the year is typed in full
    NoDate,       // a form the field reads, but a date the calendar does not have
    OutOfRange,   // a date before the earliest or after the latest
    DayBlocked,   // a date in the range that the day rule blocks
    Missing,      // empty, and the binding requires a date
};

struct EntryRules {
    bool quickEntry = false;   // DCF_QUICKENTRY: the keyword letters alone and the relative forms
    bool fullYear = false;     // a text shorter than eight that begins with 2 is refused:
                               // it would be a half-typed year read as yymmdd
    DateRange range;           // the dates the field accepts
    DayRule dayRule;           // the days among them it refuses, and marks
};

struct Judgement {
    DatumRefusal refusal = DatumRefusal::None;
    // The date the text stands for, a two-digit year windowed: the date an
    // accepted text is rewritten to; for NoDate the impossible date read;
    // the empty date for the empty text and for NoForm.
    CDateValue date;
};

// The empty text is accepted here: a required date is the exit check's.
Judgement JudgeText(const EntryRules& rules, const CString& text);

// The sentence for a judgement: "2007-02-31 is not a date: February 2007
// has 28 days." The forms it offers are the ones these rules read. Empty
// for None.
CString RefusalSentence(const EntryRules& rules, const Judgement& judgement);
