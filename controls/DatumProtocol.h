// The message protocol between the date controls, their parent dialog and each other.
//
// The values themselves are corvanel.h's, the one C header, so that a C
// program and a C++ one can never disagree: a new message, bit or id is one
// line there. This header adds what C++ code of the controls names besides
// (the day rule's record with the C++ rule type, the reserved ids under their
// C++ names) and the compile-time checks of the whole protocol.
//
// Notifications (DCN_*) go from a control to its parent, with the control id in
// wParam and 0 in lParam. Requests (DCM_*) go to a control; their handlers ignore
// wParam and lParam and return 0, except DCM_SETRANGE, DCM_SETDAYRULE, DCM_SETLOCALE
// and DCM_LINK, which read their parameters and answer whether they stored the
// range, the rule, the locale or the link. Every message is sent synchronously except
// DCM_OPENPOPUP on the keys Down, F4 and Alt+Down, which a control posts to itself.
#pragma once

#include <windows.h>

#include "corvanel.h"
#include "textrules/DayRule.h"
#include "textrules/LocalForms.h"

#include <cstddef>

// What DCM_SETDAYRULE points at: the rule (DayRule.h) and the context it is
// handed. The C++ twin of DATUMDAYRULESPEC: the same bytes, the rule typed
// for CDateValue, which has DATUMDATE's layout (checked below).
struct DatumDayRuleSpec {
    DatumDayRule rule;
    void* context;
};

// The C rule type and the C++ one make the same call: the day by address,
// with CDateValue's layout (checked below). Converted through the generic
// function pointer, which the compilers take as a deliberate conversion.
inline DATUMDAYRULE DatumDayRuleForC(DatumDayRule rule)
{
    return reinterpret_cast<DATUMDAYRULE>(reinterpret_cast<void (*)()>(rule));
}
inline DatumDayRule DatumDayRuleOfC(DATUMDAYRULE rule)
{
    return reinterpret_cast<DatumDayRule>(reinterpret_cast<void (*)()>(rule));
}

// What DCM_LINK points at: a start and an end field that belong together
// (from and to), the days the end may lie after the start, and the option.
// The C++ twin of DATUMLINK, with defaults (checked below).
struct DatumLinkRequest {
    HWND start = nullptr;   // the start field, a "DatumEdit" or "DatumCtrl"
    HWND end = nullptr;     // the end field, of the same dialog
    int shortest = 0;       // the fewest days from the start to the end; 0: no limit
    int longest = 0;        // the most days from the start to the end; 0: no limit
    UINT flags = 0;         // DLF_KEEPSPAN
};

// Control ids that the controls rely on.
constexpr int IDC_POPUPBUTTON = DCID_POPUPBUTTON; // every date control's popup button
constexpr int IDC_CALENDAR    = DCID_CALENDAR;    // the month calendar of the popup

namespace datum_protocol_checks {
constexpr UINT kFirst = WM_USER + 0x6C;
constexpr UINT kLast  = WM_USER + 0x87;
constexpr UINT kAll[] = {DCN_EXITCHANGEDALT, DCN_EXITCHANGED, DCN_CHANGE, DCN_EXITUNCHANGEDALT,
                         DCN_EXITUNCHANGED, DCN_INVALID, DCN_MODIFIED, DCM_EXITCHECK, DCM_CLEAR,
                         DCM_VALUETOTEXT, DCM_TEXTTOVALUE, DCM_SETRANGE, DCM_VERIFY, DCM_CHECKMODIFIED,
                         DCM_SETDAYRULE, DCM_OPENPOPUP, DCM_SETLOCALE, DCM_LINK, DCM_BUTTONFOCUS, DCM_YIELDFOCUS};
constexpr bool AllInRange() {
    for (UINT m : kAll)
        if (m < kFirst || m > kLast) return false;
    return true;
}
// Only the exit check shares a value (with DCN_EXITUNCHANGED); every other pair differs.
constexpr bool NoOtherSharedValue() {
    int shared = 0;
    for (unsigned i = 0; i < sizeof kAll / sizeof kAll[0]; ++i)
        for (unsigned j = i + 1; j < sizeof kAll / sizeof kAll[0]; ++j)
            if (kAll[i] == kAll[j]) ++shared;
    return shared == 1;
}
// The dialog manager uses WM_USER+0..2 (DM_GETDEFID, DM_SETDEFID, DM_REPOSITION).
static_assert(kFirst > WM_USER + 2, "protocol must stay clear of the dialog manager's messages");
static_assert(AllInRange(), "every protocol message lies in WM_USER+0x6C..WM_USER+0x87");
static_assert(DCM_EXITCHECK == DCN_EXITUNCHANGED, "the exit check deliberately shares 0x470");
static_assert(NoOtherSharedValue(), "no two other protocol messages share a value");
static_assert(DCM_SETDAYRULE == WM_USER + 0x79, "the day rule's request keeps the value hosts compile in");

// A C program's DATUMDATE is read as a CDateValue (DCM_SETRANGE, a day
// rule's day), and a DATUMDAYRULESPEC as a DatumDayRuleSpec.
static_assert(sizeof(DATUMDATE) == sizeof(CDateValue) && offsetof(DATUMDATE, day) == offsetof(CDateValue, day) &&
                  offsetof(DATUMDATE, month) == offsetof(CDateValue, month) &&
                  offsetof(DATUMDATE, year) == offsetof(CDateValue, year),
              "DATUMDATE has CDateValue's layout");
static_assert(sizeof(DATUMDAYRULESPEC) == sizeof(DatumDayRuleSpec) &&
                  offsetof(DATUMDAYRULESPEC, context) == offsetof(DatumDayRuleSpec, context),
              "a host's DATUMDAYRULESPEC is the rule, then the context");
static_assert(DATUM_REASONMAX == DayRule::kReasonSize, "a rule gets the room for its reason that the C header names");
static_assert(sizeof(DATUMLINK) == sizeof(DatumLinkRequest) && offsetof(DATUMLINK, end) == offsetof(DatumLinkRequest, end) &&
                  offsetof(DATUMLINK, shortest) == offsetof(DatumLinkRequest, shortest) &&
                  offsetof(DATUMLINK, longest) == offsetof(DatumLinkRequest, longest) &&
                  offsetof(DATUMLINK, flags) == offsetof(DatumLinkRequest, flags),
              "a host's DATUMLINK is read as a DatumLinkRequest");
static_assert(DCM_LINK == WM_USER + 0x7C, "the link's request keeps the value hosts compile in");
static_assert(DCM_SETLOCALE == WM_USER + 0x7B, "the locale's request keeps the value hosts compile in");
static_assert(static_cast<int>(DatumPartial::Nearest) == DATUM_PARTIAL_NEAREST &&
                  static_cast<int>(DatumPartial::Past) == DATUM_PARTIAL_PAST &&
                  static_cast<int>(DatumPartial::Future) == DATUM_PARTIAL_FUTURE,
              "DCM_SETLOCALE's wParam and DATUMBINDING's partial: 0 nearest, 1 past, 2 future");
} // namespace datum_protocol_checks
