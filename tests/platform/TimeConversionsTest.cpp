// The portable conversions between broken-down time and automation dates.
// (In the native build they are also the ones platform:: forwards to.)
#include "platform/core/TimeConversions.h"
#include "tests/platform/SystemTimeOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using platform::SYSTEMTIME;
namespace portable = platform::portable;

using test::Time;

double Forward(const SYSTEMTIME& t)
{
    double date = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(portable::SystemTimeToVariantTime(&t, &date), 0)
        << t.wYear << '-' << t.wMonth << '-' << t.wDay << ' ' << t.wHour << ':' << t.wMinute << ':' << t.wSecond;
    return date;
}

::testing::AssertionResult BackGives(double date, const SYSTEMTIME& want)
{
    SYSTEMTIME got = Time(1, 1, 1, 1, 1, 1, 1);
    if (!portable::VariantTimeToSystemTime(date, &got))
        return ::testing::AssertionFailure() << date << " refused";
    if (got.wYear != want.wYear || got.wMonth != want.wMonth || got.wDay != want.wDay || got.wHour != want.wHour
        || got.wMinute != want.wMinute || got.wSecond != want.wSecond || got.wMilliseconds != 0)
        return ::testing::AssertionFailure() << date << " gives " << got.wYear << '-' << got.wMonth << '-'
                                             << got.wDay << ' ' << got.wHour << ':' << got.wMinute << ':'
                                             << got.wSecond << '.' << got.wMilliseconds;
    return ::testing::AssertionSuccess();
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

} // namespace

TEST(PortableTimeConversions, AutomationDateEncoding)
{
    EXPECT_EQ(Forward(Time(1899, 12, 30)), 0.0);
    EXPECT_EQ(Forward(Time(1899, 12, 30, 18)), 0.75);
    EXPECT_EQ(Forward(Time(1899, 12, 31)), 1.0);
    EXPECT_EQ(Forward(Time(1900, 1, 1)), 2.0);
    EXPECT_EQ(Forward(Time(2000, 1, 1)), 36526.0);
    EXPECT_EQ(Forward(Time(100, 1, 1)), -657434.0);
    EXPECT_EQ(Forward(Time(9999, 12, 31)), 2958465.0);
    // Before the epoch the time of day moves away from zero.
    EXPECT_EQ(Forward(Time(1899, 12, 29)), -1.0);
    EXPECT_EQ(Forward(Time(1899, 12, 29, 6)), -1.25);
    EXPECT_EQ(Forward(Time(1800, 1, 1, 12)), -36522.5);
    // Milliseconds are ignored.
    EXPECT_EQ(Forward(Time(2024, 3, 1, 0, 0, 0, 999)), Forward(Time(2024, 3, 1)));

    EXPECT_TRUE(BackGives(-1.25, Time(1899, 12, 29, 6)));
    EXPECT_TRUE(BackGives(-0.5, Time(1899, 12, 30, 12)));
    EXPECT_TRUE(BackGives(0.5, Time(1899, 12, 30, 12)));
    EXPECT_TRUE(BackGives(-657434.5, Time(100, 1, 1, 12)));
    EXPECT_TRUE(BackGives(2958465.5, Time(9999, 12, 31, 12)));
}

TEST(PortableTimeConversions, BackwardRoundsToTheNearestSecond)
{
    const double second = 1.0 / 86400;
    EXPECT_TRUE(BackGives(1.0 + 0.4 * second, Time(1899, 12, 31)));
    EXPECT_TRUE(BackGives(1.0 + 0.6 * second, Time(1899, 12, 31, 0, 0, 1)));
    EXPECT_TRUE(BackGives(1.0 + 86399.6 * second, Time(1900, 1, 1)));
    // Negative dates carry into the next calendar day too.
    EXPECT_TRUE(BackGives(-(1.0 + 86399.6 * second), Time(1899, 12, 30)));
    EXPECT_TRUE(BackGives(-(0.0 + 86399.6 * second), Time(1899, 12, 31)));
    SYSTEMTIME t{};
    EXPECT_EQ(portable::VariantTimeToSystemTime(2958465.0 + 86399.6 * second, &t), 0) << "rounds into year 10000";
}

TEST(PortableTimeConversions, RefusesImpossibleAndOutOfRangeInput)
{
    double date = 0;
    for (const SYSTEMTIME& t : {Time(99, 12, 31), Time(10000, 1, 1), Time(0, 1, 1), Time(2024, 0, 1),
                                Time(2024, 13, 1), Time(2024, 1, 0), Time(2024, 1, 32), Time(2023, 2, 29),
                                Time(1900, 2, 29), Time(2024, 4, 31), Time(2024, 1, 1, 24), Time(2024, 1, 1, 0, 60),
                                Time(2024, 1, 1, 0, 0, 60), Time(65535, 65535, 65535, 65535, 65535, 65535)})
        EXPECT_EQ(portable::SystemTimeToVariantTime(&t, &date), 0)
            << t.wYear << '-' << t.wMonth << '-' << t.wDay << ' ' << t.wHour << ':' << t.wMinute << ':' << t.wSecond;

    SYSTEMTIME t{};
    for (double bad : {-657435.0, -1e9, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(portable::VariantTimeToSystemTime(bad, &t), 0) << bad;
    EXPECT_EQ(portable::SystemTimeToVariantTime(nullptr, &date), 0);
    EXPECT_EQ(portable::VariantTimeToSystemTime(0.0, nullptr), 0);
}

TEST(PortableTimeConversions, DayOfWeek)
{
    SYSTEMTIME t{};
    ASSERT_NE(portable::VariantTimeToSystemTime(Forward(Time(2000, 1, 1)), &t), 0);
    EXPECT_EQ(t.wDayOfWeek, 6);  // Saturday
    ASSERT_NE(portable::VariantTimeToSystemTime(Forward(Time(1899, 12, 29, 23)), &t), 0);
    EXPECT_EQ(t.wDayOfWeek, 5);  // Friday
    ASSERT_NE(portable::VariantTimeToSystemTime(Forward(Time(100, 1, 1)), &t), 0);
    EXPECT_EQ(t.wDayOfWeek, 5);  // Friday, proleptic
}

TEST(PortableTimeConversions, EveryDayAtSeveralTimesRoundTripsExactly)
{
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double previousMidnight = -657435.0;
    int failures = 0;
    for (int y = 100; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const int length = lengths[m - 1] + (m == 2 && IsLeap(y) ? 1 : 0);
            for (int d = 1; d <= length; ++d) {
                double midnight = 0;
                const SYSTEMTIME start = Time(y, m, d);
                if (!portable::SystemTimeToVariantTime(&start, &midnight) || midnight != previousMidnight + 1.0)
                    ++failures;
                previousMidnight = midnight;
                const int seconds = (y * 367 + m * 31 + d) % 86400;
                for (const SYSTEMTIME& t : {Time(y, m, d, 0, 0, 1), Time(y, m, d, seconds / 3600, seconds / 60 % 60,
                                                                            seconds % 60),
                                            Time(y, m, d, 23, 59, 59)}) {
                    double date = 0;
                    SYSTEMTIME back{};
                    // The whole part is the day, on both sides of the epoch.
                    const bool ok = portable::SystemTimeToVariantTime(&t, &date) && std::trunc(date) == midnight
                        && portable::VariantTimeToSystemTime(date, &back) && back.wYear == t.wYear
                        && back.wMonth == t.wMonth && back.wDay == t.wDay && back.wHour == t.wHour
                        && back.wMinute == t.wMinute && back.wSecond == t.wSecond;
                    if (!ok && ++failures <= 10)
                        ADD_FAILURE() << y << '-' << m << '-' << d << ' ' << t.wHour << ':' << t.wMinute << ':'
                                      << t.wSecond;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
}
