// Arbitrary bytes into Parse of both date value types and into the text
// rules of the date fields. Besides the sanitizers' checks: a date that is
// accepted (after the year window for CDateValue) with a year from 100 to
// 9999 must format to texts that parse back to the same date; a text the
// rules accept stands for a possible date whose dashed rewrite the same
// rules accept as that date, in every order of the local forms too; a
// trimmed paste is a part of the paste.
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"
#include "textrules/QuickForms.h"
#include "textrules/TextRules.h"

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

void CheckTextRules(const char* text)
{
    const CString typed(text);
    const LocalForms locals[] = {{}, {true, {DateOrder::DayMonthYear, '.'}, DatumPartial::Nearest},
                                 {true, {DateOrder::MonthDayYear, '/'}, DatumPartial::Past},
                                 {true, {DateOrder::YearMonthDay, '-'}, DatumPartial::Future}};
    for (const LocalForms& local : locals) {
        for (const bool quick : {false, true}) {
            for (const FieldKind kind : {FieldKind::Edit, FieldKind::Calendar}) {
                for (const DatumDayRule dayRule : {DatumDayRule{nullptr}, DatumDayRule{DatumWeekdaysOnly}}) {
                    EntryRules rules;
                    rules.kind = kind;
                    rules.quickEntry = quick;
                    rules.dayRule = {dayRule, nullptr};
                    rules.local = local;
                    const Judgement judgement = JudgeText(rules, typed);
                    Require(RefusalSentence(rules, judgement).GetLength() < 80);
                    // Only a possible date is put to the rule.
                    if (judgement.refusal == DatumRefusal::DayBlocked)
                        Require(dayRule != nullptr && judgement.date.IsValid() && judgement.date.year >= 100);
                    if (judgement.refusal != DatumRefusal::None || typed.IsEmpty())
                        continue;
                    Require(judgement.date.IsValid() && judgement.date != CDateValue{});
                    if (judgement.date.year < 100)
                        continue;
                    const Judgement again = JudgeText(rules, judgement.date.FormatDashed());
                    Require(again.refusal == DatumRefusal::None && again.date == judgement.date);
                }
            }
        }
    }
    const std::string_view view(text);
    if (const std::optional<CDateValue> date = QuickFormDate(view, CDateValue().SetToday()))
        Require(date->IsValid() && date->year >= 100 && date->year <= 9999);
    const std::wstring wide(view.begin(), view.end());
    const std::wstring_view trimmed = TrimmedPaste(wide);
    Require(trimmed.empty() || wide.find(trimmed) != std::wstring::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Parse reads a terminated text; an embedded zero simply ends it early.
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckDateValue(text.c_str());
    CheckDateTimeValue(text.c_str());
    CheckTextRules(text.c_str());
    return 0;
}
