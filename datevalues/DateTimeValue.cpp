#include "datevalues/DateTimeValue.h"

#include "datevalues/DateRules.h"
#include "platform/core/Clock.h"
#include "platform/core/TimeConversions.h"

#include <cstring>

using datevalues::detail::AtoiPiece;
using datevalues::detail::PutDecimal;

namespace {

std::uint16_t Low16(std::int32_t value)
{
    return static_cast<std::uint16_t>(value);
}

bool SameUpToSeconds(const platform::SYSTEMTIME& a, const platform::SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour
        && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// The confirmed conversion: forward into date, back, and compare. The
// back-conversion catches every input the platform would quietly adjust
// (February 30, hour 24, a two-digit year read as 19xx, ...).
void ConfirmedConversion(CDateTimeValue& value, const platform::SYSTEMTIME& time)
{
    bool success = platform::SystemTimeToVariantTime(&time, &value.date) != 0;
    if (success) {
        platform::SYSTEMTIME back{};
        success = platform::VariantTimeToSystemTime(value.date, &back) != 0 && SameUpToSeconds(time, back);
    }
    value.status = success ? CDateTimeValue::Valid : CDateTimeValue::Invalid;
}

} // namespace

void CDateTimeValue::SetComponents(std::int32_t year, std::int32_t month, std::int32_t day,
                                   std::int32_t hour, std::int32_t minute, std::int32_t second)
{
    platform::SYSTEMTIME time{};
    time.wYear = Low16(year);
    time.wMonth = Low16(month);
    time.wDay = Low16(day);
    time.wHour = Low16(hour);
    time.wMinute = Low16(minute);
    time.wSecond = Low16(second);
    ConfirmedConversion(*this, time);
}

void CDateTimeValue::ResetToSentinel()
{
    SetComponents(SentinelYear, SentinelMonth, SentinelDay, 0, 0, 0);
    status = Valid;
}

CDateTimeValue::Components CDateTimeValue::GetComponents() const
{
    Components c;
    platform::SYSTEMTIME time{};
    if (status == Valid && platform::VariantTimeToSystemTime(date, &time)) {
        c.year = time.wYear;
        c.month = time.wMonth;
        c.day = time.wDay;
        c.hour = time.wHour;
        c.minute = time.wMinute;
        c.second = time.wSecond;
    }
    return c;
}

std::int32_t CDateTimeValue::Year() const { return GetComponents().year; }
std::int32_t CDateTimeValue::Month() const { return GetComponents().month; }
std::int32_t CDateTimeValue::Day() const { return GetComponents().day; }
std::int32_t CDateTimeValue::Hour() const { return GetComponents().hour; }
std::int32_t CDateTimeValue::Minute() const { return GetComponents().minute; }
std::int32_t CDateTimeValue::Second() const { return GetComponents().second; }

bool CDateTimeValue::IsEmpty(const Components& c) const
{
    if (status == Null)
        return true;
    if (status != Valid)
        return false;
    return c.year == SentinelYear && c.month == SentinelMonth && c.day == SentinelDay;
}

bool CDateTimeValue::IsEmpty() const
{
    return IsEmpty(GetComponents());
}

bool CDateTimeValue::Validate()
{
    if (status == Invalid || status == Error)
        return false;
    const Components c = GetComponents();
    if (IsEmpty(c)) {
        // A Null value becomes Valid without its stored date being touched.
        status = Valid;
        return true;
    }
    // The calendar rule on the stored day; -1 for a date that does not
    // convert, which fails the month test as 16-bit 65535.
    const bool pass = datevalues::detail::PassesCalendarRule(static_cast<std::int16_t>(c.year),
                                                             Low16(c.month), Low16(c.day));
    status = pass ? Valid : Invalid;
    return pass;
}

CString CDateTimeValue::Format(const Components& c, const char* separator, bool shortYear) const
{
    if (IsEmpty(c))
        return CString();
    char text[48];
    char* end = shortYear ? PutDecimal(text, c.year % 100, 2) : PutDecimal(text, c.year, 4);
    for (const char* s = separator; *s; ++s)
        *end++ = *s;
    end = PutDecimal(end, c.month, 2);
    for (const char* s = separator; *s; ++s)
        *end++ = *s;
    end = PutDecimal(end, c.day, 2);
    return CString(text, static_cast<int>(end - text));
}

CString CDateTimeValue::FormatCompact() const
{
    return Format(GetComponents(), "", false);
}

CString CDateTimeValue::FormatDashed() const
{
    return Format(GetComponents(), "-", false);
}

CString CDateTimeValue::FormatShort() const
{
    return Format(GetComponents(), "", true);
}

std::int32_t CDateTimeValue::GetDayNumber() const
{
    const Components c = GetComponents();
    return datevalues::detail::DayNumberFromDate(c.year, c.month, c.day);
}

CDateTimeValue& CDateTimeValue::SetDayNumber(std::int32_t dayNumber)
{
    ResetToSentinel();
    std::int32_t y = 0, m = 0, d = 0;
    datevalues::detail::DateFromDayNumber(dayNumber, y, m, d);
    SetComponents(y, m, d, 0, 0, 0);
    Validate();
    return *this;
}

CDateTimeValue& CDateTimeValue::NextDay()
{
    return SetDayNumber(GetDayNumber() + 1);
}

CDateTimeValue& CDateTimeValue::PreviousDay()
{
    return SetDayNumber(GetDayNumber() - 1);
}

CDateTimeValue& CDateTimeValue::SetNow()
{
    platform::time64_t now = platform::_time64(nullptr);
    CDateTimeValue fresh;
    std::tm local{};
    if (platform::_localtime64_s(&local, &now) != 0) {
        fresh.status = Invalid;
    } else {
        platform::SYSTEMTIME time{};
        time.wYear = Low16(local.tm_year + 1900);
        time.wMonth = Low16(local.tm_mon + 1);
        time.wDayOfWeek = Low16(local.tm_wday);
        time.wDay = Low16(local.tm_mday);
        time.wHour = Low16(local.tm_hour);
        time.wMinute = Low16(local.tm_min);
        time.wSecond = Low16(local.tm_sec);
        time.wMilliseconds = 0;
        ConfirmedConversion(fresh, time);
    }
    *this = fresh;
    return *this;
}

CDateTimeValue& CDateTimeValue::Parse(const char* text)
{
    ResetToSentinel();
    const std::size_t length = text ? std::strlen(text) : 0;
    if (length == 10 || length == 8) {
        const std::size_t monthAt = length == 10 ? 5 : 4;
        const std::size_t dayAt = length == 10 ? 8 : 6;
        const std::int32_t year = AtoiPiece(text, 4);
        const std::int32_t month = AtoiPiece(text + monthAt, 2);
        const std::int32_t day = AtoiPiece(text + dayAt, 2);
        // The sentinel in any of its spellings (0000-00-00, 0100-01-01, ...) stays empty.
        const bool sentinel = (year == 0 || year == 100) && (month == 0 || month == 1) && (day == 0 || day == 1);
        if (!sentinel)
            SetComponents(year, month, day, 0, 0, 0);
    } else if (length == 6) {
        // Windowed on the signed piece, whatever the others hold: -9 gives 1991.
        std::int32_t year = AtoiPiece(text, 2);
        year += year >= 50 ? 1900 : 2000;
        SetComponents(year, AtoiPiece(text + 2, 2), AtoiPiece(text + 4, 2), 0, 0, 0);
    } else if (length > 0) {
        switch (text[0]) {
        case 'D':
            SetNow();
            break;
        case 'G':
            SetNow().PreviousDay();
            break;
        case 'M':
            SetNow().NextDay();
            break;
        default:
            break;
        }
    }
    Validate();
    return *this;
}
