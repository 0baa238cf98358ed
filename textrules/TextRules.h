// TextRules.h: the one judge of what a date field accepts, and why not.
//
//   FieldKind        the two date fields, which differ in a rule and a form
//   DatumRefusal     the kinds of refusal, in the order a text is judged
//   EntryRules       what a field's rules depend on: its kind, options,
//                    range, day rule and, where a text is judged, its pair
//   Judgement        the refusal and the date it concerns
//   JudgeText        a typed or set text, as the field reads it
//   JudgeLeaving     the same, with the empty text under DCF_REQUIRED
//   JudgeDate        a date that comes without a text: a pick, a step
//   MayGrowIntoAnotherDate   a text the next key may still change the date of
//   ParseReadsAsTyped        a text the date values' Parse reads as meant
//   DisplayText      the field's display form of a date
//   FormHint         the form an empty field shows as its hint
//   PreviewDate      the date a shorthand stands for, shown before it is taken
//   RefusalSentence  the one sentence that explains a refusal to the user
//
// No window is involved: every text, pick and read of a field asks here. A
// text is judged in two steps. Its form: a date form the field reads, a
// quick form under DCF_QUICKENTRY, or a local form (LocalForms.h) in the
// user's order under DCF_LOCALFORMS, giving a date the calendar has with a
// year the display forms write in full. Then the date rules, the same for a
// text and a date: the range, then the host's day rule (DayRule.h), asked
// only about a date the range holds, then the rule of a linked pair
// (PairRule.h), when the field filled it in. A further rule on the date
// goes into JudgeDate, with a refusal kind and a sentence of its own.
#pragma once

#include "datevalues/DateValue.h"
#include "platform/core/String.h"
#include "textrules/DateRange.h"
#include "textrules/DayRule.h"
#include "textrules/PairRule.h"
#include "textrules/LocalForms.h"

#include <optional>
#include <string_view>

enum class FieldKind {
    Edit,       // "DatumEdit": shows yyyymmdd
    Calendar,   // "DatumCtrl": shows yyyy-mm-dd, and the year is typed in full
};

enum class DatumRefusal {
    None,         // accepted
    NoForm,       // no form the field reads: no date in it
    YearInFull,   // a short text beginning with 2 where the year is typed in full
    NoDate,       // a form the field reads, but a date the calendar does not have
    OutOfRange,   // a date before the earliest or after the latest
    DayBlocked,   // a date in the range that the day rule blocks
    BeforeStart,  // the end of a pair: a date before the start
    AfterEnd,     // the start of a pair: a date after the end
    TooShort,     // a pair's span shorter than its shortest
    TooLong,      // a pair's span longer than its longest
    EndStuck,     // a start that keeps the span: the end it would take along is not allowed there
    Missing,      // empty, and the binding requires a date
};

struct EntryRules {
    FieldKind kind = FieldKind::Edit;
    bool quickEntry = false;   // DCF_QUICKENTRY: the keyword letters alone and the relative forms
    bool required = false;     // DCF_REQUIRED: the empty text is refused on leaving
    DateRange range;           // the dates the field accepts
    DayRule dayRule;           // the days among them it refuses, and marks
    PairRule pair{};           // the linked pair's rule; none while a text is typed
    LocalForms local{};        // DCF_LOCALFORMS: the user's order, and how a partial date is completed
};

struct Judgement {
    DatumRefusal refusal = DatumRefusal::None;
    // The date the text stands for, a two-digit year windowed: the date an
    // accepted text is rewritten to; for NoDate the impossible date read,
    // with year 0 for a date typed in part (and month 0 for a day alone);
    // the empty date for the empty text and for NoForm.
    CDateValue date;
};

// The empty text is accepted here: a required date is JudgeLeaving's.
Judgement JudgeText(const EntryRules& rules, const CString& text);

// The text as the field judges it when the user leaves it: the empty text
// is Missing under a required binding, anything else as JudgeText says.
Judgement JudgeLeaving(const EntryRules& rules, const CString& text);

// A date that no text was typed for, such as a day picked in the calendar:
// NoDate for one the calendar does not have or whose year is not written in
// full, else the date rules as for a text.
Judgement JudgeDate(const EntryRules& rules, const CDateValue& date);

// A text that a further key may still make another date, such as "+1" on
// the way to "+14", or "8.1" on the way to "8.12.": it does not move the
// focus on while it is typed.
bool MayGrowIntoAnotherDate(const EntryRules& rules, std::string_view text);

// Whether the date values' Parse reads the text as the field does: then a
// read of the field may parse the text itself. Otherwise the date is the
// judge's (a quick form, a short form with separators), and a text in no
// form gives the empty date rather than numbers the parser made of it.
bool ParseReadsAsTyped(const EntryRules& rules, std::string_view text);

// The form an empty field shows in grey: yyyy-mm-dd in the date control,
// yyyymmdd in the edit, and the user's order under DCF_LOCALFORMS
// ("dd.mm.yyyy").
CString FormHint(const EntryRules& rules);

// The date a text stands for while it is a shorthand: a date in part, in
// the user's order, or a quick form or keyword letter. Nothing for a text
// that names year, month and day in a fixed form, for the empty text, and
// for one that stands for no date (the range and the day rule aside: a
// preview shows the date that will be refused too).
std::optional<CDateValue> PreviewDate(const EntryRules& rules, const CString& text);

// The date in the field's display form: yyyymmdd in the edit, yyyy-mm-dd
// in the date control; the empty text for the empty date.
CString DisplayText(const EntryRules& rules, const CDateValue& date);

// The sentence for a judgement: "2007-02-31 is not a date: February 2007
// has 28 days." The forms it offers are the ones these rules read. Empty
// for None.
CString RefusalSentence(const EntryRules& rules, const Judgement& judgement);
