// LocalForms.cpp: reading dates in a locale's order, and completing partial ones.
#include "textrules/LocalForms.h"

#include "textrules/DateSteps.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

bool IsSeparator(char c) { return c == '.' || c == '/' || c == '-' || c == ' '; }

struct Group {
    int value = 0;
    std::size_t digits = 0;
};

// The groups of a text of digits and separators that begins with a digit;
// nothing when two separators follow each other (other than a space after
// a dot, slash or dash) or a group has more than four digits.
std::optional<std::vector<Group>> GroupsOf(std::string_view text, bool* trailing)
{
    std::vector<Group> groups;
    std::size_t i = 0;
    *trailing = false;
    while (i < text.size()) {
        Group group;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++group.digits) {
            if (group.digits < 4)   // a longer group is refused below: its value is never read
                group.value = group.value * 10 + (text[i] - '0');
        }
        if (group.digits == 0 || group.digits > 4)
            return std::nullopt;
        groups.push_back(group);
        if (i == text.size())
            break;
        const char separator = text[i++];
        if (separator != ' ' && i < text.size() && text[i] == ' ')
            ++i;
        *trailing = i == text.size();
    }
    return groups;
}

// The year window of the fixed forms, for a year of any number of digits.
int WindowedYear(const Group& year) { return DateOf(year.value, 1, 1).ApplyYearWindow().year; }

LocalReading Reading(int day, int month, int year, bool complete) { return {true, day, month, year, complete}; }

// Three groups: the date they name in the order, when each group has the
// digits of its place.
LocalReading FullDate(const std::vector<Group>& g, DateOrder order, bool trailing)
{
    const bool yearFirst = g[0].digits >= 3 || order == DateOrder::YearMonthDay;
    if (yearFirst) {
        if (g[0].digits == 1 || g[1].digits > 2 || g[2].digits > 2)
            return {};
        return Reading(g[2].value, g[1].value, WindowedYear(g[0]), trailing || g[2].digits == 2);
    }
    if (g[1].digits > 2 || (g[2].digits != 2 && g[2].digits != 4))
        return {};
    const bool dayFirst = order == DateOrder::DayMonthYear;
    return Reading(dayFirst ? g[0].value : g[1].value, dayFirst ? g[1].value : g[0].value, WindowedYear(g[2]),
                   trailing || g[2].digits == 4);
}

} // namespace

LocalOrder LocalOrderOfPattern(std::string_view pattern)
{
    std::size_t day = std::string_view::npos, month = day, year = day;
    char separator = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        std::size_t* first = c == 'd' ? &day : c == 'M' ? &month : c == 'y' ? &year : nullptr;
        if (first != nullptr)
            *first = std::min(*first, i);
        else if (separator == 0 && i > 0)
            separator = c;
    }
    if (day == std::string_view::npos || month == std::string_view::npos || year == std::string_view::npos)
        return {};
    const DateOrder order = year < day && year < month ? DateOrder::YearMonthDay
                            : day < month              ? DateOrder::DayMonthYear
                                                       : DateOrder::MonthDayYear;
    return {order, IsSeparator(separator) ? separator : '/'};
}

std::optional<LocalReading> ReadLocalForm(std::string_view text, DateOrder order)
{
    if (text.empty() || !IsDigit(text[0]))
        return std::nullopt;
    const bool separated = std::any_of(text.begin(), text.end(), IsSeparator);
    const bool digitsOnly = std::all_of(text.begin(), text.end(), IsDigit);
    if (!std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || IsSeparator(c); }) ||
        (digitsOnly && text.size() > 2))
        return std::nullopt;
    if (!separated)
        return Reading(std::atoi(std::string(text).c_str()), 0, 0, false);
    bool trailing = false;
    const std::optional<std::vector<Group>> groups = GroupsOf(text, &trailing);
    if (!groups || groups->size() > 3)
        return LocalReading{};
    const std::vector<Group>& g = *groups;
    if (g.size() == 3)
        return FullDate(g, order, trailing);
    if (g[0].digits > 2 || (g.size() == 2 && g[1].digits > 2))
        return LocalReading{};
    if (g.size() == 1)
        return Reading(g[0].value, 0, 0, false);
    const bool dayFirst = order == DateOrder::DayMonthYear;
    return Reading(dayFirst ? g[0].value : g[1].value, dayFirst ? g[1].value : g[0].value, 0, false);
}

std::optional<CDateValue> CompletedDate(const LocalReading& reading, DatumPartial partial, const CDateValue& today)
{
    if (!HasFullYear(today))
        return std::nullopt;
    // Every date with the typed pieces near today, in order: the months
    // around it when only the day was typed (a day up to 31 is in one of
    // any two months in a row), the years around it when day and month
    // were (a 29 February is in one of any eight).
    std::vector<CDateValue> candidates;
    if (reading.month == 0) {
        const int now = today.year * 12 + today.month - 1;
        for (int counted = now - 13; counted <= now + 13; ++counted)
            candidates.push_back(DateOf(counted / 12, counted % 12 + 1, reading.day));
    } else {
        for (int year = today.year - 8; year <= today.year + 8; ++year)
            candidates.push_back(DateOf(year, reading.month, reading.day));
    }
    const std::int32_t now = today.GetDayNumber();
    std::optional<CDateValue> chosen;
    std::int32_t best = 0;
    for (const CDateValue& date : candidates) {
        if (!HasFullYear(date))
            continue;
        const std::int32_t distance = date.GetDayNumber() - now;
        bool take = false;
        switch (partial) {
        case DatumPartial::Past: take = distance <= 0; break;                       // the last that fits
        case DatumPartial::Future: take = distance >= 0 && !chosen; break;          // the first that fits
        case DatumPartial::Nearest: take = !chosen || std::abs(distance) <= std::abs(best); break;
        }
        if (take) {
            chosen = date;
            best = distance;
        }
    }
    return chosen;
}

std::string LocalHint(const LocalOrder& local)
{
    const std::string s(1, local.separator);
    switch (local.order) {
    case DateOrder::DayMonthYear: return "dd" + s + "mm" + s + "yyyy";
    case DateOrder::MonthDayYear: return "mm" + s + "dd" + s + "yyyy";
    case DateOrder::YearMonthDay: break;
    }
    return "yyyy" + s + "mm" + s + "dd";
}

std::string LocalExample(const LocalOrder& local, const CDateValue& date)
{
    const std::string s(1, local.separator);
    const std::string day = std::to_string(date.day), month = std::to_string(date.month);
    const std::string year = std::to_string(date.year);
    switch (local.order) {
    case DateOrder::DayMonthYear: return day + s + month + s + year;
    case DateOrder::MonthDayYear: return month + s + day + s + year;
    case DateOrder::YearMonthDay: break;
    }
    return year + s + month + s + day;
}

std::string PartialText(const LocalOrder& local, int day, int month)
{
    if (month == 0)
        return std::to_string(day);
    const std::string s(1, local.separator);
    const std::string pair = local.order == DateOrder::DayMonthYear ? std::to_string(day) + s + std::to_string(month)
                                                                    : std::to_string(month) + s + std::to_string(day);
    return local.separator == '.' ? pair + s : pair;
}
