#include "datevalues/DateValue.h"

#include "datevalues/DateRules.h"
#include "platform/core/Clock.h"

#include <cstring>

using datevalues::detail::AtoiPiece;
using datevalues::detail::PutDecimal;

namespace {

// Typed text in its three digit forms is read in place, piece by piece.
struct PieceLayout {
    std::size_t yearAt, yearLength, monthAt, dayAt;
};

constexpr PieceLayout kDashed{0, 4, 5, 8};   // length 10; positions 4 and 7 are not looked at
constexpr PieceLayout kCompact{0, 4, 4, 6};  // length 8
constexpr PieceLayout kShort{0, 2, 2, 4};    // length 6

} // namespace

CDateValue& CDateValue::Parse(const char* text)
{
    *this = CDateValue();
    if (!text)
        return *this;

    const PieceLayout* layout = nullptr;
    switch (std::strlen(text)) {
    case 10: layout = &kDashed; break;
    case 8: layout = &kCompact; break;
    case 6: layout = &kShort; break;
    default:
        break;
    }

    if (layout) {
        year = static_cast<std::uint16_t>(AtoiPiece(text + layout->yearAt, layout->yearLength));
        month = static_cast<std::uint8_t>(AtoiPiece(text + layout->monthAt, 2));
        day = static_cast<std::uint8_t>(AtoiPiece(text + layout->dayAt, 2));
        if (layout == &kShort)
            ApplyYearWindow();
        return *this;
    }

    // Keyword letters, compared case-sensitively in this order. When today
    // cannot be had, yesterday and tomorrow stay empty as well.
    switch (text[0]) {
    case 'D':
        SetToday();
        break;
    case 'G':
        if (!SetToday().IsEmptyDate())
            SetDayNumber(GetDayNumber() - 1);
        break;
    case 'M':
        if (!SetToday().IsEmptyDate())
            SetDayNumber(GetDayNumber() + 1);
        break;
    default:
        break;
    }
    return *this;
}

CDateValue& CDateValue::ApplyYearWindow()
{
    if (!IsEmptyDate() && year < 100)
        year = static_cast<std::uint16_t>(year + (year >= 50 ? 1900 : 2000));
    return *this;
}

bool CDateValue::IsValid() const
{
    return IsEmptyDate() || datevalues::detail::PassesCalendarRule(year, month, day);
}

int CDateValue::DaysInMonth() const
{
    int last = 31;
    while (last > 0 && !datevalues::detail::PassesCalendarRule(year, month, static_cast<unsigned>(last)))
        --last;
    return last;
}

namespace {

// year, month and day with an optional separator between them, the year
// zero-padded to four digits from 100 up and to two below.
CString FormatFullDate(const CDateValue& date, char separator)
{
    char text[16];
    char* end = PutDecimal(text, date.year, date.year >= 100 ? 4 : 2);
    if (separator)
        *end++ = separator;
    end = PutDecimal(end, date.month, 2);
    if (separator)
        *end++ = separator;
    end = PutDecimal(end, date.day, 2);
    return CString(text, static_cast<int>(end - text));
}

} // namespace

CString CDateValue::FormatCompact() const
{
    return IsEmptyDate() ? CString() : FormatFullDate(*this, '\0');
}

CString CDateValue::FormatDashed() const
{
    return IsEmptyDate() ? CString() : FormatFullDate(*this, '-');
}

CString CDateValue::FormatShort() const
{
    if (IsEmptyDate())
        return CString();
    char text[16];
    char* end = PutDecimal(text, year % 100, 2);
    end = PutDecimal(end, month, 2);
    end = PutDecimal(end, day, 2);
    return CString(text, static_cast<int>(end - text));
}

CDateValue& CDateValue::SetToday()
{
    *this = CDateValue();
    platform::time64_t now = platform::_time64(nullptr);
    const std::tm* local = platform::_localtime64(&now);
    if (!local)
        return *this;
    // Eight digits and the terminator. strftime writes nothing usable when
    // the text does not fit (a year of 10000 or more), and returns 0.
    char digits[9];
    if (platform::strftime(digits, sizeof digits, "%Y%m%d", local) == 0)
        return *this;
    return Parse(digits);
}

std::int32_t CDateValue::GetDayNumber() const
{
    return datevalues::detail::DayNumberFromDate(year, month, day);
}

CDateValue& CDateValue::SetDayNumber(std::int32_t dayNumber)
{
    std::int32_t y = 0, m = 0, d = 0;
    datevalues::detail::DateFromDayNumber(dayNumber, y, m, d);
    year = static_cast<std::uint16_t>(y);
    month = static_cast<std::uint8_t>(m);
    day = static_cast<std::uint8_t>(d);
    return *this;
}
