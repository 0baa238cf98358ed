// QuickForms.cpp: reading the keyword letters and the relative forms.
#include "textrules/QuickForms.h"

#include "textrules/DateSteps.h"

namespace {

constexpr std::size_t kMostDigits = 4;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsKeywordLetter(char c)
{
    const char upper = Upper(c);
    return upper == 'D' || upper == 'G' || upper == 'M';
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
        return DaysAfter(today, sign * count);
    switch (Upper(text[i])) {
    case 'W': return DaysAfter(today, sign * count * 7);
    case 'M': return MonthsAfter(today, sign * count);
    case 'Y': return MonthsAfter(today, sign * count * 12);
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
    if (!IsQuickFormText(text) || !HasFullYear(today))
        return std::nullopt;
    if (IsRelativeFormText(text))
        return Relative(text, today);
    if (text.size() != 1)
        return std::nullopt;
    switch (Upper(text[0])) {
    case 'G': return DaysAfter(today, -1);
    case 'M': return DaysAfter(today, 1);
    default: return DaysAfter(today, 0);
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
