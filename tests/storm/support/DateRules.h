// DateRules.h: what a date field is expected to do with a text, worked out
// from the date values alone, for the storm's checks.
//
//   Kind          the two date controls: the date edit and the date control
//   Field         one date field of a host dialog and what it is bound to
//   Accepts       whether the field's own check takes a text
//   AcceptsOnExit the same at focus-out, where a required field refuses the empty text
//   Normalized    the text a field writes back when it accepts one
//   FormatBound   the text that DCM_VALUETOTEXT makes of the bound value
//   ValueAgrees   whether the bound value says what the bound text says
#pragma once

#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <string>

namespace storm {

enum class Kind { Edit, Ctrl };

struct Field {
    int id = 0;
    Kind kind = Kind::Edit;
    WORD flags = 0;             // DCF_ option bits of the binding
    int maxLen = 0;             // 0: no limit
    CString* text = nullptr;    // the dialog's bound text member
    void* value = nullptr;      // its CDateValue or CDateTimeValue, or null
    bool dateTime = false;      // value is a CDateTimeValue

    std::string Describe() const;
};

bool Accepts(Kind kind, const CString& text);
bool AcceptsOnExit(const Field& field, const CString& text);
// Only meaningful for an accepted text.
CString Normalized(Kind kind, const CString& text);
// False when the field writes no text for its value (no value, or a date
// edit whose limit holds no date form); the bound text then stays.
bool FormatBound(const Field& field, CString* text);
bool ValueAgrees(const Field& field);


} // namespace storm
