// LocalForms.h: dates typed in the order their user writes them, and in part.
//
//   DateOrder            the order of day, month and year in a locale's short date
//   DatumPartial         how a date typed in part gets its missing pieces
//   LocalOrder           a locale's order and the separator it writes
//   LocalOrderOfPattern  the order and separator of a short-date pattern
//   LocalForms           what a field under DCF_LOCALFORMS reads by: its
//                        locale's order and its way of completing
//   LocalReading         what a text in a local form says, before any rule
//   ReadLocalForm        reads a text in a local form, in an order
//   CompletedDate        a date typed in part, completed around today
//   LocalHint, LocalExample, PartialText    the order written out
//
// A local form is one to three groups of digits with a separator between
// them (., /, - or a space; a dot, slash or dash may have a space after
// it) and at most one after them, or one or two digits alone. Three
// groups are a full date; two are day and month, one is a day. A first
// group of three or four digits is always the year (year, month, day);
// otherwise the groups follow the order, where a year in the last place
// has two or four digits and one in the first place two. A two-digit year
// is windowed as the fixed forms window it. No window is involved: the
// order and today come in as data.
#pragma once

#include "datevalues/DateValue.h"

#include <optional>
#include <string>
#include <string_view>

enum class DateOrder {
    YearMonthDay,   // ja-JP: 2026/12/8; also the order of the fixed forms
    DayMonthYear,   // de-DE: 8.12.2026
    MonthDayYear,   // en-US: 12/8/2026
};

// The date a partial text stands for, among all the dates it could be.
enum class DatumPartial {
    Nearest,   // the one nearest today (the later one of two as near)
    Past,      // the latest on or before today: bookkeeping
    Future,    // the earliest on or after today: due dates
};

struct LocalOrder {
    DateOrder order = DateOrder::YearMonthDay;
    char separator = '-';   // one of . / - and space
};

// The order in which a short-date pattern such as "dd.MM.yyyy", "M/d/yyyy"
// or "yyyy/MM/dd" names day (d), month (M) and year (y), skipping quoted
// literals, and the first separator it writes between them when that is one
// the local forms read ('/' otherwise). A pattern that lacks one of the
// three gives year, month, day with '-'.
LocalOrder LocalOrderOfPattern(std::string_view pattern);

// What the judge needs of a field under DCF_LOCALFORMS.
struct LocalForms {
    bool enabled = false;   // DCF_LOCALFORMS
    LocalOrder local;
    DatumPartial partial = DatumPartial::Nearest;
};

struct LocalReading {
    bool inForm = false;   // false: the text is shaped as a local form but is none ("1.2.3.4")
    // What was typed, the year windowed: month 0 when only the day was
    // typed, year 0 when no year was.
    int day = 0;
    int month = 0;
    int year = 0;
    // No further key can make it another date: a year or a last day typed
    // in full, or a separator after the third group.
    bool complete = false;
};

// Nothing when the text is not shaped as a local form (no separator and
// not one or two digits alone, a character that is no digit or separator,
// a separator first): then the fixed forms read it as before.
std::optional<LocalReading> ReadLocalForm(std::string_view text, DateOrder order);

// The date the typed pieces stand for when today is the given day: the
// missing year, or month and year, chosen by the way of completing. A day
// that a month lacks comes from the nearest month that has it, that way.
// Nothing when no date with a year from 100 to 9999 has the pieces (31.2.)
// and when today is empty.
std::optional<CDateValue> CompletedDate(const LocalReading& reading, DatumPartial partial, const CDateValue& today);

// The order in the letters d, m and y: "dd.mm.yyyy", "mm/dd/yyyy".
std::string LocalHint(const LocalOrder& local);
// A date written in the order without leading zeros: "8.12.2026", "12/8/2026".
std::string LocalExample(const LocalOrder& local, const CDateValue& date);
// Day and month as a partial text is typed: "8.12." (a dot follows the
// month as it follows a day written with dots), "12/8"; the day alone
// when month is 0.
std::string PartialText(const LocalOrder& local, int day, int month);
