// CDateValue: parsing by length and keyword, the year window, the calendar
// rule, the three formats and day numbers.
#include "datevalues/DateValue.h"

#include "platform/core/ClockForTesting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using platform::testing::FixedClock;

namespace {

CDateValue Date(int year, int month, int day)
{
    CDateValue v;
    v.year = static_cast<std::uint16_t>(year);
    v.month = static_cast<std::uint8_t>(month);
    v.day = static_cast<std::uint8_t>(day);
    return v;
}

CDateValue Parsed(const char* text)
{
    return CDateValue().Parse(text);
}

const CDateValue kEmpty{};

std::string Show(const CDateValue& v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u-%u-%u", unsigned{v.year}, unsigned{v.month}, unsigned{v.day});
    return text;
}

} // namespace

// --- Parsing by length --------------------------------------------------

TEST(DateValueParse, TenCharactersTakeFixedPositionsAndIgnoreSeparators)
{
    for (const char* text : {"2024-03-15", "2024/03/15", "2024.03.15", "2024x03x15", "2024103915"})
        EXPECT_EQ(Parsed(text), Date(2024, 3, 15)) << text;
    // A four-character year is stored as it is, even a two-digit one.
    EXPECT_EQ(Parsed("0049-01-01"), Date(49, 1, 1));
    EXPECT_EQ(Parsed("0024-03-15"), Date(24, 3, 15));
}

TEST(DateValueParse, EightAndSixCharacters)
{
    EXPECT_EQ(Parsed("20240229"), Date(2024, 2, 29));
    EXPECT_EQ(Parsed("240315"), Date(2024, 3, 15));
    EXPECT_EQ(Parsed("500315"), Date(1950, 3, 15));
    EXPECT_EQ(Parsed("490101"), Date(2049, 1, 1));
    EXPECT_EQ(Parsed("500101"), Date(1950, 1, 1));
    // Not empty, so the window applies to year 0.
    EXPECT_EQ(Parsed("000229"), Date(2000, 2, 29));
    EXPECT_TRUE(Parsed("000229").IsValid());
    // 24-0 reads as 24 and 3- as 3; the caller's window finishes the job.
    EXPECT_EQ(Parsed("24-03-15"), Date(24, 3, 15));
    EXPECT_EQ(Parsed("24-03-15").ApplyYearWindow(), Date(2024, 3, 15));
}

TEST(DateValueParse, AllZeroTextsGiveTheEmptyDate)
{
    for (const char* text : {"000000", "00000000", "0000-00-00", "", "0000x00y00"}) {
        const CDateValue v = Parsed(text);
        EXPECT_EQ(v, kEmpty) << text;
        EXPECT_TRUE(v.IsValid()) << text;
        EXPECT_STREQ(v.FormatDashed(), "") << text;
    }
    EXPECT_EQ(Parsed(nullptr), kEmpty);
}

TEST(DateValueParse, PiecesFollowAtoiAndAreStoredTruncated)
{
    // White space, signs and stops inside a piece.
    EXPECT_EQ(Parsed("2024- 3- 5"), Date(2024, 3, 5));
    EXPECT_EQ(Parsed("2024-+3-\t5"), Date(2024, 3, 5));
    EXPECT_EQ(Parsed("  24+3+5"), Date(24, 3, 5));
    EXPECT_EQ(Parsed("2024-ab-cd"), Date(2024, 0, 0));
    EXPECT_FALSE(Parsed("2024-ab-cd").IsValid());
    // Negative pieces wrap into the unsigned fields.
    EXPECT_EQ(Parsed("2024--1-01"), Date(2024, 255, 1));
    EXPECT_FALSE(Parsed("2024--1-01").IsValid());
    EXPECT_EQ(Parsed("2024-3-5"), Date(2024, 253, 251));
    EXPECT_EQ(Parsed("-999-01-01"), Date(64537, 1, 1));
    // A short year of -9 is 65527, far above the window.
    EXPECT_EQ(Parsed("-90101"), Date(65527, 1, 1));
    // A year without digits reads as 0; the date is not empty, so it windows.
    EXPECT_EQ(Parsed("abcd0101"), Date(0, 1, 1));
    EXPECT_EQ(Parsed("ab0101"), Date(2000, 1, 1));
}

TEST(DateValueParse, PiecesMatchTheCLibraryAtoi)
{
    // Every two- and four-character piece over characters that matter to atoi.
    const std::string alphabet = " \t\n\v\f\r+-0159aZ\x7f\x80\xff";
    for (char a : alphabet) {
        for (char b : alphabet) {
            const std::string piece{a, b};
            const auto expected = static_cast<std::uint8_t>(std::atoi(piece.c_str()));
            EXPECT_EQ(Parsed(("2000" + piece + "01").c_str()).month, expected) << '"' << piece << '"';
            EXPECT_EQ(Parsed(("2000-01-" + piece).c_str()).day, expected) << '"' << piece << '"';
        }
    }
    int mismatches = 0;
    for (char a : alphabet)
        for (char b : alphabet)
            for (char c : alphabet)
                for (char d : alphabet) {
                    const std::string piece{a, b, c, d};
                    const CDateValue v = Parsed((piece + "1201").c_str());
                    if (v.year != static_cast<std::uint16_t>(std::atoi(piece.c_str())))
                        ++mismatches;
                }
    EXPECT_EQ(mismatches, 0);
}

TEST(DateValueParse, ClearsTheValueFirst)
{
    CDateValue v = Date(2024, 3, 15);
    EXPECT_EQ(v.Parse("x"), kEmpty);
    v = Date(2024, 3, 15);
    EXPECT_EQ(v.Parse("2023-01"), kEmpty);
}

// --- Keyword letters ----------------------------------------------------

TEST(DateValueKeyword, LettersReadTheClock)
{
    FixedClock clock(2024, 3, 15);
    EXPECT_EQ(Parsed("D"), Date(2024, 3, 15));
    EXPECT_EQ(Parsed("G"), Date(2024, 3, 14));
    EXPECT_EQ(Parsed("M"), Date(2024, 3, 16));
    // Only the first character counts, for any length but 10, 8 and 6.
    EXPECT_EQ(Parsed("Dx"), Date(2024, 3, 15));
    EXPECT_EQ(Parsed("Dxyz"), Date(2024, 3, 15));
    EXPECT_EQ(Parsed("Dagen"), Date(2024, 3, 15));
    EXPECT_EQ(Parsed("Mxxxxxx"), Date(2024, 3, 16));
    EXPECT_EQ(Parsed("G2024-03-15"), Date(2024, 3, 14));
    // Case-sensitive, and a six-letter word is read as digits.
    for (const char* text : {"d", "g", "m", "x", " D", "Dagens", "Mxxxxx", "Dxxxxxxx"})
        EXPECT_EQ(Parsed(text), kEmpty) << text;
}

TEST(DateValueKeyword, YesterdayAndTomorrowCrossMonthAndYearEnds)
{
    struct Case {
        int y, m, d;
        CDateValue yesterday, tomorrow;
    };
    const Case cases[] = {
        {2024, 3, 1, Date(2024, 2, 29), Date(2024, 3, 2)},    // leap year
        {2023, 3, 1, Date(2023, 2, 28), Date(2023, 3, 2)},    // common year
        {2100, 3, 1, Date(2100, 2, 28), Date(2100, 3, 2)},    // century, not leap
        {2000, 3, 1, Date(2000, 2, 29), Date(2000, 3, 2)},    // 400-year leap
        {2024, 2, 28, Date(2024, 2, 27), Date(2024, 2, 29)},
        {2024, 2, 29, Date(2024, 2, 28), Date(2024, 3, 1)},
        {2024, 4, 30, Date(2024, 4, 29), Date(2024, 5, 1)},
        {2024, 12, 31, Date(2024, 12, 30), Date(2025, 1, 1)},
        {2025, 1, 1, Date(2024, 12, 31), Date(2025, 1, 2)},
        {9999, 12, 31, Date(9999, 12, 30), Date(10000, 1, 1)},
    };
    for (const Case& c : cases) {
        FixedClock clock(c.y, c.m, c.d, 23, 59, 59);
        EXPECT_EQ(Parsed("D"), Date(c.y, c.m, c.d)) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(Parsed("G"), c.yesterday) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(Parsed("M"), c.tomorrow) << c.y << '-' << c.m << '-' << c.d;
    }
}

TEST(DateValueKeyword, WithoutALocalTimeTheValueStaysEmpty)
{
    {
        auto clock = FixedClock::Failing();
        for (const char* text : {"D", "G", "M"})
            EXPECT_EQ(Parsed(text), kEmpty) << text;
        CDateValue v = Date(2024, 3, 15);
        EXPECT_EQ(v.SetToday(), kEmpty);
    }
    {
        // Year 10000 does not fit eight digits: strftime writes nothing.
        FixedClock clock(10000, 1, 1);
        for (const char* text : {"D", "G", "M"})
            EXPECT_EQ(Parsed(text), kEmpty) << text;
    }
    {
        // Whatever a failed strftime left in the buffer is not read.
        FixedClock clock(2024, 3, 15);
        clock.FailFormatting();
        for (const char* text : {"D", "G", "M"})
            EXPECT_EQ(Parsed(text), kEmpty) << text;
    }
}

TEST(DateValueKeyword, TheRealClockGivesAValidDate)
{
    const CDateValue today = CDateValue().SetToday();
    EXPECT_TRUE(today.IsValid());
    EXPECT_GE(today.year, 2000);
}

// --- Year window --------------------------------------------------------

TEST(DateValueWindow, TwoDigitYearsOnly)
{
    for (int y = 0; y < 100; ++y) {
        CDateValue v = Date(y, 6, 1);
        v.ApplyYearWindow();
        EXPECT_EQ(v.year, y >= 50 ? 1900 + y : 2000 + y) << y;
        EXPECT_EQ(v.ApplyYearWindow().year, y >= 50 ? 1900 + y : 2000 + y) << "idempotent " << y;
    }
    EXPECT_EQ(Date(100, 1, 1).ApplyYearWindow(), Date(100, 1, 1));
    EXPECT_EQ(Date(65527, 1, 1).ApplyYearWindow(), Date(65527, 1, 1));
    EXPECT_EQ(Date(0, 0, 1).ApplyYearWindow(), Date(2000, 0, 1));
    CDateValue empty;
    EXPECT_EQ(empty.ApplyYearWindow(), kEmpty);
}

// --- Calendar rule ------------------------------------------------------

TEST(DateValueCalendar, Examples)
{
    for (const char* text : {"2000-02-29", "2024-02-29", "2024-04-30", "2024-12-31", "0049-01-01", "0000-02-29"})
        EXPECT_TRUE(Parsed(text).IsValid()) << text;
    for (const char* text : {"1900-02-29", "2023-02-29", "2024-04-31", "2024-02-30", "2024-13-01", "2024-00-10",
                             "2024-01-00", "2024-01-32", "0100-02-29", "2100-02-29"})
        EXPECT_FALSE(Parsed(text).IsValid()) << text;
}

TEST(DateValueCalendar, ValidityAndDaysInMonthAgreeWithMonthLengthsForEveryMonthAndDayByte)
{
    // Leap-test years: two-digit years are windowed, years below 1000 moved
    // by 2000, which keeps their leap-ness; year 0 counts as leap.
    const struct {
        int year;
        bool leap;
    } years[] = {{0, true},     {4, true},     {49, false},   {50, false},  {52, true},    {99, false},
                 {100, false},  {400, true},   {999, false},  {1900, false}, {2000, true}, {2023, false},
                 {2024, true},  {2100, false}, {10000, true}, {65535, false}};
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (const auto& y : years) {
        for (int m = 0; m < 256; ++m) {
            const int days = m >= 1 && m <= 12 ? lengths[m - 1] + (m == 2 && y.leap ? 1 : 0) : 0;
            ASSERT_EQ(Date(y.year, m, 1).DaysInMonth(), days) << Show(Date(y.year, m, 1));
            for (int d = 0; d < 256; ++d) {
                if (y.year == 0 && m == 0 && d == 0)
                    continue;  // the empty date
                const bool real = d >= 1 && d <= days;
                const CDateValue v = Date(y.year, m, d);
                ASSERT_EQ(v.IsValid(), real) << Show(v);
                ASSERT_EQ(v, Date(y.year, m, d)) << "IsValid changed the value";
            }
        }
    }
}

// --- Formats ------------------------------------------------------------

TEST(DateValueFormat, Examples)
{
    const CDateValue v = Date(2024, 3, 5);
    EXPECT_STREQ(v.FormatCompact(), "20240305");
    EXPECT_STREQ(v.FormatDashed(), "2024-03-05");
    EXPECT_STREQ(v.FormatShort(), "240305");
    // Unwindowed years print with two digits in the long forms.
    EXPECT_STREQ(Date(24, 3, 5).FormatCompact(), "240305");
    EXPECT_STREQ(Date(24, 3, 5).FormatDashed(), "24-03-05");
    EXPECT_STREQ(Date(5, 3, 1).FormatCompact(), "050301");
    EXPECT_STREQ(Date(5, 3, 1).FormatDashed(), "05-03-01");
    EXPECT_STREQ(Date(100, 1, 2).FormatDashed(), "0100-01-02");
    EXPECT_STREQ(Date(1905, 1, 1).FormatShort(), "050101");
    // Widths are minimums.
    EXPECT_STREQ(Date(65527, 1, 1).FormatDashed(), "65527-01-01");
    EXPECT_STREQ(Date(65535, 255, 255).FormatDashed(), "65535-255-255");
    EXPECT_STREQ(Date(65535, 255, 255).FormatCompact(), "65535255255");
    // The empty date prints nothing; a zero year with a month does print.
    EXPECT_STREQ(kEmpty.FormatCompact(), "");
    EXPECT_STREQ(kEmpty.FormatDashed(), "");
    EXPECT_STREQ(kEmpty.FormatShort(), "");
    EXPECT_STREQ(Date(0, 1, 0).FormatDashed(), "00-01-00");
}

TEST(DateValueFormat, MatchesPrintfForEveryYearAndEveryMonthAndDayByte)
{
    char expected[64];
    int mismatches = 0;
    for (int y = 0; y < 65536; ++y) {
        const CDateValue v = Date(y, (y % 255) + 1, y % 256);
        std::snprintf(expected, sizeof expected, y >= 100 ? "%04d-%02d-%02d" : "%02d-%02d-%02d", y, v.month, v.day);
        mismatches += v.FormatDashed() != expected;
        std::snprintf(expected, sizeof expected, y >= 100 ? "%04d%02d%02d" : "%02d%02d%02d", y, v.month, v.day);
        mismatches += v.FormatCompact() != expected;
        std::snprintf(expected, sizeof expected, "%02d%02d%02d", y % 100, v.month, v.day);
        mismatches += v.FormatShort() != expected;
    }
    for (int m = 0; m < 256; ++m) {
        for (int d = 0; d < 256; ++d) {
            const CDateValue v = Date(1999, m, d);
            std::snprintf(expected, sizeof expected, "%04d-%02d-%02d", 1999, m, d);
            mismatches += v.FormatDashed() != expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// --- Day numbers --------------------------------------------------------

TEST(DateValueDayNumber, KnownDays)
{
    EXPECT_EQ(Date(2000, 1, 1).GetDayNumber(), 2451545);
    EXPECT_EQ(Date(2000, 3, 1).GetDayNumber(), 2451605);
    EXPECT_EQ(Date(2000, 2, 29).GetDayNumber(), 2451604);
    EXPECT_EQ(Date(100, 1, 1).GetDayNumber(), 1757585);
    EXPECT_EQ(Date(9999, 12, 31).GetDayNumber(), 5373484);
    EXPECT_EQ(Date(1, 1, 1).GetDayNumber(), 1721426);
    // An impossible date counts as the day it rolls over to.
    EXPECT_EQ(Date(2023, 2, 31).GetDayNumber(), Date(2023, 3, 3).GetDayNumber());

    EXPECT_EQ(CDateValue().SetDayNumber(2451605), Date(2000, 3, 1));
    EXPECT_EQ(CDateValue().SetDayNumber(2451604), Date(2000, 2, 29));
    EXPECT_EQ(CDateValue().SetDayNumber(Date(2100, 2, 28).GetDayNumber() + 1), Date(2100, 3, 1));
    CDateValue v;
    EXPECT_EQ(&v.SetDayNumber(2451545), &v);
}

TEST(DateValueDayNumber, AnyDayNumberIsSafe)
{
    // Far outside the calendar the result is meaningless but defined (the
    // sanitizer build checks for overflow).
    for (std::int32_t j : {INT32_MIN, INT32_MIN + 1, -1, 0, 1721118, 1721119, INT32_MAX - 1, INT32_MAX}) {
        CDateValue v;
        v.SetDayNumber(j);
        (void)v.GetDayNumber();
    }
    SUCCEED();
}
