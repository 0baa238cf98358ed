// Every day of the calendar through day numbers, text forms and the
// confirmed conversion. The walk has its own month lengths, so it does not
// lean on the code under test.
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Day {
    int y, m, d;
};

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

Day Next(Day day)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int length = lengths[day.m - 1] + (day.m == 2 && IsLeap(day.y) ? 1 : 0);
    if (++day.d > length) {
        day.d = 1;
        if (++day.m > 12) {
            day.m = 1;
            ++day.y;
        }
    }
    return day;
}

// Calls check(day, index) for every day from `first` to 9999-12-31 and
// stops at the first failure, which it reports.
template <typename Check>
::testing::AssertionResult EveryDayFrom(Day first, Check check)
{
    int index = 0;
    for (Day day = first; day.y <= 9999; day = Next(day), ++index) {
        std::string why;
        if (!check(day, index, why)) {
            return ::testing::AssertionFailure()
                << day.y << '-' << day.m << '-' << day.d << ": " << why;
        }
    }
    return ::testing::AssertionSuccess() << index << " days";
}

CDateValue Date(const Day& day)
{
    CDateValue v;
    v.year = static_cast<std::uint16_t>(day.y);
    v.month = static_cast<std::uint8_t>(day.m);
    v.day = static_cast<std::uint8_t>(day.d);
    return v;
}

} // namespace

TEST(DateSweep, DayNumbersRoundTripAndCountEveryDayOnceAndMonthsEndOnTheirLastDay)
{
    std::int32_t previous = 0;
    EXPECT_TRUE(EveryDayFrom({1, 1, 1}, [&](const Day& day, int index, std::string& why) {
        const CDateValue v = Date(day);
        const std::int32_t number = v.GetDayNumber();
        if (index > 0 && number != previous + 1)
            why = "day number " + std::to_string(number) + " after " + std::to_string(previous);
        else if (!(CDateValue().SetDayNumber(number) == v))
            why = "SetDayNumber gives another day";
        else if ((Next(day).d == 1) != (v.DaysInMonth() == day.d))
            why = "the month has " + std::to_string(v.DaysInMonth()) + " days";
        previous = number;
        return why.empty();
    }));
    EXPECT_EQ(previous, 5373484);
}

TEST(DateSweep, EveryDayFormatsToTextThatParsesBack)
{
    EXPECT_TRUE(EveryDayFrom({100, 1, 1}, [](const Day& day, int, std::string& why) {
        const CDateValue v = Date(day);
        if (!v.IsValid())
            why = "refused by the calendar rule";
        else if (!(CDateValue().Parse(v.FormatDashed()) == v))
            why = std::string("dashed ") + v.FormatDashed().GetString();
        else if (!(CDateValue().Parse(v.FormatCompact()) == v))
            why = std::string("compact ") + v.FormatCompact().GetString();
        else if (day.y >= 1950 && day.y <= 2049 && !(CDateValue().Parse(v.FormatShort()) == v))
            why = std::string("short ") + v.FormatShort().GetString();
        return why.empty();
    }));
}

// Status Valid after SetComponents already means that the back-conversion
// gave all six components unchanged. The accessors convert once more each;
// under Wine that conversion costs half a microsecond, so there they are
// checked on every 16th day, natively on every day.
#if defined(_WIN32)
constexpr int kAccessorStride = 16;
#else
constexpr int kAccessorStride = 1;
#endif

TEST(DateSweep, EveryDaySurvivesTheConfirmedConversion)
{
    EXPECT_TRUE(EveryDayFrom({100, 1, 1}, [](const Day& day, int index, std::string& why) {
        // A different time of day for each day, so every hour, minute and second occurs.
        const int hour = index % 24, minute = (index / 24) % 60, second = (index * 7) % 60;
        CDateTimeValue v;
        v.SetComponents(day.y, day.m, day.d, hour, minute, second);
        if (v.status != CDateTimeValue::Valid)
            why = "status " + std::to_string(v.status);
        else if (index % kAccessorStride == 0
                 && (v.Year() != day.y || v.Month() != day.m || v.Day() != day.d || v.Hour() != hour
                     || v.Minute() != minute || v.Second() != second))
            why = "accessors give " + std::to_string(v.Year()) + '-' + std::to_string(v.Month()) + '-'
                + std::to_string(v.Day()) + ' ' + std::to_string(v.Hour()) + ':' + std::to_string(v.Minute()) + ':'
                + std::to_string(v.Second());
        return why.empty();
    }));
}
