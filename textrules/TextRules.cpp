// TextRules.cpp: judging a text, and the sentences of the refusal tip.
#include "textrules/TextRules.h"

#include "textrules/QuickForms.h"

#include <string_view>

namespace {

constexpr unsigned kLastDisplayableYear = 9999;

bool IsEmpty(const CDateValue& date) { return date == CDateValue(); }

std::string_view ViewOf(const CString& text)
{
    return std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the pieces the parser reads by position are all digits: then the
// date read is what the user typed. Only yyyy?mm?dd has separators.
bool PiecesAreDigits(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool separator = text.size() == 10 && (i == 4 || i == 7);
        if (!separator && !IsDigit(text[i]))
            return false;
    }
    return true;
}

// The form of a text the parser reads: by its length, or a keyword letter.
// A minus sign in the year piece gives a five-digit year (the piece is
// stored in 16 bits: -123 becomes 65413). The calendar rule has no year
// limit, but the rewrite of such a date (65413-01-01) is a text the field
// itself refuses, which would trap the focus in a field the control wrote.
// So it is refused as typed.
Judgement JudgeDateForm(const CString& text)
{
    CDateValue date = CDateValue().Parse(text.GetString());
    if (IsEmpty(date) || date.year > kLastDisplayableYear)
        return {DatumRefusal::NoForm, {}};
    if (date.IsValid())
        return {DatumRefusal::None, date.ApplyYearWindow()};
    // The numbers of a text that is not all digits are the parser's, not
    // the user's ("\t2026-12-3" reads as year 202, month 255): no sentence
    // quotes them.
    if (!PiecesAreDigits(ViewOf(text)))
        return {DatumRefusal::NoForm, {}};
    return {DatumRefusal::NoDate, date.ApplyYearWindow()};
}

Judgement JudgeForm(const EntryRules& rules, const CString& text)
{
    if (rules.quickEntry && IsQuickFormText(ViewOf(text))) {
        const std::optional<CDateValue> date = QuickFormDate(ViewOf(text), CDateValue().SetToday());
        if (!date)
            return {DatumRefusal::NoForm, {}};
        return {DatumRefusal::None, *date};
    }
    if (rules.fullYear && text.GetAt(0) == '2' && text.GetLength() < 8)
        return {DatumRefusal::YearInFull, {}};
    return JudgeDateForm(text);
}

// The date rules, in order; the first that refuses the date answers.
DatumRefusal DateRefusal(const EntryRules& rules, const CDateValue& date)
{
    if (!rules.range.Holds(date))
        return DatumRefusal::OutOfRange;
    if (rules.dayRule.Blocks(date))
        return DatumRefusal::DayBlocked;
    return DatumRefusal::None;
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
    const char* missing;
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
    "A date is required here.",
};

CString Dashed(const CDateValue& date)
{
    CString text;
    text.Format("%04u-%02u-%02u", static_cast<unsigned>(date.year), static_cast<unsigned>(date.month),
                static_cast<unsigned>(date.day));
    return text;
}

CString NoFormSentence(const EntryRules& rules)
{
    return rules.quickEntry ? kSentences.noQuickForm : kSentences.noForm;
}

} // namespace

Judgement JudgeText(const EntryRules& rules, const CString& text)
{
    if (text.IsEmpty())
        return {};
    Judgement judgement = JudgeForm(rules, text);
    if (judgement.refusal == DatumRefusal::None)
        judgement.refusal = DateRefusal(rules, judgement.date);
    return judgement;
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
        if (date.month >= 1 && date.month <= 12)
            sentence.Format(kSentences.noDay, Dashed(date).GetString(), kMonthNames[date.month - 1],
                            static_cast<unsigned>(date.year), date.DaysInMonth());
        else
            sentence.Format(kSentences.noMonth, Dashed(date).GetString());
        break;
    case DatumRefusal::OutOfRange:
        if (!IsEmpty(range.earliest) && !IsEmpty(range.latest))
            sentence.Format(kSentences.outsideBoth, Dashed(range.earliest).GetString(),
                            Dashed(range.latest).GetString());
        else if (!IsEmpty(range.earliest))
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
    case DatumRefusal::Missing:
        sentence = kSentences.missing;
        break;
    }
    return sentence;
}
