// A host's reason for a blocked day, cut to fit the room a rule gets.
#include "textrules/DayRule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Blocks every day, with the context's text as the reason.
unsigned DATUM_CALLBACK BlockedWith(const CDateValue&, void* context, char* reason, int reasonSize)
{
    std::snprintf(reason, static_cast<std::size_t>(reasonSize), "%s", static_cast<const char*>(context));
    return DATUM_DAY_BLOCKED;
}

// The first bytes of the two-byte characters of code page 932.
bool ShiftJisLeadByte(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// A reason longer than its 48 bytes loses a two-byte character whose second
// byte did not fit, and keeps one that fits, even when that second byte
// could begin a character itself; in a single-byte code page every byte
// is a character.
TEST(DayRule, AReasonIsCutOnACharacterBoundary)
{
    const std::string a47(47, 'a');
    const std::string a46(46, 'a');
    const struct {
        std::string reason;
        bool twoByteCodePage;
        std::string kept;
    } cases[] = {
        {a47 + "\x82\xA0", true, a47},
        {a46 + "\x82\xA0", true, a46 + "\x82\xA0"},
        {a46 + "\x82\x82" "b", true, a46 + "\x82\x82"},
        {"\x82\xA0\x82\xA0", true, "\x82\xA0\x82\xA0"},
        {a47 + "\x82\xA0", false, a47 + "\x82"},
    };
    for (const auto& c : cases) {
        std::string reason = c.reason;
        const DayRule rule{BlockedWith, reason.data(), c.twoByteCodePage ? &ShiftJisLeadByte : nullptr};
        EXPECT_EQ(std::string(rule.ReasonFor(CDateValue{}).GetString()), c.kept) << c.reason;
    }
}

// The weekdays-only rule writes its reason within the room it is given,
// always ending it, and for a weekday writes nothing.
TEST(DayRule, WeekdaysOnlyWritesWithinItsRoom)
{
    CDateValue saturday;
    CDateValue monday;
    saturday.Parse("2026-12-12");
    monday.Parse("2026-12-14");
    const struct {
        const CDateValue* day;
        int room;
        unsigned state;
        const char* written;
    } cases[] = {
        {&saturday, 20, DATUM_DAY_BLOCKED, "a Saturday"}, {&saturday, 5, DATUM_DAY_BLOCKED, "a Sa"},
        {&saturday, 1, DATUM_DAY_BLOCKED, ""},            {&monday, 20, 0, "untouched"},
    };
    for (const auto& c : cases) {
        char reason[20] = "untouched";
        EXPECT_EQ(DatumWeekdaysOnly(*c.day, nullptr, reason, c.room), c.state) << c.room;
        EXPECT_STREQ(reason, c.written) << c.room;
    }
}

} // namespace
