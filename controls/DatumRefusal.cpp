// DatumRefusal.cpp: the range rule and the sentences of the refusal tip.
#include "controls/DatumRefusal.h"

namespace {

// A date as one number that orders like the calendar.
long Ordinal(const CDateValue& date) { return (date.year * 100L + date.month) * 100L + date.day; }

bool IsEmpty(const CDateValue& date) { return date == CDateValue(); }

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// Every sentence the tip can show. The dates in them are yyyy-mm-dd.
struct Sentences {
    const char* noForm;
    const char* noDay;          // the date, the month's name, the year, the month's length
    const char* noMonth;        // the date
    const char* outsideBoth;    // the earliest, the latest
    const char* beforeEarliest; // the earliest
    const char* afterLatest;    // the latest
    const char* missing;
};
constexpr Sentences kSentences = {
    "Type a date as yyyy-mm-dd, yyyymmdd or yymmdd, or D, G or M.",
    "%s is not a date: %s %u has %d days.",
    "%s is not a date: a year has 12 months.",
    "Choose a date from %s to %s.",
    "Choose a date on or after %s.",
    "Choose a date on or before %s.",
    "A date is required here.",
};

CString Dashed(const CDateValue& date)
{
    CString text;
    text.Format("%04u-%02u-%02u", static_cast<unsigned>(date.year), static_cast<unsigned>(date.month),
                static_cast<unsigned>(date.day));
    return text;
}

} // namespace

bool DateRange::IsAllowed() const
{
    if (!earliest.IsValid() || !latest.IsValid())
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

CString RefusalSentence(DatumRefusal refusal, const CDateValue& date, const DateRange& range)
{
    CString sentence;
    switch (refusal) {
    case DatumRefusal::None:
        break;
    case DatumRefusal::NoForm:
        sentence = kSentences.noForm;
        break;
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
    case DatumRefusal::Missing:
        sentence = kSentences.missing;
        break;
    }
    return sentence;
}
