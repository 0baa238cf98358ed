// DateRules.h: what a date field is expected to do with a text, worked out
// from the date values alone, for the storm's checks.
//
//   Kind          the two date controls: the date edit and the date control
//   DayPattern    a day rule drawn at random, as a host sets it
//   Field         one date field of a host dialog, what it is bound to, and
//                 the range and day rule a host set
//   RangeAllowed  whether a field takes a range a host sets
//   Accepts       whether the field's own check takes a text: by its forms
//                 alone, or with the range and day rule too
//   AcceptsOnExit the same at focus-out, where a required field refuses the empty text
//   Normalized    the text a field writes back when it accepts one
//   FormatBound   the text that DCM_VALUETOTEXT makes of the bound value
//   ValueAgrees   whether the bound value says what the bound text says
#pragma once

#include "datevalues/DateValue.h"
#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <cstdint>
#include <string>

namespace storm {

enum class Kind { Edit, Ctrl };

// Days of the month blocked, in every month, and days marked.
struct DayPattern {
    std::uint32_t blocked = 0;   // bit d - 1: the day d
    std::uint32_t marked = 0;

    bool Blocks(const CDateValue& day) const { return ((blocked >> (day.day - 1)) & 1u) != 0; }
    std::string Describe() const;
    // The host's rule over a pattern given as its context; a blocked day's reason names the day.
    static unsigned CALLBACK Rule(const CDateValue& day, void* context, char* reason, int reasonSize);
};

struct Field {
    int id = 0;
    Kind kind = Kind::Edit;
    WORD flags = 0;             // DCF_ option bits of the binding
    int maxLen = 0;             // 0: no limit
    CString* text = nullptr;    // the dialog's bound text member
    void* value = nullptr;      // its CDateValue or CDateTimeValue, or null
    bool dateTime = false;      // value is a CDateTimeValue
    CDateValue earliest{};      // the range a host set; an empty side: no limit
    CDateValue latest{};
    const DayPattern* days = nullptr;   // the day rule a host set; null: none

    std::string Describe() const;
};

// Each side empty or a possible date with a year from 100 to 9999, the
// earliest not after the latest.
bool RangeAllowed(const CDateValue& earliest, const CDateValue& latest);
bool Accepts(Kind kind, const CString& text);
bool Accepts(const Field& field, const CString& text);
bool AcceptsOnExit(const Field& field, const CString& text);
// Only meaningful for an accepted text.
CString Normalized(Kind kind, const CString& text);
// False when the field writes no text for its value (no value, or a date
// edit whose limit holds no date form); the bound text then stays.
bool FormatBound(const Field& field, CString* text);
bool ValueAgrees(const Field& field);


} // namespace storm
