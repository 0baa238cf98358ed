// Broken-down time and its conversion to and from automation dates.
//
// An automation date counts days since 1899-12-30 00:00:00 with the time of
// day as the fraction. Before 1899-12-30 the whole part is negative and the
// fraction still counts forward from midnight, so -1.25 is 1899-12-29 06:00.
//
// The Windows build converts with oleaut32, natively with the portable
// conversions below. SYSTEMTIME is our own struct, laid out field for field
// as the system's, so that no Windows header is needed to use it.
#pragma once

#include <cstdint>

namespace platform {

struct SYSTEMTIME {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek;  // 0 = Sunday
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};

// Nonzero and *variantTime set on success; 0 when the time is refused.
int SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime);
// Nonzero and *time set (milliseconds 0) on success; 0 when the date is refused.
int VariantTimeToSystemTime(double variantTime, SYSTEMTIME* time);

// Our own conversions, exact to the second in the proleptic Gregorian
// calendar from 0100-01-01 00:00:00 to 9999-12-31 23:59:59. The forward
// conversion refuses any other time, and any impossible one (February 30,
// hour 24, ...); milliseconds are ignored. The backward conversion rounds
// to the nearest second and refuses dates outside that range.
namespace portable {
int SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime);
int VariantTimeToSystemTime(double variantTime, SYSTEMTIME* time);
} // namespace portable

} // namespace platform
