// StepKeys.cpp: stepping a date by the field's rules.
#include "textrules/StepKeys.h"

#include "textrules/DateSteps.h"
#include "textrules/LocalForms.h"

namespace {

std::string_view ViewOf(const CString& text)
{
    return std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

std::optional<CDateValue> Moved(const CDateValue& from, DateStep step)
{
    switch (step) {
    case DateStep::DayLater: return DaysAfter(from, 1);
    case DateStep::DayEarlier: return DaysAfter(from, -1);
    case DateStep::MonthLater: return MonthsAfter(from, 1);
    case DateStep::MonthEarlier: return MonthsAfter(from, -1);
    case DateStep::YearLater: return MonthsAfter(from, 12);
    case DateStep::YearEarlier: break;
    }
    return MonthsAfter(from, -12);
}

bool IsLater(DateStep step)
{
    return step == DateStep::DayLater || step == DateStep::MonthLater || step == DateStep::YearLater;
}

} // namespace

std::optional<CDateValue> StepStart(const EntryRules& rules, const CString& text)
{
    if (text.IsEmpty()) {
        CDateValue today;
        today.SetToday();
        return HasFullYear(today) ? std::optional(today) : std::nullopt;
    }
    const Judgement judgement = JudgeText(rules, text);
    return judgement.refusal == DatumRefusal::None ? std::optional(judgement.date) : std::nullopt;
}

std::optional<CDateValue> SteppedDate(const EntryRules& rules, const CDateValue& from, DateStep step)
{
    std::optional<CDateValue> date = Moved(from, step);
    for (int skipped = 0; date && skipped <= kMostSkippedDays; ++skipped) {
        switch (JudgeDate(rules, *date).refusal) {
        case DatumRefusal::None: return date;
        case DatumRefusal::DayBlocked: date = DaysAfter(*date, IsLater(step) ? 1 : -1); break;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

bool SignSteps(const EntryRules& rules, const CString& text, char sign)
{
    if (text.IsEmpty() || JudgeText(rules, text).refusal != DatumRefusal::None)
        return false;
    if (sign != '-' || !rules.local.enabled)
        return true;
    const std::string_view view = ViewOf(text);
    const std::optional<LocalReading> reading = ReadLocalForm(view, rules.local.local.order);
    return !reading || reading->year != 0 || !IsDigit(view.back());
}
