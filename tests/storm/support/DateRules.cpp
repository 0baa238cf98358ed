// DateRules.cpp: the expected behaviour of the date fields, from the date values.
#include "tests/storm/support/DateRules.h"

#include "controls/DatumProtocol.h"
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"

#include <cstdio>

namespace storm {
namespace {

bool IsEmptyDate(const CDateValue& date) { return date.day == 0 && date.month == 0 && date.year == 0; }

// The text the fields read as typed: yy-mm-dd as its six digits; a text read
// by position with anything but digits inside a piece as no text at all.
std::string AsRead(const CString& text)
{
    std::string read = text.GetString();
    if (read.size() == 8 && read[2] == '-' && read[5] == '-')
        read = read.substr(0, 2) + read.substr(3, 2) + read.substr(6, 2);
    if (read.size() != 6 && read.size() != 8 && read.size() != 10)
        return read;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if ((read[i] < '0' || read[i] > '9') && !(read.size() == 10 && (i == 4 || i == 7)))
            return "no date";
    }
    return read;
}

} // namespace

std::string DayPattern::Describe() const
{
    char line[64];
    std::snprintf(line, sizeof line, "days blocked 0x%08X, marked 0x%08X", static_cast<unsigned>(blocked),
                  static_cast<unsigned>(marked));
    return line;
}

unsigned CALLBACK DayPattern::Rule(const CDateValue& day, void* context, char* reason, int reasonSize)
{
    const auto* pattern = static_cast<const DayPattern*>(context);
    const unsigned marked = ((pattern->marked >> (day.day - 1)) & 1u) != 0 ? DATUM_DAY_MARKED : 0;
    if (!pattern->Blocks(day))
        return marked;
    std::snprintf(reason, static_cast<std::size_t>(reasonSize), "closed on day %d", day.day);
    return DATUM_DAY_BLOCKED | marked;
}

std::string Field::Describe() const
{
    char line[224];
    std::snprintf(line, sizeof line, "%d %s%s%s%s limit %d, %s%s%s%s%s", id,
                  kind == Kind::Ctrl ? "DatumCtrl" : "DatumEdit", (flags & DCF_REQUIRED) != 0 ? " required" : "",
                  (flags & DCF_AUTOADVANCE) != 0 ? " auto-advance" : "", (flags & DCF_ALTEXIT) != 0 ? " alt-exit" : "",
                  maxLen, value == nullptr ? "no value" : dateTime ? "CDateTimeValue" : "CDateValue",
                  IsEmptyDate(earliest) && IsEmptyDate(latest) ? "" : ", range ",
                  earliest.FormatDashed().GetString(), IsEmptyDate(earliest) && IsEmptyDate(latest) ? "" : "..",
                  latest.FormatDashed().GetString());
    return days == nullptr ? line : line + (", " + days->Describe());
}

bool RangeAllowed(const CDateValue& earliest, const CDateValue& latest)
{
    for (const CDateValue& side : {earliest, latest})
        if (!IsEmptyDate(side) && !(side.IsValid() && side.year >= 100 && side.year <= 9999))
            return false;
    return IsEmptyDate(earliest) || IsEmptyDate(latest) || earliest.GetDayNumber() <= latest.GetDayNumber();
}

// A text that gives no date at all is refused unless it is empty; the date
// control also refuses every text that begins with "2" and is shorter than
// eight characters.
bool Accepts(Kind kind, const CString& text)
{
    if (kind == Kind::Ctrl && !text.IsEmpty() && text.GetAt(0) == '2' && text.GetLength() < 8)
        return false;
    CDateValue date;
    date.Parse(AsRead(text).c_str());
    if (!text.IsEmpty() && IsEmptyDate(date))
        return false;
    return date.year <= 9999 && date.IsValid();
}

// A date outside the range or on a day the rule blocks is refused like an
// impossible one.
bool Accepts(const Field& field, const CString& text)
{
    if (!Accepts(field.kind, text))
        return false;
    if (text.IsEmpty())
        return true;
    CDateValue date;
    date.Parse(AsRead(text).c_str());
    date.ApplyYearWindow();
    const std::int32_t day = date.GetDayNumber();
    return (IsEmptyDate(field.earliest) || day >= field.earliest.GetDayNumber()) &&
           (IsEmptyDate(field.latest) || day <= field.latest.GetDayNumber()) &&
           (field.days == nullptr || !field.days->Blocks(date));
}

bool AcceptsOnExit(const Field& field, const CString& text)
{
    if (text.IsEmpty())
        return (field.flags & DCF_REQUIRED) == 0;
    return Accepts(field, text);
}

CString Normalized(Kind kind, const CString& text)
{
    CDateValue date;
    date.Parse(AsRead(text).c_str());
    date.ApplyYearWindow();
    return kind == Kind::Ctrl ? date.FormatDashed() : date.FormatCompact();
}

bool FormatBound(const Field& field, CString* text)
{
    if (field.value == nullptr)
        return false;
    enum { Dashed, Compact, Short } form = Dashed;
    if (field.kind == Kind::Edit) {
        if (field.maxLen >= 9)
            form = Dashed;
        else if (field.maxLen >= 7)
            form = Compact;
        else if (field.maxLen == 6)
            form = Short;
        else
            return false;
    }
    if (field.dateTime) {
        const auto& value = *static_cast<const CDateTimeValue*>(field.value);
        *text = form == Dashed ? value.FormatDashed() : form == Compact ? value.FormatCompact() : value.FormatShort();
    } else {
        const auto& value = *static_cast<const CDateValue*>(field.value);
        *text = form == Dashed ? value.FormatDashed() : form == Compact ? value.FormatCompact() : value.FormatShort();
    }
    return true;
}

// The bound text after DCM_TEXTTOVALUE is in the field's display form, so
// the value written back in that form must give the same text. One text
// cannot: the earliest day an automation date holds stands for no date, so
// a date-time value read from 0100-01-01 is empty and writes nothing.
bool ValueAgrees(const Field& field)
{
    if (field.value == nullptr)
        return true;
    const CString& text = *field.text;
    if (field.dateTime) {
        const auto& value = *static_cast<const CDateTimeValue*>(field.value);
        const CString written = field.kind == Kind::Ctrl ? value.FormatDashed() : value.FormatCompact();
        if (written == text)
            return true;
        CDateValue date;
        date.Parse(text.GetString());
        return value.IsEmpty() && date.year == 100 && date.month == 1 && date.day == 1;
    }
    const auto& value = *static_cast<const CDateValue*>(field.value);
    return (field.kind == Kind::Ctrl ? value.FormatDashed() : value.FormatCompact()) == text;
}

} // namespace storm
