// QuickForms.h: the short ways of typing a date that DCF_QUICKENTRY opens.
//
//   IsQuickEntryLetter   a letter the keyboard filter lets through for them
//   IsQuickFormText      a text that is read as a quick form, or as none
//   IsRelativeFormText   a text that a further key may still make another date
//   QuickFormDate        the date a quick form stands for on a given day
//   TrimmedPaste         a pasted text without the blanks around it
//
// The quick forms are a keyword letter alone (D today, G yesterday,
// M tomorrow, either case) and the relative forms +N and -N (1 to 4 digits)
// of days, or of weeks, months or years with the unit letter w, m or y
// (either case) after the number. A month or year step keeps the day of the
// month, or takes the last day of a shorter month.
#pragma once

#include "datevalues/DateValue.h"

#include <optional>
#include <string_view>

// D, G, M, W and Y in either case: the keyword letters and the unit letters.
bool IsQuickEntryLetter(char character);

// Under DCF_QUICKENTRY a text that begins with a sign or a keyword letter
// (either case) is a quick form or no form at all: so a slip of the keys
// after a keyword letter ("dg") never quietly means today.
bool IsQuickFormText(std::string_view text);

// A text that begins with a sign: a relative form, or one on the way to
// it, which the next digit or unit letter makes another date.
bool IsRelativeFormText(std::string_view text);

// The date a quick form gives when today is the given day; nothing for a
// text that is no quick form, for an empty today, and for a date outside
// the years 100 to 9999 that the display forms write in full.
std::optional<CDateValue> QuickFormDate(std::string_view text, const CDateValue& today);

// The text without the spaces, tabs, line breaks and no-break spaces
// (U+00A0) before and after it; nothing inside it changes.
std::wstring_view TrimmedPaste(std::wstring_view text);
