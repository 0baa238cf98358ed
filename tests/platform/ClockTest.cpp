// The clock calls, with the real time source and with a fixed one.
#include "platform/core/Clock.h"

#include "platform/core/ClockForTesting.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

using platform::testing::FixedClock;

TEST(Clock, RealTimeConvertsToLocalTime)
{
    platform::time64_t stored = 0;
    const platform::time64_t now = platform::_time64(&stored);
    EXPECT_EQ(stored, now);
    const auto reference = static_cast<platform::time64_t>(std::time(nullptr));
    EXPECT_LE(reference - now, 5);
    EXPECT_GE(reference - now, -5);

    std::tm reentrant{};
    ASSERT_EQ(platform::_localtime64_s(&reentrant, &now), 0);
    const std::tm* shared = platform::_localtime64(&now);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->tm_year, reentrant.tm_year);
    EXPECT_EQ(shared->tm_yday, reentrant.tm_yday);
    EXPECT_EQ(shared->tm_sec, reentrant.tm_sec);
    EXPECT_GE(reentrant.tm_year + 1900, 2000);

    // The epoch itself is a day in 1969 or 1970, whatever the time zone.
    const platform::time64_t epoch = 0;
    ASSERT_EQ(platform::_localtime64_s(&reentrant, &epoch), 0);
    EXPECT_TRUE(reentrant.tm_year == 69 || reentrant.tm_year == 70);
    EXPECT_NE(platform::_localtime64_s(nullptr, &epoch), 0);
}

TEST(Clock, FixedTimeReplacesBothConversions)
{
    const platform::time64_t anything = 1234567890;
    {
        FixedClock clock(2100, 3, 1, 7, 8, 9);
        std::tm t{};
        ASSERT_EQ(platform::_localtime64_s(&t, &anything), 0);
        EXPECT_EQ(t.tm_year, 200);
        EXPECT_EQ(t.tm_mon, 2);
        EXPECT_EQ(t.tm_mday, 1);
        EXPECT_EQ(t.tm_hour, 7);
        EXPECT_EQ(t.tm_min, 8);
        EXPECT_EQ(t.tm_sec, 9);
        EXPECT_EQ(t.tm_wday, 1);  // a Monday
        EXPECT_EQ(t.tm_yday, 59);
        const platform::time64_t now = platform::_time64(nullptr);
        const std::tm* shared = platform::_localtime64(&now);
        ASSERT_NE(shared, nullptr);
        EXPECT_EQ(shared->tm_mday, 1);
        {
            auto failing = FixedClock::Failing();
            EXPECT_EQ(platform::_localtime64(&anything), nullptr);
            EXPECT_NE(platform::_localtime64_s(&t, &anything), 0);
        }
        // The outer clock is back.
        ASSERT_NE(platform::_localtime64(&anything), nullptr);
        EXPECT_EQ(platform::_localtime64(&anything)->tm_year, 200);
    }
    // And the real one after it.
    std::tm t{};
    ASSERT_EQ(platform::_localtime64_s(&t, &anything), 0);
    EXPECT_EQ(t.tm_year, 109);  // 2009-02-13 or -14
}

TEST(Clock, StrftimeWritesNothingWhenTheTextDoesNotFit)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    char buffer[9];
    ASSERT_EQ(platform::strftime(buffer, sizeof buffer, "%Y%m%d", &t), 8u);
    EXPECT_STREQ(buffer, "20240305");
    t.tm_year = 10000 - 1900;
    EXPECT_EQ(platform::strftime(buffer, sizeof buffer, "%Y%m%d", &t), 0u);

    FixedClock clock(2024, 3, 5);
    clock.FailFormatting();
    t.tm_year = 2024 - 1900;
    EXPECT_EQ(platform::strftime(buffer, sizeof buffer, "%Y%m%d", &t), 0u);
}
