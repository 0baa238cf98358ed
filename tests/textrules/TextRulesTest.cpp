// The text rules of the date fields without a window: the quick forms on
// fixed days, what a text is judged to be under each set of rules, the
// sentence that explains a refusal, trimmed pastes, allowed ranges, the
// day rule, dates in the user's order and in part, and the step keys.
#include "textrules/QuickForms.h"
#include "textrules/StepKeys.h"
#include "textrules/TextRules.h"

#include "platform/core/ClockForTesting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using platform::testing::FixedClock;

namespace {

CDateValue Day(const char* dashed) { return CDateValue().Parse(dashed); }

std::string Show(const std::optional<CDateValue>& date)
{
    return date ? std::string(date->FormatDashed().GetString()) : std::string("none");
}

// Each quick form on the day it is typed: days, weeks, months and years
// both ways and in either case, month and year ends, leap days, the year
// limits of the display forms, and the texts that give no date.
TEST(QuickForms, GiveTheDateRelativeToToday)
{
    struct Case {
        const char* today;
        const char* text;
        const char* date;   // "none": no date
    };
    const Case cases[] = {
        {"2026-01-31", "D", "2026-01-31"},
        {"2026-01-31", "d", "2026-01-31"},
        {"2026-01-31", "G", "2026-01-30"},
        {"2026-01-31", "g", "2026-01-30"},
        {"2026-01-31", "M", "2026-02-01"},
        {"2026-01-31", "m", "2026-02-01"},
        {"2026-01-31", "+7", "2026-02-07"},
        {"2026-01-31", "-1", "2026-01-30"},
        {"2026-01-31", "+0", "2026-01-31"},
        {"2026-01-31", "+0007", "2026-02-07"},
        {"2026-01-31", "+00007", "none"},       // five digits
        {"2026-01-31", "-01024001024002910", "none"},
        {"2026-01-31", "+9999", "2053-06-17"},
        {"2026-01-31", "+2w", "2026-02-14"},
        {"2026-01-31", "-1W", "2026-01-24"},
        {"2026-01-31", "+1m", "2026-02-28"},    // the last day of the shorter month
        {"2026-01-31", "+1M", "2026-02-28"},
        {"2026-01-31", "+3m", "2026-04-30"},
        {"2026-01-31", "-2m", "2025-11-30"},
        {"2026-01-31", "+11m", "2026-12-31"},
        {"2026-01-31", "-13m", "2024-12-31"},
        {"2026-01-31", "+1y", "2027-01-31"},
        {"2026-01-31", "-1Y", "2025-01-31"},
        {"2024-01-31", "+1m", "2024-02-29"},    // February of a leap year
        {"2024-02-29", "+1y", "2025-02-28"},
        {"2024-02-29", "+4y", "2028-02-29"},
        {"2024-02-29", "-100y", "1924-02-29"},
        {"2100-01-31", "+1m", "2100-02-28"},    // a century that is no leap year
        {"2000-01-31", "+1m", "2000-02-29"},    // one that is
        {"2024-02-29", "+1", "2024-03-01"},
        {"2026-12-31", "+1", "2027-01-01"},
        {"2027-01-01", "-1", "2026-12-31"},
        {"9999-12-31", "+1", "none"},           // past the last year the display forms hold
        {"9999-12-31", "+1m", "none"},
        {"9998-06-15", "+1y", "9999-06-15"},
        {"2026-01-31", "+7974y", "none"},
        {"2026-01-31", "+7973y", "9999-01-31"},
        {"2026-01-31", "-1926y", "0100-01-31"},
        {"2026-01-31", "-1927y", "none"},       // a year below 100 reads back as another date
        {"0100-01-01", "-1", "none"},
        {"2026-01-31", "+", "none"},
        {"2026-01-31", "-", "none"},
        {"2026-01-31", "+w", "none"},
        {"2026-01-31", "+5q", "none"},
        {"2026-01-31", "+5d", "none"},
        {"2026-01-31", "+5mm", "none"},
        {"2026-01-31", "+-5", "none"},
        {"2026-01-31", "+ 5", "none"},
        {"2026-01-31", "dg", "none"},            // a keyword letter stands alone
        {"2026-01-31", "D1", "none"},
        {"2026-01-31", "Dg", "none"},
        {"2026-01-31", "w", "none"},             // no quick form at all
        {"2026-01-31", "7", "none"},
        {"", "D", "none"},                       // no today: nothing relative to it
        {"", "+1", "none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(QuickFormDate(c.text, Day(c.today))), c.date) << c.today << " " << c.text;
}

// The keyboard filter's letters under the option: the keyword and unit letters.
TEST(QuickForms, LettersThatPassTheFilter)
{
    std::string passing;
    for (int c = 0; c < 256; ++c)
        if (IsQuickEntryLetter(static_cast<char>(c)))
            passing.push_back(static_cast<char>(c));
    EXPECT_EQ(passing, "DGMWYdgmwy");
}

// A paste loses the blanks around it and nothing else.
TEST(QuickForms, PastesLoseTheBlanksAroundThem)
{
    struct Case {
        const wchar_t* pasted;
        const wchar_t* kept;
    };
    const Case cases[] = {
        {L"2026-12-03", L"2026-12-03"},
        {L" 2026-12-03 ", L"2026-12-03"},
        {L"\t2026-12-03\r\n", L"2026-12-03"},
        {L"\u00A0\u00A020261203\u00A0", L"20261203"},
        {L"\n \t+7\r", L"+7"},
        {L"2026 12 03", L"2026 12 03"},          // inside: untouched
        {L" \u00A0\t\r\n", L""},
        {L"", L""},
        {L"\u20032026-12-03", L"\u20032026-12-03"},   // other spaces: untouched
        {L"\v2026-12-03\f", L"\v2026-12-03\f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::wstring(TrimmedPaste(c.pasted)), c.kept);
}

struct Rules {
    bool quick;
    bool calendar;   // a "DatumCtrl": yyyy-mm-dd, and the year typed in full
    const char* earliest;
    const char* latest;
};

EntryRules Make(const Rules& r)
{
    return {.kind = r.calendar ? FieldKind::Calendar : FieldKind::Edit,
            .quickEntry = r.quick,
            .required = false,
            .range = {Day(r.earliest), Day(r.latest)},
            .dayRule = {},
            .local = {}};
}

const char* NameOf(DatumRefusal refusal)
{
    switch (refusal) {
    case DatumRefusal::None: return "None";
    case DatumRefusal::NoForm: return "NoForm";
    case DatumRefusal::YearInFull: return "YearInFull";
    case DatumRefusal::NoDate: return "NoDate";
    case DatumRefusal::OutOfRange: return "OutOfRange";
    case DatumRefusal::DayBlocked: return "DayBlocked";
    case DatumRefusal::BeforeStart: return "BeforeStart";
    case DatumRefusal::AfterEnd: return "AfterEnd";
    case DatumRefusal::TooShort: return "TooShort";
    case DatumRefusal::TooLong: return "TooLong";
    case DatumRefusal::EndStuck: return "EndStuck";
    case DatumRefusal::Missing: return "Missing";
    }
    return "?";
}

// What a text is judged to be, and the sentence a refusal shows, under the
// rules of the edit and the date control, with and without the quick forms
// and a range, on 2026-12-08. Without the option the forms are the old
// ones: any text that begins with D is today. The sentences offer only the
// forms the field reads, and never quote numbers the parser made of a text
// that is not all digits.
TEST(TextRules, JudgeTextsAndExplainTheRefusals)
{
    FixedClock clock(2026, 12, 8);
    constexpr Rules kEdit{false, false, "", ""};
    constexpr Rules kCtrl{false, true, "", ""};
    constexpr Rules kQuickEdit{true, false, "", ""};
    constexpr Rules kQuickCtrl{true, true, "", ""};
    constexpr Rules kQuickRanged{true, true, "2026-12-08", "2027-12-08"};
    const char* const kForms = "Type a date as yyyy-mm-dd, yyyymmdd or yymmdd.";
    const char* const kQuickForms = "Type a date as yyyy-mm-dd, yyyymmdd, yymmdd, D, G, M, or as +7, -2w, +3m, +1y.";
    const char* const kYearInFull = "Type the year in full here: 2026-12-08 or 20261208.";
    struct Case {
        Rules rules;
        const char* text;
        DatumRefusal refusal;
        const char* date;       // the date it stands for, dashed
        const char* sentence;   // empty: none
    };
    using R = DatumRefusal;
    const Case cases[] = {
        {kEdit, "", R::None, "", ""},
        {kEdit, "20261208", R::None, "2026-12-08", ""},
        {kEdit, "261208", R::None, "2026-12-08", ""},
        {kEdit, "0049-01-01", R::None, "2049-01-01", ""},
        {kEdit, "D", R::None, "2026-12-08", ""},
        {kEdit, "Dg", R::None, "2026-12-08", ""},          // the old rule: any text that begins with D
        {kEdit, "Dxyz1", R::None, "2026-12-08", ""},
        {kEdit, "G", R::None, "2026-12-07", ""},
        {kEdit, "d", R::NoForm, "", kForms},                // no lower case without the option
        {kEdit, "+7", R::NoForm, "", kForms},
        {kEdit, "abc", R::NoForm, "", kForms},
        {kEdit, "-1230101", R::NoForm, "", kForms},         // a five-digit year
        {kEdit, "20241301", R::NoDate, "2024-13-01", "2024-13-01 is not a date: a year has 12 months."},
        {kEdit, "070231", R::NoDate, "2007-02-31", "2007-02-31 is not a date: February 2007 has 28 days."},
        {kEdit, "20190229", R::NoDate, "2019-02-29", "2019-02-29 is not a date: February 2019 has 28 days."},
        {kEdit, "20260132", R::NoDate, "2026-01-32", "2026-01-32 is not a date: January 2026 has 31 days."},
        {kEdit, "2024-02-30", R::NoDate, "2024-02-30", "2024-02-30 is not a date: February 2024 has 29 days."},
        {kEdit, "2026\t12\t32", R::NoDate, "2026-12-32", "2026-12-32 is not a date: December 2026 has 31 days."},
        {kEdit, "\t2026-12-3", R::NoForm, "", kForms},      // the parser's 0202-255-253
        {kCtrl, "\t2026-12-3", R::NoForm, "", kForms},
        {kEdit, "2024-1 -32", R::NoForm, "", kForms},
        {kEdit, " 0241301", R::NoForm, "", kForms},
        {kEdit, "24-12-15", R::None, "2024-12-15", ""},      // yy-mm-dd read whole, months 10 to 12 too
        {kCtrl, "24-03-15", R::None, "2024-03-15", ""},
        {kEdit, "24-02-30", R::NoDate, "2024-02-30", "2024-02-30 is not a date: February 2024 has 29 days."},
        {kEdit, "2024/03/15", R::None, "2024-03-15", ""},
        {kEdit, "08.12.26", R::NoForm, "", kForms},         // a separator inside a piece: never misread
        {kEdit, "1.1.26", R::NoForm, "", kForms},
        {kCtrl, "5/3/26", R::NoForm, "", kForms},
        {kEdit, "24/12/15", R::NoForm, "", kForms},
        {kEdit, "200115", R::None, "2020-01-15", ""},
        {kCtrl, "200115", R::YearInFull, "", kYearInFull},  // half-typed years are refused here
        {kCtrl, "2", R::YearInFull, "", kYearInFull},
        {kCtrl, "261208", R::YearInFull, "", kYearInFull},
        {kCtrl, "191208", R::None, "2019-12-08", ""},
        {kCtrl, "20261208", R::None, "2026-12-08", ""},
        {kCtrl, "D", R::None, "2026-12-08", ""},
        {kCtrl, "abc", R::NoForm, "", kForms},
        {kQuickEdit, "d", R::None, "2026-12-08", ""},
        {kQuickEdit, "g", R::None, "2026-12-07", ""},
        {kQuickEdit, "M", R::None, "2026-12-09", ""},
        {kQuickEdit, "Dg", R::NoForm, "", kQuickForms},     // a keyword letter stands alone
        {kQuickEdit, "dg", R::NoForm, "", kQuickForms},
        {kQuickEdit, "D12345", R::NoForm, "", kQuickForms},
        {kQuickEdit, "+7", R::None, "2026-12-15", ""},
        {kQuickEdit, "-1", R::None, "2026-12-07", ""},
        {kQuickEdit, "+3m", R::None, "2027-03-08", ""},
        {kQuickEdit, "+", R::NoForm, "", kQuickForms},
        {kQuickEdit, "+5q", R::NoForm, "", kQuickForms},
        {kQuickEdit, "+7974y", R::NoForm, "", kQuickForms},
        {kQuickEdit, "-12345", R::NoForm, "", kQuickForms},  // six characters, but a sign first
        {kQuickEdit, "20261208", R::None, "2026-12-08", ""},
        {kQuickEdit, "20240230", R::NoDate, "2024-02-30", "2024-02-30 is not a date: February 2024 has 29 days."},
        {kQuickEdit, "abc", R::NoForm, "", kQuickForms},
        {kQuickCtrl, "+1y", R::None, "2027-12-08", ""},
        {kQuickCtrl, "261208", R::YearInFull, "", kYearInFull},
        {kQuickCtrl, "2026-12-8", R::NoForm, "", kQuickForms},   // nine characters
        {kQuickRanged, "d", R::None, "2026-12-08", ""},
        {kQuickRanged, "G", R::OutOfRange, "2026-12-07", "Choose a date from 2026-12-08 to 2027-12-08."},
        {kQuickRanged, "-1", R::OutOfRange, "2026-12-07", "Choose a date from 2026-12-08 to 2027-12-08."},
        {kQuickRanged, "+1y", R::None, "2027-12-08", ""},
        {kQuickRanged, "+12m", R::None, "2027-12-08", ""},
        {kQuickRanged, "+53w", R::OutOfRange, "2027-12-14", "Choose a date from 2026-12-08 to 2027-12-08."},
        {kQuickRanged, "+365", R::None, "2027-12-08", ""},
        {kQuickRanged, "+366", R::OutOfRange, "2027-12-09", "Choose a date from 2026-12-08 to 2027-12-08."},
        {{true, false, "2026-12-08", ""}, "-1w", R::OutOfRange, "2026-12-01", "Choose a date on or after 2026-12-08."},
        {{true, false, "", "2026-12-31"}, "+1m", R::OutOfRange, "2027-01-08", "Choose a date on or before 2026-12-31."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\" quick " << c.rules.quick << " calendar "
                                          << c.rules.calendar << " range " << c.rules.earliest << ".."
                                          << c.rules.latest);
        const EntryRules rules = Make(c.rules);
        const Judgement judgement = JudgeText(rules, c.text);
        EXPECT_STREQ(NameOf(judgement.refusal), NameOf(c.refusal));
        EXPECT_EQ(judgement.date.FormatDashed(), c.date);
        EXPECT_EQ(RefusalSentence(rules, judgement), c.sentence);
        EXPECT_LT(RefusalSentence(rules, judgement).GetLength(), 80);   // a tooltip hands out no more
    }
    EXPECT_EQ(RefusalSentence(Make(kEdit), {DatumRefusal::Missing, {}}), "A date is required here.");
}

// A date with no text (a pick, a step) meets the date rules a text meets;
// a read parses the text itself only where the parser reads what was typed.
TEST(TextRules, DatesAndReadsAskTheSameJudge)
{
    FixedClock clock(2026, 12, 8);
    EntryRules rules = Make({true, true, "2026-12-01", "2027-12-31"});
    rules.dayRule = {DatumWeekdaysOnly, nullptr};
    const std::pair<const char*, DatumRefusal> dates[] = {
        {"2026-12-08", DatumRefusal::None},       {"2026-12-12", DatumRefusal::DayBlocked},
        {"2026-11-30", DatumRefusal::OutOfRange}, {"2026-02-29", DatumRefusal::NoDate},
        {"0099-12-31", DatumRefusal::NoDate},     {"", DatumRefusal::NoDate},
    };
    for (const auto& [date, refusal] : dates)
        EXPECT_STREQ(NameOf(JudgeDate(rules, Day(date)).refusal), NameOf(refusal)) << date;
    const std::pair<const char*, bool> reads[] = {
        {"20261208", true}, {"2026/12/08", true}, {"261208", true}, {"D", false},  {"", true},
        {"24-12-15", false}, {"08.12.26", false}, {"+7", false},    {"d", false},
    };
    for (const auto& [text, asTyped] : reads)
        EXPECT_EQ(ParseReadsAsTyped(rules, text), asTyped) << text;
    EXPECT_EQ(DisplayText(rules, Day("2026-12-08")), "2026-12-08");
    EXPECT_EQ(DisplayText(Make({false, false, "", ""}), Day("2026-12-08")), "20261208");
}

// Without a clock the quick forms and the dates in part give no date, and
// the sentences fall back to the forms the field reads.
TEST(TextRules, NoTodayNoQuickFormAndNoExample)
{
    FixedClock clock = FixedClock::Failing();
    const EntryRules quickCtrl = Make({true, true, "", ""});
    EXPECT_EQ(JudgeText(quickCtrl, "+1").refusal, DatumRefusal::NoForm);
    EXPECT_EQ(JudgeText(quickCtrl, "d").refusal, DatumRefusal::NoForm);
    EXPECT_EQ(RefusalSentence(quickCtrl, JudgeText(quickCtrl, "261208")),
              RefusalSentence(quickCtrl, JudgeText(quickCtrl, "abc")));
    // Nor a date in part, nor a step from the empty field; a full date in the user's order still is one.
    EntryRules local = quickCtrl;
    local.local = {true, {DateOrder::DayMonthYear, '.'}, DatumPartial::Nearest};
    EXPECT_EQ(JudgeText(local, "8.12.").refusal, DatumRefusal::NoForm);
    EXPECT_EQ(JudgeText(local, "8.12.2026").refusal, DatumRefusal::None);
    EXPECT_EQ(RefusalSentence(local, JudgeText(local, "8.12.")), "Type a date as dd.mm.yyyy or as yyyy-mm-dd.");
    EXPECT_FALSE(StepStart(local, ""));
}

// A test rule whose context counts the days it is asked about: blocks
// Christmas Eve and Day with the reasons below (the second longer than a
// reason may be, and cut), blocks New Year's Eve without a reason, marks
// the 23rd, and leaves its reason empty for every other day.
unsigned DATUM_CALLBACK CountingHolidays(const CDateValue& day, void* context, char* reason, int reasonSize)
{
    ++*static_cast<int*>(context);
    if (day.month != 12)
        return 0;
    const char* text = day.day == 24 ? "Christmas Eve"
                       : day.day == 25 ? "Christmas Day, when the office is closed, and so is the"
                                         " warehouse"
                                       : "";
    std::snprintf(reason, static_cast<std::size_t>(reasonSize), "%s", text);
    if (day.day == 23)
        return DATUM_DAY_MARKED;
    return day.day == 24 || day.day == 25 || day.day == 31 ? DATUM_DAY_BLOCKED | DATUM_DAY_MARKED : 0;
}

// The day rule on the text of every form, the keyword letters on the day
// they are typed: asked only about a date the calendar has and the range
// holds, a blocked day refused with the rule's reason, cut to fit a tip,
// or without one; a marked day is accepted.
TEST(TextRules, TheDayRuleIsAskedAfterTheRange)
{
    struct Case {
        const char* today;
        bool quick;
        bool weekdays;        // DatumWeekdaysOnly, else CountingHolidays
        const char* earliest;
        const char* text;
        DatumRefusal refusal;
        bool asked;           // the rule was asked
        const char* sentence;
    };
    using R = DatumRefusal;
    const char* const kCut = "2026-12-25 cannot be chosen: Christmas Day, when the office is closed, and so.";
    const Case cases[] = {
        {"2026-12-08", false, true, "", "20261226", R::DayBlocked, true, "2026-12-26 cannot be chosen: a Saturday."},
        {"2026-12-08", false, true, "", "2026-12-27", R::DayBlocked, true, "2026-12-27 cannot be chosen: a Sunday."},
        {"2026-12-08", false, true, "", "261228", R::None, true, ""},
        {"2026-12-08", false, true, "", "20270101", R::None, true, ""},            // a Friday
        {"2026-12-08", false, true, "", "20270102", R::DayBlocked, true, "2027-01-02 cannot be chosen: a Saturday."},
        {"2026-12-08", false, true, "", "20000101", R::DayBlocked, true, "2000-01-01 cannot be chosen: a Saturday."},
        {"2026-12-13", false, true, "", "D", R::DayBlocked, true, "2026-12-13 cannot be chosen: a Sunday."},
        {"2026-12-13", true, true, "", "d", R::DayBlocked, true, "2026-12-13 cannot be chosen: a Sunday."},
        {"2026-12-14", true, true, "", "g", R::DayBlocked, true, "2026-12-13 cannot be chosen: a Sunday."},
        {"2026-12-11", true, true, "", "M", R::DayBlocked, true, "2026-12-12 cannot be chosen: a Saturday."},
        {"2026-12-08", true, true, "", "+4", R::DayBlocked, true, "2026-12-12 cannot be chosen: a Saturday."},
        {"2026-12-08", true, true, "", "+1w", R::None, true, ""},
        {"2026-12-08", false, false, "", "20261224", R::DayBlocked, true, "2026-12-24 cannot be chosen: Christmas Eve."},
        {"2026-12-08", false, false, "", "20261225", R::DayBlocked, true, kCut},
        {"2026-12-08", false, false, "", "20261231", R::DayBlocked, true, "2026-12-31 cannot be chosen."},
        {"2026-12-08", false, false, "", "20261223", R::None, true, ""},           // marked, not blocked
        {"2026-12-08", false, false, "", "", R::None, false, ""},
        {"2026-12-08", false, false, "", "20261232", R::NoDate, false,
         "2026-12-32 is not a date: December 2026 has 31 days."},
        {"2026-12-08", false, false, "", "abc", R::NoForm, false, "Type a date as yyyy-mm-dd, yyyymmdd or yymmdd."},
        {"2026-12-08", false, false, "2027-01-01", "20261224", R::OutOfRange, false,
         "Choose a date on or after 2027-01-01."},
        {"2026-12-08", false, false, "2026-12-01", "20261224", R::DayBlocked, true,
         "2026-12-24 cannot be chosen: Christmas Eve."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\" on " << c.today << " quick " << c.quick
                                          << " from " << c.earliest);
        FixedClock clock(std::atoi(c.today), std::atoi(c.today + 5), std::atoi(c.today + 8));
        int asked = 0;
        const DayRule rule = c.weekdays ? DayRule{DatumWeekdaysOnly, nullptr} : DayRule{CountingHolidays, &asked};
        EntryRules rules = Make({c.quick, false, c.earliest, ""});
        rules.dayRule = rule;
        const Judgement judgement = JudgeText(rules, c.text);
        EXPECT_STREQ(NameOf(judgement.refusal), NameOf(c.refusal));
        EXPECT_EQ(RefusalSentence(rules, judgement), c.sentence);
        EXPECT_LT(RefusalSentence(rules, judgement).GetLength(), 80);
        if (!c.weekdays) {
            EXPECT_EQ(asked > 0, c.asked);
        }
    }
}

// The rule of a linked pair, on 2026-12-08, asked after the field's own
// range: the end refuses a date before the start and the start one after
// the end, spans too short or too long are refused on either side, an empty
// side sets no limit, and a start that keeps the span is refused when the
// end it takes along would fall outside the end's range, on a day the end's
// rule blocks or outside the full years. Each sentence names both dates and
// fits a tip. Without the pair's rule, as while a text is typed, the same
// dates are accepted. A calendar on the end's side offers no day before the
// start and shows the days from the start to the end bold.
TEST(TextRules, ThePairsRule)
{
    FixedClock clock(2026, 12, 8);
    using S = PairSide;
    using R = DatumRefusal;
    int asked = 0;
    struct Case {
        PairRule pair;
        const char* earliest;   // the field's own range
        const char* text;
        DatumRefusal refusal;
        const char* sentence;
    };
    auto pair = [](S side, const char* other, int shortest = 0, int longest = 0) {
        return PairRule{.side = side, .other = Day(other), .shortest = shortest, .longest = longest};
    };
    // A start kept from 2026-12-01 with its end on 2026-12-05.
    auto kept = [](const char* endLatest, DayRule endRule) {
        return PairRule{.side = S::Start, .other = Day("2026-12-05"), .keepSpan = true, .keptFrom = Day("2026-12-01"),
                        .endRange = {{}, Day(endLatest)}, .endDayRule = endRule};
    };
    const DayRule weekdays{DatumWeekdaysOnly, nullptr};
    const DayRule holidays{CountingHolidays, &asked};
    const Case cases[] = {
        {pair(S::End, "2026-12-08"), "", "20261201", R::BeforeStart, "2026-12-01 is before the start, 2026-12-08."},
        {pair(S::End, ""), "", "20261201", R::None, ""},
        {pair(S::End, "2026-12-08"), "2026-12-05", "20261201", R::OutOfRange, "Choose a date on or after 2026-12-05."},
        {pair(S::End, "2026-12-08", 2), "", "20261209", R::TooShort,
         "The span must be at least 2 days: 2026-12-08 to 2026-12-09 is 1."},
        {pair(S::End, "2026-12-08", 1), "", "D", R::TooShort,
         "The span must be at least 1 day: 2026-12-08 to 2026-12-08 is 0."},
        {pair(S::End, "2026-12-08", 1, 30), "", "20270120", R::TooLong,
         "The span may be at most 30 days: 2026-12-08 to 2027-01-20 is 43."},
        {pair(S::End, "2026-12-08", 1, 30), "", "20270107", R::None, ""},
        {pair(S::End, "2026-12-08", 0, 1), "", "20261210", R::TooLong,
         "The span may be at most 1 day: 2026-12-08 to 2026-12-10 is 2."},
        {pair(S::Start, "2026-12-10"), "", "20261220", R::AfterEnd, "2026-12-20 is after the end, 2026-12-10."},
        {pair(S::Start, ""), "", "20261220", R::None, ""},
        {pair(S::Start, "2026-12-10", 3), "", "D", R::TooShort,
         "The span must be at least 3 days: 2026-12-08 to 2026-12-10 is 2."},
        {pair(S::Start, "2027-01-20", 0, 30), "", "20261208", R::TooLong,
         "The span may be at most 30 days: 2026-12-08 to 2027-01-20 is 43."},
        {kept("", {}), "", "20261220", R::None, ""},   // the end moves on to 2026-12-24
        {kept("", weekdays), "", "20261222", R::EndStuck, "The end would move to 2026-12-26: a Saturday."},
        {kept("2026-12-31", {}), "", "20270101", R::EndStuck, "The end would move to 2027-01-05, outside the dates it takes."},
        {kept("2026-12-31", weekdays), "", "20270105", R::EndStuck,
         "The end would move to 2027-01-09, outside the dates it takes."},   // a Saturday too: the range speaks
        {kept("", holidays), "", "20261227", R::EndStuck, "The end would move to 2026-12-31, a day it cannot take."},
        {kept("", holidays), "", "20261221", R::EndStuck,
         "The end would move to 2026-12-25: Christmas Day, when the office is closed, an."},
        {kept("", {}), "", "99991228", R::EndStuck, "The end cannot move that far."},
        {{.side = S::Start, .other = Day("2026-12-05"), .keepSpan = true}, "", "20261220", R::AfterEnd,
         "2026-12-20 is after the end, 2026-12-05."},   // no date kept from: no move
        {{.side = S::Start, .other = Day("2026-12-05"), .keepSpan = true, .keptFrom = Day("2026-12-10")}, "",
         "20261201", R::None, ""},   // an end before the date kept from stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\" side " << static_cast<int>(c.pair.side)
                                          << " other " << c.pair.other.FormatDashed());
        EntryRules rules = Make({false, false, c.earliest, ""});
        rules.pair = c.pair;
        const Judgement judgement = JudgeText(rules, c.text);
        EXPECT_STREQ(NameOf(judgement.refusal), NameOf(c.refusal));
        EXPECT_EQ(RefusalSentence(rules, judgement), c.sentence);
        EXPECT_LT(RefusalSentence(rules, judgement).GetLength(), 80);
        rules.pair.side = S::None;
        EXPECT_EQ(JudgeText(rules, c.text).refusal, c.refusal == R::OutOfRange ? R::OutOfRange : R::None);
    }

    const PairRule end = pair(S::End, "2026-12-08");
    EXPECT_EQ(end.Offered({{}, Day("2026-12-07")}).earliest, CDateValue());   // no day after the start
    EXPECT_EQ(end.Offered({Day("2026-12-10"), {}}).earliest, Day("2026-12-10"));
    std::string bold;
    for (const char* day : {"2026-12-07", "2026-12-08", "2026-12-10", "2026-12-11"})
        bold += end.Spans(Day("2026-12-10"), Day(day)) ? '1' : '0';
    EXPECT_EQ(bold, "0110");
    // 3615899 days lie between 0100-01-01 and 9999-12-31: no span is longer.
    EXPECT_TRUE(PairRule::SpansAllowed(1, 30) && PairRule::SpansAllowed(5, 0) && PairRule::SpansAllowed(0, 0) &&
                PairRule::SpansAllowed(0, 3615899));
    EXPECT_FALSE(PairRule::SpansAllowed(31, 30) || PairRule::SpansAllowed(-1, 0) || PairRule::SpansAllowed(0, 3615900));
}

// A range side is no limit (empty) or a possible date with a year from 100
// to 9999, and the earliest is not after the latest.
TEST(DateRangeRule, AllowsOnlyOrderedSidesWithFullYears)
{
    struct Case {
        const char* earliest;
        const char* latest;
        bool allowed;
    };
    const Case cases[] = {
        {"", "", true},
        {"2026-01-01", "2026-12-31", true},
        {"2026-12-31", "2026-12-31", true},
        {"2026-12-31", "2026-01-01", false},
        {"2026-02-30", "", false},
        {"0100-01-01", "9999-12-31", true},
        {"0099-12-31", "", false},
        {"", "0099-12-31", false},
        {"0001-01-01", "2026-01-01", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ((DateRange{Day(c.earliest), Day(c.latest)}.IsAllowed()), c.allowed) << c.earliest << ".." << c.latest;
    CDateValue tenThousand = Day("9999-01-01");
    tenThousand.year = 10000;
    EXPECT_FALSE((DateRange{{}, tenThousand}.IsAllowed()));
}

EntryRules Local(DateOrder order, DatumPartial partial = DatumPartial::Nearest, bool quick = false)
{
    EntryRules rules = Make({quick, false, "", ""});
    rules.local = {true, {order, order == DateOrder::DayMonthYear ? '.' : '/'}, partial};
    return rules;
}

// What a judgement gives: the dashed date of an accepted text, else the refusal.
std::string Gives(const Judgement& judgement)
{
    return judgement.refusal == DatumRefusal::None ? judgement.date.FormatDashed().GetString()
                                                   : NameOf(judgement.refusal);
}

constexpr DateOrder kDmy = DateOrder::DayMonthYear, kMdy = DateOrder::MonthDayYear, kYmd = DateOrder::YearMonthDay;
constexpr DatumPartial kNear = DatumPartial::Nearest, kPast = DatumPartial::Past, kNext = DatumPartial::Future;

// Texts in the user's order, whole and in part, under each order and each
// way of completing, at month ends, year ends and leap days: the date each
// stands for, or its refusal, never another date. Texts without a
// separator keep their fixed forms, and a first group of three or four
// digits is always the year.
TEST(LocalForms, ReadInTheUsersOrderAndCompletedAroundToday)
{
    struct Case {
        const char* today;
        DateOrder order;
        DatumPartial partial;
        const char* text;
        const char* gives;   // the date, dashed, or the refusal
    };
    const Case cases[] = {
        {"2026-12-08", kDmy, kNear, "8.12.2026", "2026-12-08"}, {"2026-12-08", kDmy, kNear, "08.12.26", "2026-12-08"},
        {"2026-12-08", kDmy, kNear, "8.12.2026.", "2026-12-08"}, {"2026-12-08", kDmy, kNear, "8. 12. 2026", "2026-12-08"},
        {"2026-12-08", kDmy, kNear, "8 12 2026", "2026-12-08"}, {"2026-12-08", kDmy, kNear, "8-12-99", "1999-12-08"},
        {"2026-12-08", kMdy, kNear, "12/8/2026", "2026-12-08"}, {"2026-12-08", kMdy, kNear, "5/3/26", "2026-05-03"},
        {"2026-12-08", kYmd, kNear, "26/12/8", "2026-12-08"}, {"2026-12-08", kMdy, kNear, "2026/12/8", "2026-12-08"},
        {"2026-12-08", kDmy, kNear, "999.12.8", "0999-12-08"},
        {"2026-12-08", kDmy, kNear, "24-03-15", "2015-03-24"},   // the user's order wins over yy-mm-dd
        {"2026-12-08", kMdy, kNear, "24-03-15", "NoDate"}, {"2026-12-08", kYmd, kNear, "24-03-15", "2024-03-15"},
        {"2026-12-08", kDmy, kNear, "20261208", "2026-12-08"},   // no separator: the fixed forms
        {"2026-12-08", kDmy, kNear, "081226", "2008-12-26"}, {"2026-12-08", kDmy, kNear, "8.12.", "2026-12-08"},
        {"2026-12-08", kDmy, kNear, "8.12", "2026-12-08"}, {"2026-12-08", kMdy, kNear, "12/8", "2026-12-08"},
        {"2026-12-08", kYmd, kNear, "12/8", "2026-12-08"}, {"2026-12-08", kMdy, kNear, "8", "2026-12-08"},
        {"2027-01-03", kDmy, kNear, "28.12.", "2026-12-28"}, {"2027-01-03", kDmy, kPast, "28.12.", "2026-12-28"},
        {"2027-01-03", kDmy, kNext, "28.12.", "2027-12-28"}, {"2026-12-28", kDmy, kNear, "3.1.", "2027-01-03"},
        {"2026-12-28", kDmy, kPast, "3.1.", "2026-01-03"},
        {"2026-12-28", kDmy, kPast, "28.12.", "2026-12-28"},   // today is on or before, and on or after
        {"2026-12-28", kDmy, kNext, "28.12", "2026-12-28"}, {"2027-01-02", kDmy, kNext, "30", "2027-01-30"},
        {"2026-11-15", kDmy, kNear, "31", "2026-10-31"},        // a day the month lacks
        {"2026-11-15", kDmy, kNext, "31", "2026-12-31"}, {"2026-03-10", kDmy, kPast, "30", "2026-01-30"},
        {"2026-02-15", kDmy, kNear, "1", "2026-03-01"},         // as near as 1 February: the later
        {"2028-02-27", kDmy, kNear, "29", "2028-02-29"},
        {"2026-12-08", kDmy, kNear, "29.2.", "2028-02-29"},     // leap days
        {"2026-12-08", kDmy, kPast, "29.2.", "2024-02-29"},
        {"2099-06-01", kDmy, kNext, "29.2.", "2104-02-29"},     // 2100 is no leap year
        {"2026-12-08", kDmy, kNear, "29.2.2027", "NoDate"},
        {"2026-12-08", kMdy, kNear, "13/13", "NoDate"},         // refused, never fixed
        {"2026-12-08", kDmy, kNear, "31.2.", "NoDate"}, {"2026-12-08", kDmy, kNear, "32", "NoDate"},
        {"2026-12-08", kDmy, kNear, "1.2.3.4", "NoForm"}, {"2026-12-08", kDmy, kNear, "8.12.202", "NoForm"},
        {"2026-12-08", kDmy, kNear, "8..12", "NoForm"}, {"2026-12-08", kYmd, kNear, "4-3-15", "NoForm"},
        {"2026-12-08", kDmy, kNear, "2026.12", "NoForm"}, {"2026-12-08", kDmy, kNear, "8.12x", "NoForm"},
        {"9999-12-20", kDmy, kNext, "3.1.", "NoForm"},          // past the last full year
        {"2026-12-08", kDmy, kNear, "20000000000000.1", "NoForm"},   // a group too long to hold a number
    };
    for (const Case& c : cases) {
        FixedClock clock(std::atoi(c.today), std::atoi(c.today + 5), std::atoi(c.today + 8));
        EXPECT_EQ(Gives(JudgeText(Local(c.order, c.partial), c.text)), c.gives)
            << c.text << " on " << c.today << " order " << static_cast<int>(c.order) << " partial "
            << static_cast<int>(c.partial);
    }
    EntryRules ctrl = Local(kDmy);   // one or two digits are a day in the date control too
    ctrl.kind = FieldKind::Calendar;
    FixedClock today(2026, 12, 8);
    EXPECT_EQ(Gives(JudgeText(ctrl, "2")), "2026-12-02");
    EXPECT_EQ(Gives(JudgeText(ctrl, "200115")), "YearInFull");
}

// The sentences of a field in the user's order: today in each form it
// reads, within a tooltip's 79 characters at the longest day and with the
// quick forms; a date in part that no year has, said as typed.
TEST(LocalForms, SentencesNameTheFormsWithToday)
{
    struct Case {
        const char* today;
        EntryRules rules;
        const char* text;
        const char* sentence;
    };
    const Case cases[] = {
        {"2026-12-08", Local(kDmy), "1.2.3.4", "Type a date as 8.12.2026, 8.12. or 8, or as 2026-12-08."},
        {"2026-12-08", Local(kMdy), "abc", "Type a date as 12/8/2026, 12/8 or 8, or as 2026-12-08."},
        {"2026-12-08", Local(kYmd), "4-3-15", "Type a date as 2026/12/8, 12/8 or 8, or as 2026-12-08."},
        {"2026-12-28", Local(kDmy, kNear, true), "abc",
         "Type a date as 28.12.2026, 28.12., 28, 2026-12-28, D, G, M, or as +7, -2w, +3m."},
        {"2026-12-08", Local(kDmy), "31.2.", "31.2. is not a date: days in February run from 1 to 29."},
        {"2026-12-08", Local(kMdy), "13/13", "13/13 is not a date: a year has 12 months."},
        {"2026-12-08", Local(kMdy), "13/5", "13/5 is not a date: a year has 12 months."},
        {"2026-12-08", Local(kDmy), "123.4.", "Type a date as 8.12.2026, 8.12. or 8, or as 2026-12-08."},
        // Pieces that some year has, with no such year left in the full years:
        {"9999-12-08", Local(kDmy, DatumPartial::Future), "29.2.",
         "Type a date as 8.12.9999, 8.12. or 8, or as 9999-12-08."},
        {"9999-12-08", Local(kDmy, DatumPartial::Future), "1.", "Type a date as 8.12.9999, 8.12. or 8, or as 9999-12-08."},
        {"2026-12-08", Local(kDmy), "32.", "32 is not a date: days run from 1 to 31."},
        {"2026-12-08", Local(kDmy), "31.4.2026", "2026-04-31 is not a date: April 2026 has 30 days."},
    };
    for (const Case& c : cases) {
        FixedClock clock(std::atoi(c.today), std::atoi(c.today + 5), std::atoi(c.today + 8));
        const CString sentence = RefusalSentence(c.rules, JudgeText(c.rules, c.text));
        EXPECT_EQ(sentence, c.sentence) << c.text;
        EXPECT_LT(sentence.GetLength(), 80);
    }
}

// A short-date pattern gives the order and the separator, written as the
// hint; without the option the hint is the fixed display form.
TEST(LocalForms, ThePatternGivesTheOrderAndTheHint)
{
    const std::pair<const char*, const char*> patterns[] = {
        {"d.M.yyyy", "dd.mm.yyyy"},  {"dd.MM.yyyy", "dd.mm.yyyy"},   {"M/d/yyyy", "mm/dd/yyyy"},
        {"yyyy/M/d", "yyyy/mm/dd"},  {"yyyy. MM. dd.", "yyyy.mm.dd"}, {"d. M. yyyy", "dd.mm.yyyy"},
        {"dd/MM/yyyy", "dd/mm/yyyy"}, {"yyyy-MM-dd", "yyyy-mm-dd"},  {"d MMM yyyy", "dd mm yyyy"},
        {"'d'yyyy'x'M'y'd", "yyyy/mm/dd"}, {"MM", "yyyy-mm-dd"},      {"", "yyyy-mm-dd"},
    };
    for (const auto& [pattern, hint] : patterns)
        EXPECT_EQ(LocalHint(LocalOrderOfPattern(pattern)), hint) << pattern;
    EXPECT_EQ(LocalHint(LocalOrderOfPattern(std::string_view("dd.MM.y", 6))), "yyyy-mm-dd");   // read to its end only
    EXPECT_EQ(FormHint(Make({false, false, "", ""})), "yyyymmdd");
    EXPECT_EQ(FormHint(Make({false, true, "", ""})), "yyyy-mm-dd");
}

// While typed: a date in part or with a short year may still grow and does
// not advance; a read takes the judge's date for every local form; the
// preview shows the date of a shorthand, never of a fixed full form.
TEST(LocalForms, GrowthReadsAndPreviews)
{
    FixedClock clock(2026, 12, 8);
    struct Case {
        bool local;
        const char* text;
        bool mayGrow;
        bool readsAsTyped;
        const char* preview;
    };
    const Case cases[] = {
        {true, "8", true, false, "2026-12-08"},          {true, "8.1", true, false, "2027-01-08"},
        {true, "8.12.", true, false, "2026-12-08"},      {true, "8.12.26", true, false, "2026-12-08"},
        {true, "8.12.2026", false, false, "2026-12-08"}, {true, "2026-12-08", false, false, "none"},
        {true, "2026-12-8", true, false, "2026-12-08"},  {true, "20261208", false, true, "none"},
        {true, "24-03-15", true, false, "2015-03-24"},  {true, "+7", true, false, "2026-12-15"},
        {true, "d", false, false, "2026-12-08"},         {true, "13.13.", true, false, "none"},
        {true, "", false, true, "none"},                     {false, "8.12.", false, true, "none"},
        {false, "D", false, false, "2026-12-08"},        {false, "261208", false, true, "none"},
    };
    for (const Case& c : cases) {
        const EntryRules rules = c.local ? Local(kDmy, kNear, true) : Make({true, false, "", ""});
        EXPECT_EQ(MayGrowIntoAnotherDate(rules, c.text), c.mayGrow) << c.text;
        EXPECT_EQ(ParseReadsAsTyped(rules, c.text), c.readsAsTyped) << c.text;
        EXPECT_EQ(Show(PreviewDate(rules, c.text)), c.preview) << c.text;
    }
}

unsigned DATUM_CALLBACK BlocksEveryDay(const CDateValue&, void*, char*, int) { return DATUM_DAY_BLOCKED; }

// Each step by day, month and year, both ways: month ends and leap days
// clamp, the range's edge and the full years hold the date, blocked days
// are passed over the same way, and where none is allowed the date stays.
TEST(StepKeys, StepsKeepToTheRangeAndPassBlockedDays)
{
    using S = DateStep;
    struct Case {
        const char* from;
        DateStep step;
        const char* earliest;
        const char* latest;
        DatumDayRule rule;
        const char* gives;
    };
    const DatumDayRule kWeekdays = DatumWeekdaysOnly;
    const Case cases[] = {
        {"2026-12-08", S::DayLater, "", "", nullptr, "2026-12-09"}, {"2026-12-31", S::DayLater, "", "", nullptr, "2027-01-01"},
        {"2026-01-31", S::MonthLater, "", "", nullptr, "2026-02-28"}, {"2024-01-31", S::MonthLater, "", "", nullptr, "2024-02-29"},
        {"2026-03-31", S::MonthEarlier, "", "", nullptr, "2026-02-28"}, {"2026-12-15", S::MonthLater, "", "", nullptr, "2027-01-15"},
        {"2024-02-29", S::YearLater, "", "", nullptr, "2025-02-28"}, {"2026-12-08", S::DayLater, "", "2026-12-08", nullptr, "none"},
        {"2026-12-15", S::MonthEarlier, "2026-12-01", "", nullptr, "none"}, {"2026-12-11", S::DayLater, "", "", kWeekdays, "2026-12-14"},
        {"2026-12-14", S::DayEarlier, "", "", kWeekdays, "2026-12-11"}, {"2026-11-12", S::MonthLater, "", "", kWeekdays, "2026-12-14"},
        {"2027-12-12", S::YearEarlier, "", "", kWeekdays, "2026-12-11"}, {"2026-12-11", S::DayLater, "", "2026-12-13", kWeekdays, "none"},
        {"2026-12-08", S::DayLater, "", "", BlocksEveryDay, "none"}, {"9999-12-31", S::DayLater, "", "", nullptr, "none"},
        {"0100-06-01", S::YearEarlier, "", "", nullptr, "none"},
    };
    for (const Case& c : cases) {
        EntryRules rules = Make({false, true, c.earliest, c.latest});
        rules.dayRule = {c.rule, nullptr};
        EXPECT_EQ(Show(SteppedDate(rules, Day(c.from), c.step)), c.gives) << c.from << " step " << static_cast<int>(c.step);
    }
}

// A step starts from the accepted date, or today in an empty field; a
// typed + or - steps only at an accepted date, and a - goes on a date
// being typed in part in the user's order.
TEST(StepKeys, WhereAStepStartsAndWhenASignSteps)
{
    FixedClock clock(2026, 12, 8);
    struct Case {
        const char* text;
        const char* start;
        bool plusSteps;
        bool minusSteps;
    };
    const Case cases[] = {
        {"", "2026-12-08", false, false},          {"8.12.2026", "2026-12-08", true, true},
        {"8", "2026-12-08", true, false},          {"8-12", "2026-12-08", true, false},
        {"8.12.", "2026-12-08", true, true},       {"2026-12-08", "2026-12-08", true, true},
        {"+7", "2026-12-15", true, true},          {"13.13.", "none", false, false},
        {"2026", "none", false, false},
    };
    const EntryRules rules = Local(kDmy, kNear, true);
    for (const Case& c : cases) {
        EXPECT_EQ(Show(StepStart(rules, c.text)), c.start) << c.text;
        EXPECT_EQ(SignSteps(rules, c.text, '+'), c.plusSteps) << c.text;
        EXPECT_EQ(SignSteps(rules, c.text, '-'), c.minusSteps) << c.text;
    }
}

} // namespace
