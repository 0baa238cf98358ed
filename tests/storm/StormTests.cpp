// Storms of seeded random input over a dialog of four date controls and four
// date edits with every combination of the option bits: typed characters,
// Tab and Shift+Tab, Down, clicks, popups opened and closed or picked, host
// commands, pasted texts and exchanges, with the invariants of
// support/Storm.cpp checked after every step.
#include "tests/storm/support/Storm.h"

#include "controls/DatumProtocol.h"
#include "platform/core/ClockForTesting.h"

#include <gtest/gtest.h>

namespace storm {
namespace {

constexpr std::uint64_t kDefaultSeed = 20070115;
constexpr int kDefaultEvents = 4000;

class StormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareFieldClasses(); }
};

// The storm's model of the rules gives the controls' answers on known
// texts, so that a storm failure points at the controls.
TEST(StormRules, AgreeWithTheControlsOnKnownTexts)
{
    platform::testing::FixedClock clock(2007, 1, 15);
    EXPECT_FALSE(Accepts(Kind::Ctrl, "200115"));
    EXPECT_TRUE(Accepts(Kind::Edit, "200115"));
    EXPECT_FALSE(Accepts(Kind::Ctrl, "2"));
    EXPECT_TRUE(Accepts(Kind::Ctrl, "20070115"));
    EXPECT_FALSE(Accepts(Kind::Edit, "20240230"));
    EXPECT_FALSE(Accepts(Kind::Edit, "abc"));
    EXPECT_FALSE(Accepts(Kind::Ctrl, "1"));
    EXPECT_TRUE(Accepts(Kind::Edit, ""));
    EXPECT_TRUE(Accepts(Kind::Edit, "D"));
    EXPECT_FALSE(Accepts(Kind::Edit, "-1230101"));   // year 65413: no display form holds it
    EXPECT_TRUE(Accepts(Kind::Edit, "99991231"));
    EXPECT_EQ(Normalized(Kind::Ctrl, "070115"), "2007-01-15");
    EXPECT_EQ(Normalized(Kind::Edit, "240105"), "20240105");
    EXPECT_EQ(Normalized(Kind::Edit, "500105"), "19500105");
    EXPECT_EQ(Normalized(Kind::Edit, "2024-01-05"), "20240105");
    EXPECT_EQ(Normalized(Kind::Edit, "D"), "20070115");

    CString text;
    CDateValue date;
    date.Parse("20240105");
    Field edit{.id = 1000, .kind = Kind::Edit, .flags = DCF_REQUIRED, .maxLen = 6, .text = &text, .value = &date};
    EXPECT_FALSE(AcceptsOnExit(edit, ""));
    ASSERT_TRUE(FormatBound(edit, &text));
    EXPECT_EQ(text, "240105");
    edit.maxLen = 5;
    EXPECT_FALSE(FormatBound(edit, &text));

    const DayPattern the20th{.blocked = 1u << 19};
    edit.earliest.Parse("2007-01-10");
    edit.days = &the20th;
    EXPECT_FALSE(Accepts(edit, "070109"));
    EXPECT_TRUE(Accepts(edit, "D"));
    EXPECT_FALSE(Accepts(edit, "20070120"));
    EXPECT_TRUE(RangeAllowed(edit.earliest, {}));
    EXPECT_FALSE(RangeAllowed(edit.earliest, date.Parse("2007-01-09")));
    EXPECT_FALSE(RangeAllowed(date.Parse("0099-01-09"), {}));
}

// Thousands of random events over the storm's own dialog; after every step
// the process answers, the focus stays in the dialog and does not bounce,
// no text is lost, bound text and value agree, and every object of every
// dialog the storm opened is deleted once.
TEST_F(StormTest, DateFieldsSurviveARandomStorm)
{
    for (const StormReport& report : RunStorms(kDefaultSeed, kDefaultEvents, &StormDialog::Make))
        EXPECT_TRUE(report.passed) << report.failure;
}

} // namespace
} // namespace storm
