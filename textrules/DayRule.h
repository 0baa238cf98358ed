// DayRule.h: a host's rule on single days: which days a field refuses and
// which days its calendar marks.
//
//   DATUM_DAY_BLOCKED, DATUM_DAY_MARKED   the bits a rule answers for a day
//   DatumDayRule        the host's function
//   DatumWeekdaysOnly   a ready rule: Saturdays and Sundays are blocked
//   DayRule             a rule with its context, as a field keeps it
//   LeadByteTest        the code page's rule for two-byte characters, which
//                       the controls hand in with the rule
//
// One of the date rules of TextRules.h, asked after the range: only about
// a date the calendar has and the range holds.
#pragma once

#include "datevalues/DateValue.h"
#include "platform/core/String.h"

// Bits for a day: blocked (refused wherever an impossible date is), marked
// (bold in the calendar). Macros, spelt exactly as corvanel.h spells them,
// so that a program may include both and the compiler stops at any
// difference between the two.
#define DATUM_DAY_BLOCKED    0x1u
#define DATUM_DAY_MARKED     0x2u

// A rule is called as Win32 calls back (CALLBACK: stdcall on 32-bit
// Windows), so that a rule written in C against corvanel.h fits as well.
#ifdef _WIN32
#define DATUM_CALLBACK __stdcall
#else
#define DATUM_CALLBACK
#endif

// reason: room for a short sentence fragment ("a public holiday"), already
// empty; leave it empty for none. reasonSize counts the terminating zero.
using DatumDayRule = unsigned(DATUM_CALLBACK*)(const CDateValue& day, void* context, char* reason, int reasonSize);

// Blocks Saturdays ("a Saturday") and Sundays ("a Sunday"); marks nothing.
// The context is not used.
unsigned DATUM_CALLBACK DatumWeekdaysOnly(const CDateValue& day, void* context, char* reason, int reasonSize);

// Whether a byte of the program's code page begins a two-byte character.
using LeadByteTest = bool (*)(char byte);

struct DayRule {
    DatumDayRule rule = nullptr;       // null: no rule, every day allowed and none marked
    void* context = nullptr;           // handed to the rule as it is
    LeadByteTest leadByte = nullptr;   // null: every character of a reason is one byte

    // The room a rule gets for its reason, the zero included: the longest
    // refusal sentence, with a reason of 48 characters, stays under 80.
    static constexpr int kReasonSize = 49;

    bool IsSet() const { return rule != nullptr; }
    // The rule's bits for the day; 0 without a rule.
    unsigned StateOf(const CDateValue& day) const;
    bool Blocks(const CDateValue& day) const { return (StateOf(day) & DATUM_DAY_BLOCKED) != 0; }
    // The rule's reason for the day, cut to kReasonSize - 1 bytes on a
    // character boundary; empty without a rule or when the rule gives none.
    CString ReasonFor(const CDateValue& day) const;
};
