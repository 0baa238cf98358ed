#include "platform/core/TimeConversions.h"

#include <cmath>

#if defined(_WIN32)
// Only this file's binding to oleaut32 sees Windows; the header stays portable.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <oleauto.h>
#endif

namespace platform {
namespace portable {
namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

// Days from 0100-01-01 to 1899-12-30; the first representable whole part is its negation.
constexpr double kFirstDay = -657434.0;
// The day after 9999-12-31.
constexpr double kEndDay = 2958466.0;

constexpr bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

constexpr int DaysInMonth(int y, int m)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 to a proleptic Gregorian date (any year >= 1).
constexpr int DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The inverse of DaysFromCivil for dates from 0001-03-01 on.
void CivilFromDays(int z, int& y, int& m, int& d)
{
    z += 719468;
    const int era = z / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

constexpr int kEpoch = DaysFromCivil(1899, 12, 30);
static_assert(DaysFromCivil(1970, 1, 1) == 0 && kEpoch == -25569);

} // namespace

int SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime)
{
    if (!time || !variantTime)
        return 0;
    const int y = time->wYear;
    const int m = time->wMonth;
    const int d = time->wDay;
    if (y < kFirstYear || y > kLastYear || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return 0;
    if (time->wHour > 23 || time->wMinute > 59 || time->wSecond > 59)
        return 0;
    const int days = DaysFromCivil(y, m, d) - kEpoch;
    const int seconds = time->wHour * 3600 + time->wMinute * 60 + time->wSecond;
    const double fraction = static_cast<double>(seconds) / kSecondsPerDay;
    // The fraction moves away from zero on both sides of the epoch.
    *variantTime = days >= 0 ? days + fraction : days - fraction;
    return 1;
}

int VariantTimeToSystemTime(double variantTime, SYSTEMTIME* time)
{
    if (!time)
        return 0;
    // The comparisons also refuse NaN. A negative value keeps its day in the
    // whole part, so anything above -657435 still lies on 0100-01-01.
    if (!(variantTime > kFirstDay - 1.0 && variantTime < kEndDay))
        return 0;
    const double whole = std::trunc(variantTime);
    int days = static_cast<int>(whole);
    long seconds = std::lround(std::fabs(variantTime - whole) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        // Rounded up to midnight: that is the next calendar day, whichever side of the epoch.
        ++days;
        seconds = 0;
    }
    int y = 0, m = 0, d = 0;
    const int z = days + kEpoch;
    CivilFromDays(z, y, m, d);
    if (y < kFirstYear || y > kLastYear)
        return 0;
    const int s = static_cast<int>(seconds);
    time->wYear = static_cast<std::uint16_t>(y);
    time->wMonth = static_cast<std::uint16_t>(m);
    // 1970-01-01 was a Thursday (4).
    time->wDayOfWeek = static_cast<std::uint16_t>(((z + 4) % 7 + 7) % 7);
    time->wDay = static_cast<std::uint16_t>(d);
    time->wHour = static_cast<std::uint16_t>(s / 3600);
    time->wMinute = static_cast<std::uint16_t>(s / 60 % 60);
    time->wSecond = static_cast<std::uint16_t>(s % 60);
    time->wMilliseconds = 0;
    return 1;
}

} // namespace portable

#if defined(_WIN32)

namespace {

// oleaut32.dll's entry with this name, typed as Function. The library is
// loaded on first use: a program that never converts a date-time value
// does not pay for loading it at start-up.
template <class Function>
Function* OleAutomationEntry(const char* name)
{
    static HMODULE library = ::LoadLibraryA("oleaut32.dll");
    if (!library)
        return nullptr;
    // FARPROC is the untyped entry; the library's own header gives its type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}


// Our SYSTEMTIME and the system's hold the same fields in the same order.
::SYSTEMTIME ToSystem(const SYSTEMTIME& time)
{
    return {time.wYear, time.wMonth, time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

SYSTEMTIME FromSystem(const ::SYSTEMTIME& time)
{
    return {time.wYear, time.wMonth, time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

} // namespace

int SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime)
{
    static auto* entry = OleAutomationEntry<decltype(::SystemTimeToVariantTime)>("SystemTimeToVariantTime");
    if (!time || !variantTime || !entry)
        return 0;
    ::SYSTEMTIME system = ToSystem(*time);
    return entry(&system, variantTime);
}

int VariantTimeToSystemTime(double variantTime, SYSTEMTIME* time)
{
    static auto* entry = OleAutomationEntry<decltype(::VariantTimeToSystemTime)>("VariantTimeToSystemTime");
    ::SYSTEMTIME system{};
    if (!time || !entry || !entry(variantTime, &system))
        return 0;
    *time = FromSystem(system);
    return 1;
}

#else

int SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime)
{
    return portable::SystemTimeToVariantTime(time, variantTime);
}

int VariantTimeToSystemTime(double variantTime, SYSTEMTIME* time)
{
    return portable::VariantTimeToSystemTime(variantTime, time);
}

#endif

} // namespace platform
