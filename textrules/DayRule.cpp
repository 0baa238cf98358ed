// DayRule.cpp: asking a host's day rule, and the weekdays-only rule.
#include "textrules/DayRule.h"

#include <cstdio>

namespace {

// Monday 0 to Sunday 6: the Julian Day Number 0 was a Monday.
int WeekdayOf(const CDateValue& day) { return static_cast<int>(day.GetDayNumber() % 7); }

constexpr int kSaturday = 5;
constexpr int kSunday = 6;

} // namespace

unsigned DATUM_CALLBACK DatumWeekdaysOnly(const CDateValue& day, void*, char* reason, int reasonSize)
{
    const int weekday = WeekdayOf(day);
    if (weekday != kSaturday && weekday != kSunday)
        return 0;
    if (reason != nullptr && reasonSize > 0)
        std::snprintf(reason, static_cast<std::size_t>(reasonSize), "%s",
                      weekday == kSaturday ? "a Saturday" : "a Sunday");
    return DATUM_DAY_BLOCKED;
}

unsigned DayRule::StateOf(const CDateValue& day) const
{
    if (rule == nullptr)
        return 0;
    char reason[kReasonSize] = {};
    return rule(day, context, reason, kReasonSize);
}

// The buffer's last character is zeroed after the call, so a rule that
// fills it to the end still gives a terminated text. A two-byte character
// whose second byte did not fit goes whole; the text is walked from its
// start, as a second byte may look like a first one.
CString DayRule::ReasonFor(const CDateValue& day) const
{
    if (rule == nullptr)
        return {};
    char reason[kReasonSize] = {};
    rule(day, context, reason, kReasonSize);
    reason[kReasonSize - 1] = '\0';
    int length = 0;
    while (reason[length] != '\0') {
        const bool twoBytes = leadByte != nullptr && leadByte(reason[length]);
        if (twoBytes && reason[length + 1] == '\0')
            break;
        length += twoBytes ? 2 : 1;
    }
    return CString(reason, length);
}
