// StepKeys.h: what the keys of DCF_STEPKEYS do to a field's date.
//
//   DateStep        a day, a month or a year, later or earlier
//   StepStart       the date a step starts from
//   SteppedDate     the date after a step, by the field's date rules
//   SignSteps       whether a typed + or - steps the date or is typed
//
// A step never leaves the range and never lands on a day the rule blocks:
// it goes on past blocked days, the same way, to the next day the rule
// allows, and where the range or the full years end first the date stays.
// Months and years keep the day, or take the last day of a shorter month.
#pragma once

#include "textrules/TextRules.h"

#include <optional>

enum class DateStep { DayLater, DayEarlier, MonthLater, MonthEarlier, YearLater, YearEarlier };

// The days a step goes on past blocked days before the date stays.
constexpr int kMostSkippedDays = 366;

// The text's date when the field accepts the text, today for the empty
// text; nothing for a refused text or when today cannot be had.
std::optional<CDateValue> StepStart(const EntryRules& rules, const CString& text);

// Nothing when the date stays: the step would leave the range or the full
// years, or no day the rule allows lies within kMostSkippedDays beyond.
std::optional<CDateValue> SteppedDate(const EntryRules& rules, const CDateValue& from, DateStep step);

// A + or - typed at the end of the text steps a day when the text is a
// date the field accepts; otherwise it is typed. A - is typed too where it
// may go on a date typed in part in the user's order ("8-12" on the way
// to "8-12-2026").
bool SignSteps(const EntryRules& rules, const CString& text, char sign);
