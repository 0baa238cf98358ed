// QuickForms.cpp: reading the keyword letters and the relative forms.
#include "textrules/QuickForms.h"

#include <algorithm>

namespace {

constexpr int kFirstFullYear = 100;
constexpr int kLastFullYear = 9999;
constexpr std::size_t kMostDigits = 4;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsKeywordLetter(char c)
{
    const char upper = Upper(c);
    return upper == 'D' || upper == 'G' || upper == 'M';
}

std::optional<CDateValue> FullYearDate(int year, int month, int day)
{
    if (year < kFirstFullYear || year > kLastFullYear)
        return std::nullopt;
    CDateValue date;
    date.year = static_cast<std::uint16_t>(year);
    date.month = static_cast<std::uint8_t>(month);
    date.day = static_cast<std::uint8_t>(day);
    return date;
}

std::optional<CDateValue> DaysFrom(const CDateValue& today, int days)
{
    CDateValue date;
    date.SetDayNumber(today.GetDayNumber() + days);
    // SetDayNumber stores the year in 16 bits. A step of at most 9999 weeks
    // from a year of 100 to 9999 ends between the years -92 and 10191; a
    // year below 0 wraps to 65444 or more, so none outside 100..9999 comes
    // back inside.
    return FullYearDate(date.year, date.month, date.day);
}

// A step of whole months keeps the day of the month where the month has it.
std::optional<CDateValue> MonthsFrom(const CDateValue& today, int months)
{
    // A count below 0 gives a year of 0 or less: outside the years allowed.
    const int counted = today.year * 12 + (today.month - 1) + months;
    const int year = counted / 12;
    const int month = counted % 12 + 1;
    if (year < kFirstFullYear || year > kLastFullYear)
        return std::nullopt;
    const int last = FullYearDate(year, month, 1)->DaysInMonth();
    return FullYearDate(year, month, std::min<int>(today.day, last));
}

std::optional<CDateValue> Relative(std::string_view text, const CDateValue& today)
{
    const int sign = text[0] == '-' ? -1 : 1;
    std::size_t i = 1;
    int count = 0;
    for (; i < text.size() && IsDigit(text[i]) && i <= kMostDigits; ++i)
        count = count * 10 + (text[i] - '0');
    // No digit, a fifth digit, or more than one letter after them.
    if (i == 1 || text.size() - i > 1 || (i < text.size() && IsDigit(text[i])))
        return std::nullopt;
    if (i == text.size())
        return DaysFrom(today, sign * count);
    switch (Upper(text[i])) {
    case 'W': return DaysFrom(today, sign * count * 7);
    case 'M': return MonthsFrom(today, sign * count);
    case 'Y': return MonthsFrom(today, sign * count * 12);
    default: return std::nullopt;
    }
}

} // namespace

bool IsQuickEntryLetter(char character)
{
    const char upper = Upper(character);
    return IsKeywordLetter(character) || upper == 'W' || upper == 'Y';
}

bool IsRelativeFormText(std::string_view text) { return !text.empty() && (text[0] == '+' || text[0] == '-'); }

bool IsQuickFormText(std::string_view text)
{
    return IsRelativeFormText(text) || (!text.empty() && IsKeywordLetter(text[0]));
}

std::optional<CDateValue> QuickFormDate(std::string_view text, const CDateValue& today)
{
    if (!IsQuickFormText(text) || today == CDateValue() || !today.IsValid())
        return std::nullopt;
    if (IsRelativeFormText(text))
        return Relative(text, today);
    if (text.size() != 1)
        return std::nullopt;
    switch (Upper(text[0])) {
    case 'G': return DaysFrom(today, -1);
    case 'M': return DaysFrom(today, 1);
    default: return DaysFrom(today, 0);
    }
}

std::wstring_view TrimmedPaste(std::wstring_view text)
{
    constexpr std::wstring_view kBlanks = L" \t\r\n\u00A0";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}
