// TextRules.cpp: judging a text, and the sentences of the refusal tip.
#include "textrules/TextRules.h"

#include "textrules/DateSteps.h"
#include "textrules/QuickForms.h"

#include <string>

namespace {

std::string_view ViewOf(const CString& text)
{
    return std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

// The lengths the date values' Parse reads by position: yyyy?mm?dd,
// yyyymmdd and yymmdd.
bool IsPositionalLength(std::string_view text) { return text.size() == 10 || text.size() == 8 || text.size() == 6; }

// Whether the pieces the parser reads by position are all digits: only
// then is the date read what the user typed. A separator inside a piece
// cuts the parser's number short ("08.12.26" would read as 2008-02-26).
// The characters between the pieces of yyyy?mm?dd are free.
bool PiecesAreDigits(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool separator = text.size() == 10 && (i == 4 || i == 7);
        if (!separator && !IsDigit(text[i]))
            return false;
    }
    return true;
}

// yy-mm-dd: the one short form with separators the fields read, as year,
// month and day with the year window.
bool IsDashedShortForm(std::string_view text)
{
    return text.size() == 8 && text[2] == '-' && text[5] == '-' && IsDigit(text[0]) && IsDigit(text[1]) &&
           IsDigit(text[3]) && IsDigit(text[4]) && IsDigit(text[6]) && IsDigit(text[7]);
}

// The form of a text the parser reads: by its length, or a keyword letter.
// A text read by position whose pieces are not all digits is in no form,
// except yy-mm-dd, which is read as its six digits are.
Judgement JudgeDateForm(std::string_view text)
{
    CDateValue date;
    if (IsDashedShortForm(text)) {
        const char digits[] = {text[0], text[1], text[3], text[4], text[6], text[7], '\0'};
        date.Parse(digits);
    } else if (IsPositionalLength(text) && !PiecesAreDigits(text)) {
        return {DatumRefusal::NoForm, {}};
    } else {
        date.Parse(std::string(text).c_str());
    }
    if (IsEmptyDate(date))
        return {DatumRefusal::NoForm, {}};
    date.ApplyYearWindow();
    return {date.IsValid() ? DatumRefusal::None : DatumRefusal::NoDate, date};
}

// A text in a local form: a full date as the calendar has it or not, a
// partial one completed around today, or none without today.
Judgement JudgeLocalForm(const LocalForms& local, const LocalReading& reading)
{
    if (!reading.inForm)
        return {DatumRefusal::NoForm, {}};
    const CDateValue date = DateOf(reading.year, reading.month, reading.day);
    if (reading.year != 0)
        return {date.IsValid() ? DatumRefusal::None : DatumRefusal::NoDate, date};
    CDateValue today;
    today.SetToday();
    if (const std::optional<CDateValue> completed = CompletedDate(reading, local.partial, today))
        return {DatumRefusal::None, *completed};
    // Pieces that some year has are refused for want of today or beyond
    // the full years, as a quick form is; others name no date at all.
    const bool possible =
        reading.month == 0 ? reading.day >= 1 && reading.day <= 31 : DateOf(2000, reading.month, reading.day).IsValid();
    if (possible || !HasFullYear(today))
        return {DatumRefusal::NoForm, {}};
    return {DatumRefusal::NoDate, date};
}

std::optional<LocalReading> LocalReadingOf(const EntryRules& rules, std::string_view text)
{
    return rules.local.enabled ? ReadLocalForm(text, rules.local.local.order) : std::nullopt;
}

Judgement JudgeForm(const EntryRules& rules, std::string_view text)
{
    if (rules.quickEntry && IsQuickFormText(text)) {
        const std::optional<CDateValue> date = QuickFormDate(text, CDateValue().SetToday());
        if (!date)
            return {DatumRefusal::NoForm, {}};
        return {DatumRefusal::None, *date};
    }
    if (const std::optional<LocalReading> reading = LocalReadingOf(rules, text))
        return JudgeLocalForm(rules.local, *reading);
    if (rules.kind == FieldKind::Calendar && text[0] == '2' && text.size() < 8)
        return {DatumRefusal::YearInFull, {}};
    return JudgeDateForm(text);
}

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// Every sentence the tip can show, each under 80 characters (a tooltip
// hands out no more of its text). The dates in them are yyyy-mm-dd.
struct Sentences {
    const char* noForm;          // the field reads the date forms only
    const char* noQuickForm;     // ... and the quick forms
    const char* yearInFull;      // today dashed, today compact
    const char* noDay;           // the date, the month's name, the year, the month's length
    const char* noMonth;         // the date
    const char* outsideBoth;     // the earliest, the latest
    const char* beforeEarliest;  // the earliest
    const char* afterLatest;     // the latest
    const char* blocked;         // the date, the day rule's reason (at most 48 characters)
    const char* blockedNoReason; // the date
    const char* beforeStart;     // the end, the start
    const char* afterEnd;        // the start, the end
    const char* tooShort;        // the shortest, its plural, the start, the end, the span
    const char* tooLong;         // the longest, its plural, the start, the end, the span
    const char* endOutside;      // the end the start would take along
    const char* endBlocked;      // the same, the end's day rule's reason (cut to fit)
    const char* endBlockedNoReason;   // the same
    const char* endTooFar;
    const char* missing;
    const char* localForms;        // today in the user's order: full, in part, the day; today dashed
    const char* localQuickForms;   // the same four, then the quick forms
    const char* localNoToday;      // the user's order in letters
    const char* partialNoDay;      // day and month as typed, the month's name, its longest length
    const char* dayNoDay;          // the day as typed
};
constexpr Sentences kSentences = {
    "Type a date as yyyy-mm-dd, yyyymmdd or yymmdd.",
    "Type a date as yyyy-mm-dd, yyyymmdd, yymmdd, D, G, M, or as +7, -2w, +3m, +1y.",
    "Type the year in full here: %s or %s.",
    "%s is not a date: %s %u has %d days.",
    "%s is not a date: a year has 12 months.",
    "Choose a date from %s to %s.",
    "Choose a date on or after %s.",
    "Choose a date on or before %s.",
    "%s cannot be chosen: %s.",
    "%s cannot be chosen.",
    "%s is before the start, %s.",
    "%s is after the end, %s.",
    "The span must be at least %d day%s: %s to %s is %d.",
    "The span may be at most %d day%s: %s to %s is %d.",
    "The end would move to %s, outside the dates it takes.",
    "The end would move to %s: %.*s.",
    "The end would move to %s, a day it cannot take.",
    "The end cannot move that far.",
    "A date is required here.",
    "Type a date as %s, %s or %s, or as %s.",
    "Type a date as %s, %s, %s, %s, D, G, M, or as +7, -2w, +3m.",
    "Type a date as %s or as yyyy-mm-dd.",
    "%s is not a date: days in %s run from 1 to %d.",
    "%s is not a date: days run from 1 to 31.",
};

// The longest sentence a tip shows.
constexpr int kLongestSentence = 79;

CString Dashed(const CDateValue& date)
{
    CString text;
    text.Format("%04u-%02u-%02u", static_cast<unsigned>(date.year), static_cast<unsigned>(date.month),
                static_cast<unsigned>(date.day));
    return text;
}

// Under DCF_LOCALFORMS: today written in each form the field reads.
CString LocalFormsSentence(const EntryRules& rules)
{
    const LocalOrder& local = rules.local.local;
    CDateValue today;
    today.SetToday();
    CString sentence;
    if (!HasFullYear(today)) {
        sentence.Format(kSentences.localNoToday, LocalHint(local).c_str());
        return sentence;
    }
    const std::string full = LocalExample(local, today);
    const std::string partial = PartialText(local, today.day, today.month);
    const std::string day = PartialText(local, today.day, 0);
    sentence.Format(rules.quickEntry ? kSentences.localQuickForms : kSentences.localForms, full.c_str(),
                    partial.c_str(), day.c_str(), today.FormatDashed().GetString());
    return sentence;
}

CString NoFormSentence(const EntryRules& rules)
{
    if (rules.local.enabled)
        return LocalFormsSentence(rules);
    return rules.quickEntry ? kSentences.noQuickForm : kSentences.noForm;
}

// The end's own rules, which the end that a start takes along must meet.
EntryRules EndRules(const PairRule& pair) { return {.range = pair.endRange, .dayRule = pair.endDayRule}; }

// The pair's rule on a side's date, once the date rules of the field itself
// have accepted it: an empty side sets no limit.
DatumRefusal JudgePair(const PairRule& pair, const CDateValue& own)
{
    if (!pair.IsSet() || IsEmptyDate(pair.other))
        return DatumRefusal::None;
    if (const std::optional<CDateValue> moved = pair.MovedEnd(own)) {
        if (JudgeDate(EndRules(pair), *moved).refusal != DatumRefusal::None)
            return DatumRefusal::EndStuck;
    }
    CDateValue start;
    CDateValue end;
    pair.Ends(own, &start, &end);
    const int span = DaysFrom(start, end);
    if (span < 0)
        return pair.side == PairSide::End ? DatumRefusal::BeforeStart : DatumRefusal::AfterEnd;
    if (span < pair.shortest)
        return DatumRefusal::TooShort;
    if (pair.longest > 0 && span > pair.longest)
        return DatumRefusal::TooLong;
    return DatumRefusal::None;
}

// Why the end that a start takes along cannot be where it would move.
CString EndStuckSentence(const PairRule& pair, const CDateValue& moved)
{
    CString sentence;
    if (IsEmptyDate(moved)) {
        sentence = kSentences.endTooFar;
        return sentence;
    }
    const CString reason = pair.endDayRule.ReasonFor(moved);
    if (JudgeDate(EndRules(pair), moved).refusal != DatumRefusal::DayBlocked) {
        sentence.Format(kSentences.endOutside, Dashed(moved).GetString());
    } else if (reason.IsEmpty()) {
        sentence.Format(kSentences.endBlockedNoReason, Dashed(moved).GetString());
    } else {   // the reason cut to what the tip has room for
        CString bare;
        bare.Format(kSentences.endBlocked, Dashed(moved).GetString(), 0, "");
        sentence.Format(kSentences.endBlocked, Dashed(moved).GetString(), kLongestSentence - bare.GetLength(),
                        reason.GetString());
    }
    return sentence;
}

// The sentences of the pair's refusals, with both dates.
CString PairSentence(const PairRule& pair, const Judgement& judgement)
{
    CDateValue start;
    CDateValue end;
    pair.Ends(judgement.date, &start, &end);
    CString sentence;
    if (judgement.refusal == DatumRefusal::EndStuck)
        return EndStuckSentence(pair, end);
    if (judgement.refusal == DatumRefusal::BeforeStart) {
        sentence.Format(kSentences.beforeStart, Dashed(end).GetString(), Dashed(start).GetString());
    } else if (judgement.refusal == DatumRefusal::AfterEnd) {
        sentence.Format(kSentences.afterEnd, Dashed(start).GetString(), Dashed(end).GetString());
    } else {
        const bool tooShort = judgement.refusal == DatumRefusal::TooShort;
        const int limit = tooShort ? pair.shortest : pair.longest;
        sentence.Format(tooShort ? kSentences.tooShort : kSentences.tooLong, limit, limit == 1 ? "" : "s",
                        Dashed(start).GetString(), Dashed(end).GetString(), DaysFrom(start, end));
    }
    return sentence;
}

// A date typed in part that no month or year has.
CString PartialNoDateSentence(const EntryRules& rules, const CDateValue& date)
{
    const std::string typed = PartialText(rules.local.local, date.day, date.month);
    CString sentence;
    if (date.month == 0) {
        sentence.Format(kSentences.dayNoDay, typed.c_str());
    } else if (date.month > 12) {
        sentence.Format(kSentences.noMonth, typed.c_str());
    } else {
        const int longest = DateOf(2000, date.month, 1).DaysInMonth();   // the month in a leap year
        sentence.Format(kSentences.partialNoDay, typed.c_str(), kMonthNames[date.month - 1], longest);
    }
    return sentence;
}

} // namespace

Judgement JudgeText(const EntryRules& rules, const CString& text)
{
    if (text.IsEmpty())
        return {};
    const Judgement form = JudgeForm(rules, ViewOf(text));
    return form.refusal == DatumRefusal::None ? JudgeDate(rules, form.date) : form;
}

Judgement JudgeLeaving(const EntryRules& rules, const CString& text)
{
    if (text.IsEmpty())
        return {rules.required ? DatumRefusal::Missing : DatumRefusal::None, {}};
    return JudgeText(rules, text);
}

Judgement JudgeDate(const EntryRules& rules, const CDateValue& date)
{
    if (!HasFullYear(date))
        return {DatumRefusal::NoDate, date};
    if (!rules.range.Holds(date))
        return {DatumRefusal::OutOfRange, date};
    if (rules.dayRule.Blocks(date))
        return {DatumRefusal::DayBlocked, date};
    return {JudgePair(rules.pair, date), date};
}

bool MayGrowIntoAnotherDate(const EntryRules& rules, std::string_view text)
{
    if (rules.quickEntry && IsRelativeFormText(text))
        return true;
    const std::optional<LocalReading> reading = LocalReadingOf(rules, text);
    return reading && reading->inForm && !reading->complete;
}

bool ParseReadsAsTyped(const EntryRules& rules, std::string_view text)
{
    if ((rules.quickEntry && IsQuickFormText(text)) || LocalReadingOf(rules, text))
        return false;
    return !IsPositionalLength(text) || PiecesAreDigits(text);
}

CString FormHint(const EntryRules& rules)
{
    if (rules.local.enabled)
        return LocalHint(rules.local.local).c_str();
    return rules.kind == FieldKind::Calendar ? "yyyy-mm-dd" : "yyyymmdd";
}

std::optional<CDateValue> PreviewDate(const EntryRules& rules, const CString& text)
{
    const auto standsForDate = [](const Judgement& judgement) {
        return judgement.refusal == DatumRefusal::None || judgement.refusal == DatumRefusal::OutOfRange ||
               judgement.refusal == DatumRefusal::DayBlocked;
    };
    const Judgement judgement = JudgeText(rules, text);
    if (text.IsEmpty() || !standsForDate(judgement))
        return std::nullopt;
    EntryRules fixedForms = rules;
    fixedForms.quickEntry = false;
    fixedForms.local.enabled = false;
    const Judgement fixed = JudgeText(fixedForms, text);
    if (IsDigit(text.GetAt(0)) && standsForDate(fixed) && fixed.date == judgement.date)
        return std::nullopt;
    return judgement.date;
}

CString DisplayText(const EntryRules& rules, const CDateValue& date)
{
    return rules.kind == FieldKind::Calendar ? date.FormatDashed() : date.FormatCompact();
}

CString RefusalSentence(const EntryRules& rules, const Judgement& judgement)
{
    const CDateValue& date = judgement.date;
    const DateRange& range = rules.range;
    CString sentence;
    switch (judgement.refusal) {
    case DatumRefusal::None:
        break;
    case DatumRefusal::NoForm:
        sentence = NoFormSentence(rules);
        break;
    case DatumRefusal::YearInFull: {
        CDateValue today;
        if (today.SetToday() == CDateValue())
            sentence = NoFormSentence(rules);
        else
            sentence.Format(kSentences.yearInFull, today.FormatDashed().GetString(),
                            today.FormatCompact().GetString());
        break;
    }
    case DatumRefusal::NoDate:
        if (rules.local.enabled && date.year == 0)
            sentence = PartialNoDateSentence(rules, date);
        else if (date.month >= 1 && date.month <= 12)
            sentence.Format(kSentences.noDay, Dashed(date).GetString(), kMonthNames[date.month - 1],
                            static_cast<unsigned>(date.year), date.DaysInMonth());
        else
            sentence.Format(kSentences.noMonth, Dashed(date).GetString());
        break;
    case DatumRefusal::OutOfRange:
        if (!IsEmptyDate(range.earliest) && !IsEmptyDate(range.latest))
            sentence.Format(kSentences.outsideBoth, Dashed(range.earliest).GetString(),
                            Dashed(range.latest).GetString());
        else if (!IsEmptyDate(range.earliest))
            sentence.Format(kSentences.beforeEarliest, Dashed(range.earliest).GetString());
        else
            sentence.Format(kSentences.afterLatest, Dashed(range.latest).GetString());
        break;
    case DatumRefusal::DayBlocked: {
        const CString reason = rules.dayRule.ReasonFor(date);
        if (reason.IsEmpty())
            sentence.Format(kSentences.blockedNoReason, Dashed(date).GetString());
        else
            sentence.Format(kSentences.blocked, Dashed(date).GetString(), reason.GetString());
        break;
    }
    case DatumRefusal::BeforeStart:
    case DatumRefusal::AfterEnd:
    case DatumRefusal::TooShort:
    case DatumRefusal::TooLong:
    case DatumRefusal::EndStuck:
        sentence = PairSentence(rules.pair, judgement);
        break;
    case DatumRefusal::Missing:
        sentence = kSentences.missing;
        break;
    }
    return sentence;
}
