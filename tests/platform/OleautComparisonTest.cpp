// The portable conversions against the system's oleaut32 ones, which
// platform::SystemTimeToVariantTime and platform::VariantTimeToSystemTime
// call in the Windows build (Windows build only): both must give the same
// automation date for every day of the range at several times of day, and
// each must read the other's date back to the same broken-down time.
#include "platform/core/TimeConversions.h"
#include "tests/platform/SystemTimeOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

using platform::SYSTEMTIME;

using test::Time;

bool Same(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour
        && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

std::string Show(const SYSTEMTIME& t)
{
    std::ostringstream out;
    out << t.wYear << '-' << t.wMonth << '-' << t.wDay << ' ' << t.wHour << ':' << t.wMinute << ':' << t.wSecond;
    return out.str();
}

// Empty when both sides agree on t, else what differs. Both forward
// conversions and our backward one run for every time; the system's
// backward conversion, which costs half a microsecond under Wine, only when
// systemBack is set.
std::string Compare(const SYSTEMTIME& t, bool systemBack)
{
    double system = 0, ours = 0;
    if (!platform::SystemTimeToVariantTime(&t, &system))
        return "oleaut32 refuses " + Show(t);
    if (!platform::portable::SystemTimeToVariantTime(&t, &ours))
        return "portable refuses " + Show(t);
    // The two may round the last bit differently; a second is 1.2e-5 days.
    if (std::fabs(system - ours) > 1e-9) {
        std::ostringstream out;
        out.precision(17);
        out << Show(t) << ": oleaut32 " << system << ", portable " << ours;
        return out.str();
    }
    SYSTEMTIME back{};
    if (!platform::portable::VariantTimeToSystemTime(system, &back) || !Same(back, t))
        return "portable reads the oleaut32 date of " + Show(t) + " as " + Show(back);
    back = SYSTEMTIME{};
    if (systemBack && (!platform::VariantTimeToSystemTime(ours, &back) || !Same(back, t)))
        return "oleaut32 reads the portable date of " + Show(t) + " as " + Show(back);
    return {};
}

// The confirmed conversion: forward, back, compare.
template <typename Forward, typename Back>
bool Confirms(const SYSTEMTIME& t, Forward forward, Back back)
{
    double date = 0;
    SYSTEMTIME again{};
    return forward(&t, &date) && back(date, &again) && Same(again, t);
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

} // namespace

TEST(OleautComparison, EveryDayAtSeveralTimesOfDay)
{
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int failures = 0;
    int index = 0;
    for (int y = 100; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const int length = lengths[m - 1] + (m == 2 && IsLeap(y) ? 1 : 0);
            for (int d = 1; d <= length; ++d, ++index) {
                // Midnight, the last second, and one more time that walks through the day;
                // the system reads back one of the three each day, in turn.
                const int seconds = static_cast<int>((static_cast<long long>(index) * 7919) % 86400);
                const SYSTEMTIME times[] = {Time(y, m, d), Time(y, m, d, 23, 59, 59),
                                            Time(y, m, d, seconds / 3600, seconds / 60 % 60, seconds % 60)};
                for (int i = 0; i < 3; ++i) {
                    const std::string why = Compare(times[i], index % 3 == i);
                    if (!why.empty() && ++failures <= 10)
                        ADD_FAILURE() << why;
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(index, 3615900);
}

TEST(OleautComparison, TheConfirmedConversionRefusesTheSameInputs)
{
    auto systemForward = [](const SYSTEMTIME* t, double* d) { return platform::SystemTimeToVariantTime(t, d) != 0; };
    auto systemBack = [](double d, SYSTEMTIME* t) { return platform::VariantTimeToSystemTime(d, t) != 0; };
    auto ourForward = [](const SYSTEMTIME* t, double* d) {
        return platform::portable::SystemTimeToVariantTime(t, d) != 0;
    };
    auto ourBack = [](double d, SYSTEMTIME* t) { return platform::portable::VariantTimeToSystemTime(d, t) != 0; };

    for (const SYSTEMTIME& t :
         {Time(2024, 1, 0), Time(2024, 1, 32), Time(2023, 2, 29), Time(2024, 2, 30), Time(1900, 2, 29),
          Time(2024, 4, 31), Time(2024, 0, 10), Time(2024, 13, 1), Time(2024, 1, 1, 24), Time(2024, 1, 1, 0, 60),
          Time(2024, 1, 1, 0, 0, 60), Time(0, 3, 1), Time(24, 3, 15), Time(99, 12, 31), Time(10000, 1, 1),
          Time(65535, 1, 1), Time(2024, 65535, 1), Time(2024, 1, 1, 65535)}) {
        EXPECT_FALSE(Confirms(t, systemForward, systemBack)) << "oleaut32 " << Show(t);
        EXPECT_FALSE(Confirms(t, ourForward, ourBack)) << "portable " << Show(t);
    }
    for (const SYSTEMTIME& t : {Time(100, 1, 1), Time(100, 1, 1, 12), Time(1899, 12, 29, 6), Time(9999, 12, 31, 23, 59, 59)}) {
        EXPECT_TRUE(Confirms(t, systemForward, systemBack)) << "oleaut32 " << Show(t);
        EXPECT_TRUE(Confirms(t, ourForward, ourBack)) << "portable " << Show(t);
    }
}
