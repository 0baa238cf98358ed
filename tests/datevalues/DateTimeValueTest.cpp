// CDateTimeValue: the confirmed conversion, accessors, emptiness, status
// moves, formats, day numbers, the clock and parsing.
#include "datevalues/DateTimeValue.h"

#include "platform/core/ClockForTesting.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

using platform::testing::FixedClock;

namespace {

struct Expected {
    std::int32_t year, month, day, hour = 0, minute = 0, second = 0;
};

::testing::AssertionResult Holds(const CDateTimeValue& v, const Expected& e)
{
    if (v.status != CDateTimeValue::Valid)
        return ::testing::AssertionFailure() << "status " << v.status;
    const std::int32_t got[] = {v.Year(), v.Month(), v.Day(), v.Hour(), v.Minute(), v.Second()};
    const std::int32_t want[] = {e.year, e.month, e.day, e.hour, e.minute, e.second};
    for (int i = 0; i < 6; ++i) {
        if (got[i] != want[i]) {
            return ::testing::AssertionFailure() << "got " << got[0] << '-' << got[1] << '-' << got[2] << ' ' << got[3]
                                                 << ':' << got[4] << ':' << got[5];
        }
    }
    return ::testing::AssertionSuccess();
}

CDateTimeValue Make(std::int32_t y, std::int32_t mo, std::int32_t d, std::int32_t h = 0, std::int32_t mi = 0,
                    std::int32_t s = 0)
{
    CDateTimeValue v;
    v.SetComponents(y, mo, d, h, mi, s);
    return v;
}

CDateTimeValue WithStatus(std::int32_t status, double date = 45000.0)
{
    CDateTimeValue v;
    v.date = date;
    v.status = status;
    return v;
}

CDateTimeValue Parsed(const char* text)
{
    return CDateTimeValue().Parse(text);
}

bool IsEmptyValid(const CDateTimeValue& v)
{
    return v.status == CDateTimeValue::Valid && v.IsEmpty();
}

// A stored date that no conversion accepts.
constexpr double kFarFuture = 1e10;

} // namespace

// --- Confirmed conversion -----------------------------------------------

TEST(DateTimeValueComponents, NewValueIsTheEpochAndNotEmpty)
{
    const CDateTimeValue v;
    EXPECT_EQ(v.date, 0.0);
    EXPECT_EQ(v.status, CDateTimeValue::Valid);
    EXPECT_TRUE(Holds(v, {1899, 12, 30}));
    EXPECT_FALSE(v.IsEmpty());
    EXPECT_STREQ(v.FormatDashed(), "1899-12-30");
}

TEST(DateTimeValueComponents, RealDatesAndTimesAcrossTheRange)
{
    EXPECT_TRUE(Holds(Make(2024, 2, 29, 13, 14, 15), {2024, 2, 29, 13, 14, 15}));
    EXPECT_TRUE(Holds(Make(100, 1, 1), {100, 1, 1}));
    EXPECT_TRUE(Holds(Make(9999, 12, 31, 23, 59, 59), {9999, 12, 31, 23, 59, 59}));
    EXPECT_TRUE(Holds(Make(1899, 12, 29, 6, 0, 0), {1899, 12, 29, 6, 0, 0}));
    // Only the low 16 bits of each argument count.
    EXPECT_TRUE(Holds(Make(65536 + 2024, 65536 + 3, 65536 * 2 + 15, 65536 + 1), {2024, 3, 15, 1}));
    // The automation date itself.
    EXPECT_EQ(Make(1899, 12, 30).date, 0.0);
    EXPECT_EQ(Make(1899, 12, 29, 6).date, -1.25);
    EXPECT_EQ(Make(1900, 1, 1, 12).date, 2.5);
    EXPECT_EQ(Make(100, 1, 1).date, -657434.0);
    EXPECT_EQ(Make(9999, 12, 31).date, 2958465.0);
}

TEST(DateTimeValueComponents, AnythingThePlatformWouldAdjustIsInvalid)
{
    const Expected bad[] = {
        {2024, 1, 0},  {2024, 1, 32},  {2023, 2, 29},       {2024, 2, 30},         {1900, 2, 29},
        {2024, 4, 31}, {2024, 0, 10},  {2024, 13, 1},       {2024, 1, 1, 24},      {2024, 1, 1, 0, 60},
        {2024, 1, 1, 0, 0, 60},        {99, 12, 31},        {0, 3, 1},             {24, 3, 15},
        {10000, 1, 1}, {-1, 1, 1},     {2024, -1, 1},       {2024, 1, 1, -1},      {65535, 65535, 65535},
    };
    for (const Expected& e : bad) {
        CDateTimeValue v = Make(2024, 1, 1);
        v.SetComponents(e.year, e.month, e.day, e.hour, e.minute, e.second);
        EXPECT_EQ(v.status, CDateTimeValue::Invalid)
            << e.year << '-' << e.month << '-' << e.day << ' ' << e.hour << ':' << e.minute << ':' << e.second;
        EXPECT_EQ(v.Year(), -1);
    }
}

TEST(DateTimeValueComponents, AccessorsGiveMinusOneUnlessValidAndConvertible)
{
    for (const CDateTimeValue& v : {WithStatus(CDateTimeValue::Invalid), WithStatus(CDateTimeValue::Null),
                                    WithStatus(CDateTimeValue::Error), WithStatus(CDateTimeValue::Valid, kFarFuture)}) {
        EXPECT_EQ(v.Year(), -1);
        EXPECT_EQ(v.Month(), -1);
        EXPECT_EQ(v.Day(), -1);
        EXPECT_EQ(v.Hour(), -1);
        EXPECT_EQ(v.Minute(), -1);
        EXPECT_EQ(v.Second(), -1);
    }
}

// --- Emptiness and status moves ------------------------------------------

TEST(DateTimeValueStatus, CodesHaveTheirFixedNumbers)
{
    // The status is a public number that bound values carry between programs.
    EXPECT_EQ(CDateTimeValue::Error, -1);
    EXPECT_EQ(CDateTimeValue::Valid, 0);
    EXPECT_EQ(CDateTimeValue::Invalid, 1);
    EXPECT_EQ(CDateTimeValue::Null, 2);
}

TEST(DateTimeValueStatus, EmptyIsNullOrTheSentinelDayAtAnyTime)
{
    EXPECT_TRUE(WithStatus(CDateTimeValue::Null).IsEmpty());
    EXPECT_TRUE(Make(100, 1, 1).IsEmpty());
    EXPECT_TRUE(Make(100, 1, 1, 13, 45, 10).IsEmpty());
    EXPECT_FALSE(Make(100, 1, 2).IsEmpty());
    EXPECT_FALSE(WithStatus(CDateTimeValue::Invalid, -657434.0).IsEmpty());
    EXPECT_FALSE(WithStatus(CDateTimeValue::Error, -657434.0).IsEmpty());
    EXPECT_FALSE(WithStatus(CDateTimeValue::Valid, kFarFuture).IsEmpty());
}

TEST(DateTimeValueStatus, Validate)
{
    // Invalid and Error stay.
    for (std::int32_t s : {CDateTimeValue::Invalid, CDateTimeValue::Error}) {
        CDateTimeValue v = WithStatus(s, 45000.0);
        EXPECT_FALSE(v.Validate());
        EXPECT_EQ(v.status, s);
        EXPECT_EQ(v.date, 45000.0);
    }
    // Null becomes Valid with its date untouched, even one that does not convert.
    for (double date : {45000.25, kFarFuture}) {
        CDateTimeValue v = WithStatus(CDateTimeValue::Null, date);
        EXPECT_TRUE(v.Validate());
        EXPECT_EQ(v.status, CDateTimeValue::Valid);
        EXPECT_EQ(v.date, date);
    }
    // Valid stays Valid while the date converts.
    CDateTimeValue ok = Make(2024, 2, 29, 10);
    EXPECT_TRUE(ok.Validate());
    EXPECT_TRUE(Holds(ok, {2024, 2, 29, 10}));
    CDateTimeValue broken = WithStatus(CDateTimeValue::Valid, kFarFuture);
    EXPECT_FALSE(broken.Validate());
    EXPECT_EQ(broken.status, CDateTimeValue::Invalid);
}

// --- Formats ------------------------------------------------------------

TEST(DateTimeValueFormat, ValidInvalidAndEmpty)
{
    const CDateTimeValue v = Make(2005, 7, 9, 18, 30);
    EXPECT_STREQ(v.FormatShort(), "050709");
    EXPECT_STREQ(v.FormatCompact(), "20050709");
    EXPECT_STREQ(v.FormatDashed(), "2005-07-09");
    EXPECT_STREQ(Make(100, 1, 2).FormatDashed(), "0100-01-02");
    EXPECT_STREQ(Make(100, 1, 2).FormatShort(), "000102");
    EXPECT_STREQ(Make(9999, 12, 31).FormatCompact(), "99991231");
    // Neither Valid nor empty: every field prints -1.
    for (std::int32_t s : {CDateTimeValue::Invalid, CDateTimeValue::Error}) {
        const CDateTimeValue bad = WithStatus(s);
        EXPECT_STREQ(bad.FormatCompact(), "-001-1-1");
        EXPECT_STREQ(bad.FormatDashed(), "-001--1--1");
        EXPECT_STREQ(bad.FormatShort(), "-1-1-1");
    }
    EXPECT_STREQ(WithStatus(CDateTimeValue::Valid, kFarFuture).FormatDashed(), "-001--1--1");
    for (const CDateTimeValue& empty : {WithStatus(CDateTimeValue::Null), Make(100, 1, 1, 12)}) {
        EXPECT_STREQ(empty.FormatCompact(), "");
        EXPECT_STREQ(empty.FormatDashed(), "");
        EXPECT_STREQ(empty.FormatShort(), "");
    }
}

// --- Day numbers --------------------------------------------------------

TEST(DateTimeValueDayNumber, GetIgnoresTheTimeOfDay)
{
    EXPECT_EQ(Make(2000, 3, 1, 18, 30).GetDayNumber(), 2451605);
    EXPECT_EQ(Make(2000, 1, 1).GetDayNumber(), 2451545);
    EXPECT_EQ(Make(100, 1, 1).GetDayNumber(), 1757585);
    // Components -1: m' = 8, y' = -2.
    EXPECT_EQ(WithStatus(CDateTimeValue::Invalid).GetDayNumber(), 1720633);
}

TEST(DateTimeValueDayNumber, SetAndStepLandAtMidnight)
{
    EXPECT_TRUE(Holds(CDateTimeValue().SetDayNumber(2451605), {2000, 3, 1}));
    EXPECT_TRUE(Holds(Make(2024, 2, 28, 15).NextDay(), {2024, 2, 29}));
    EXPECT_TRUE(Holds(Make(2023, 12, 31, 23, 59, 59).NextDay(), {2024, 1, 1}));
    EXPECT_TRUE(Holds(Make(2024, 3, 1, 6).PreviousDay(), {2024, 2, 29}));
    EXPECT_TRUE(Holds(Make(2100, 3, 1).PreviousDay(), {2100, 2, 28}));
    EXPECT_TRUE(Holds(Make(9999, 12, 30).NextDay(), {9999, 12, 31}));

    // The sentinel's day number gives the empty value.
    EXPECT_TRUE(IsEmptyValid(CDateTimeValue().SetDayNumber(1757585)));
    EXPECT_TRUE(Holds(Make(100, 1, 1).NextDay(), {100, 1, 2}));
    // Outside the range, and from a value that is not Valid: Invalid.
    EXPECT_EQ(Make(100, 1, 1).PreviousDay().status, CDateTimeValue::Invalid);
    EXPECT_EQ(Make(9999, 12, 31).NextDay().status, CDateTimeValue::Invalid);
    // The refused day leaves the sentinel's date behind, not the old one.
    EXPECT_EQ(Make(9999, 12, 31).NextDay().date, -657434.0);
    EXPECT_EQ(WithStatus(CDateTimeValue::Invalid).NextDay().status, CDateTimeValue::Invalid);
    EXPECT_EQ(WithStatus(CDateTimeValue::Null).PreviousDay().status, CDateTimeValue::Invalid);
    for (std::int32_t j : {INT32_MIN, -1, 0, INT32_MAX})
        EXPECT_EQ(CDateTimeValue().SetDayNumber(j).status, CDateTimeValue::Invalid) << j;
}

// --- Clock --------------------------------------------------------------

TEST(DateTimeValueClock, SetNowKeepsTheTimeOfDay)
{
    FixedClock clock(2024, 3, 1, 13, 14, 15);
    CDateTimeValue v = WithStatus(CDateTimeValue::Error);
    EXPECT_EQ(&v.SetNow(), &v);
    EXPECT_TRUE(Holds(v, {2024, 3, 1, 13, 14, 15}));
}

TEST(DateTimeValueClock, SetNowWithoutALocalTimeIsInvalidAtZero)
{
    auto clock = FixedClock::Failing();
    CDateTimeValue v = Make(2024, 3, 1);
    v.SetNow();
    EXPECT_EQ(v.status, CDateTimeValue::Invalid);
    EXPECT_EQ(v.date, 0.0);
}

TEST(DateTimeValueClock, SetNowOutsideTheRangeIsInvalid)
{
    FixedClock clock(10000, 1, 1);
    EXPECT_EQ(CDateTimeValue().SetNow().status, CDateTimeValue::Invalid);
}

TEST(DateTimeValueClock, TheRealClockGivesAValidNonEmptyValue)
{
    const CDateTimeValue now = CDateTimeValue().SetNow();
    EXPECT_EQ(now.status, CDateTimeValue::Valid);
    EXPECT_GE(now.Year(), 2000);
}

// --- Parsing ------------------------------------------------------------

TEST(DateTimeValueParse, DigitForms)
{
    EXPECT_TRUE(Holds(Parsed("2024-02-29"), {2024, 2, 29}));
    EXPECT_TRUE(Holds(Parsed("20240229"), {2024, 2, 29}));
    EXPECT_TRUE(Holds(Parsed("2000-02-29"), {2000, 2, 29}));
    EXPECT_TRUE(Holds(Parsed("2024/03/15"), {2024, 3, 15}));
    EXPECT_TRUE(Holds(Parsed("240315"), {2024, 3, 15}));
    EXPECT_TRUE(Holds(Parsed("500315"), {1950, 3, 15}));
    // The short year is windowed as a signed number: -9 gives 1991.
    EXPECT_TRUE(Holds(Parsed("-90101"), {1991, 1, 1}));
    for (const char* text : {"2023-02-29", "1900-02-29", "2024-04-31", "2024-13-01", "2024-00-10", "0000-03-01",
                             "0024-03-15", "000000", "Dagens", "2024-3-5", "99991232"})
        EXPECT_EQ(Parsed(text).status, CDateTimeValue::Invalid) << text;
}

TEST(DateTimeValueParse, SentinelSpellingsAndUnreadableTextsAreEmpty)
{
    for (const char* text : std::initializer_list<const char*>{"0000-00-00", "00000000", "0100-01-01", "0000-01-01", "0100-00-01", "01000101",
                             "0100-01-00", "", "d", "x", "1", "2024-3-", "d-a-y-s-x", nullptr}) {
        EXPECT_TRUE(IsEmptyValid(Parsed(text))) << (text ? text : "(null)");
        EXPECT_TRUE(Holds(Parsed(text), {100, 1, 1})) << "the sentinel at midnight: " << (text ? text : "(null)");
    }
    // Parse first resets an old value.
    CDateTimeValue v = WithStatus(CDateTimeValue::Error);
    EXPECT_TRUE(IsEmptyValid(v.Parse("x")));
}

TEST(DateTimeValueParse, KeywordLetters)
{
    {
        FixedClock clock(2024, 3, 1, 13, 14, 15);
        EXPECT_TRUE(Holds(Parsed("D"), {2024, 3, 1, 13, 14, 15}));
        EXPECT_TRUE(Holds(Parsed("Dx"), {2024, 3, 1, 13, 14, 15}));
        EXPECT_TRUE(Holds(Parsed("G"), {2024, 2, 29}));
        EXPECT_TRUE(Holds(Parsed("M"), {2024, 3, 2}));
        EXPECT_TRUE(IsEmptyValid(Parsed("m")));
    }
    {
        FixedClock clock(2023, 12, 31, 23, 0, 0);
        EXPECT_TRUE(Holds(Parsed("M"), {2024, 1, 1}));
        EXPECT_TRUE(Holds(Parsed("G"), {2023, 12, 30}));
    }
    {
        auto clock = FixedClock::Failing();
        for (const char* text : {"D", "G", "M"})
            EXPECT_EQ(Parsed(text).status, CDateTimeValue::Invalid) << text;
    }
}
