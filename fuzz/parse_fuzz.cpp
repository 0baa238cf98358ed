// Arbitrary bytes into Parse of both date value types. Besides the
// sanitizers' checks: a date that is accepted (after the year window for
// CDateValue) with a year from 100 to 9999 must format to texts that parse
// back to the same date.
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckDateValue(const char* text)
{
    CDateValue v;
    v.Parse(text);
    const CDateValue parsed = v;
    (void)v.IsValid();
    Require(v == parsed);  // IsValid does not change the value
    v.ApplyYearWindow();
    if (!v.IsValid() || v == CDateValue{} || v.year < 100 || v.year > 9999)
        return;
    Require(CDateValue().Parse(v.FormatDashed()) == v);
    Require(CDateValue().Parse(v.FormatCompact()) == v);
    if (v.year >= 1950 && v.year <= 2049)
        Require(CDateValue().Parse(v.FormatShort()) == v);
    Require(CDateValue().SetDayNumber(v.GetDayNumber()) == v);
}

bool SameDay(const CDateTimeValue& a, const CDateTimeValue& b)
{
    return a.Year() == b.Year() && a.Month() == b.Month() && a.Day() == b.Day();
}

void CheckDateTimeValue(const char* text)
{
    CDateTimeValue v;
    v.Parse(text);
    // Parsing only ever produces these two.
    Require(v.status == CDateTimeValue::Valid || v.status == CDateTimeValue::Invalid);
    if (v.status != CDateTimeValue::Valid || v.IsEmpty())
        return;
    Require(v.Year() >= 100 && v.Year() <= 9999);
    for (const CString& form : {v.FormatDashed(), v.FormatCompact()}) {
        CDateTimeValue back;
        back.Parse(form);
        Require(back.status == CDateTimeValue::Valid && SameDay(back, v));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Parse reads a terminated text; an embedded zero simply ends it early.
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckDateValue(text.c_str());
    CheckDateTimeValue(text.c_str());
    return 0;
}
