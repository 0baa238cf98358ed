// The message protocol between the date controls, their parent dialog and each other.
//
// Notifications (DCN_*) go from a control to its parent, with the control id in
// wParam and 0 in lParam. Requests (DCM_*) go to a control; their handlers ignore
// wParam and lParam and return 0, except DCM_SETRANGE, DCM_SETDAYRULE and
// DCM_SETLOCALE, which read their parameters and answer whether they stored
// the range, the rule or the locale. Every message is sent synchronously except
// DCM_OPENPOPUP on the keys Down, F4 and Alt+Down, which a control posts to itself.
#pragma once

#include <windows.h>

#include "textrules/DayRule.h"
#include "textrules/LocalForms.h"

// Notifications, control to parent (wParam = control id, lParam = 0).
constexpr UINT DCN_EXITCHANGEDALT   = WM_USER + 0x6C; // focus left, text accepted and changed; DCF_ALTEXIT set
constexpr UINT DCN_EXITCHANGED      = WM_USER + 0x6D; // focus left, text accepted and changed
constexpr UINT DCN_CHANGE           = WM_USER + 0x6E; // the text changed (every edit change)
constexpr UINT DCN_EXITUNCHANGEDALT = WM_USER + 0x6F; // focus left, text accepted and unchanged; DCF_ALTEXIT set
constexpr UINT DCN_EXITUNCHANGED    = WM_USER + 0x70; // focus left, text accepted and unchanged
constexpr UINT DCN_INVALID          = WM_USER + 0x71; // DCM_VERIFY found a refused text
constexpr UINT DCN_MODIFIED         = WM_USER + 0x78; // the window text differs from the bound text

// Requests to a control (wParam and lParam ignored, result 0).
constexpr UINT DCM_EXITCHECK        = WM_USER + 0x70; // date control: run the focus-loss check now (shares DCN_EXITUNCHANGED's value)
constexpr UINT DCM_CLEAR            = WM_USER + 0x72; // host: empty the bound text and the window text
constexpr UINT DCM_VALUETOTEXT      = WM_USER + 0x73; // host: format the bound value into the bound text
constexpr UINT DCM_TEXTTOVALUE      = WM_USER + 0x74; // host: check, normalise, store text and value
constexpr UINT DCM_SETRANGE         = WM_USER + 0x75; // host: lParam -> CDateValue[2], earliest and latest (empty: no limit); 1, or 0 and nothing stored for a null
                                                  // lParam, a reversed range, or a side that is an impossible date or has a year below 100 or above 9999
constexpr UINT DCM_VERIFY           = WM_USER + 0x76; // host: check the text now; DCN_INVALID when refused
constexpr UINT DCM_CHECKMODIFIED    = WM_USER + 0x77; // host: DCN_MODIFIED when window text != bound text
constexpr UINT DCM_SETDAYRULE       = WM_USER + 0x79; // host: lParam -> DatumDayRuleSpec; 1 when stored, 0 for a null lParam;
                                                  // a null rule removes the rule
constexpr UINT DCM_OPENPOPUP        = WM_USER + 0x7A; // button (sent) or Down, F4, Alt+Down (posted): open the calendar
constexpr UINT DCM_SETLOCALE        = WM_USER + 0x7B; // host: wParam = DatumPartial, lParam -> the wide locale name ("de-DE"; null: the user's
                                                  // default); 1 when stored, 0 for a name the system does not know or another wParam
constexpr UINT DCM_BUTTONFOCUS      = WM_USER + 0x85; // popup button to its control: the button took the focus
constexpr UINT DCM_YIELDFOCUS       = WM_USER + 0x87; // to the focus holder: skip your next focus-out check

// What DCM_SETDAYRULE points at: the rule (DayRule.h) and the context it
// is handed.
struct DatumDayRuleSpec {
    DatumDayRule rule;
    void* context;
};

// Option bits of a binding.
constexpr WORD DCF_ALTEXIT     = 0x0001; // exit notifications use the ...ALT variants
constexpr WORD DCF_AUTOADVANCE = 0x0002; // a change that makes the text valid moves the focus on
constexpr WORD DCF_REQUIRED    = 0x0004; // an empty text is refused at focus-out and by DCM_VERIFY
constexpr WORD DCF_EXPLAIN     = 0x0008; // a refusal shows a tip at the field that says why
constexpr WORD DCF_QUICKENTRY  = 0x0010; // typed D, G, M and +N/-N[w|m|y] relative to today; Ctrl+A; trimmed pastes
constexpr WORD DCF_LOCALFORMS  = 0x0020; // dates in the locale's order (8.12.2026, 12/8/2026) and in part (8.12., 8)
constexpr WORD DCF_STEPKEYS    = 0x0040; // + and -, PageUp and PageDown (with Ctrl: a year), the wheel step the date
constexpr WORD DCF_HINT        = 0x0080; // the form in grey in an empty field; a shorthand's date in a tip while typed

// Control ids that the controls rely on.
constexpr int IDC_POPUPBUTTON = 1001; // every date control's popup button
constexpr int IDC_CALENDAR    = 1002; // the month calendar of the popup

// Ids that keep the focus, as Cancel does, when it moves to them from a
// control whose text is refused. No system window has them: a host gives
// one to a window that must stay reachable whatever a field holds.
constexpr int DCID_KEEPFOCUS1 = 0x8765;
constexpr int DCID_KEEPFOCUS2 = 0xBEA1;
constexpr int DCID_KEEPFOCUS3 = 0xBEC1;
constexpr int DCID_KEEPFOCUS4 = 0xBEE7;

namespace datum_protocol_checks {
constexpr UINT kFirst = WM_USER + 0x6C;
constexpr UINT kLast  = WM_USER + 0x87;
constexpr UINT kAll[] = {DCN_EXITCHANGEDALT, DCN_EXITCHANGED, DCN_CHANGE, DCN_EXITUNCHANGEDALT,
                         DCN_EXITUNCHANGED, DCN_INVALID, DCN_MODIFIED, DCM_EXITCHECK, DCM_CLEAR,
                         DCM_VALUETOTEXT, DCM_TEXTTOVALUE, DCM_SETRANGE, DCM_VERIFY, DCM_CHECKMODIFIED,
                         DCM_SETDAYRULE, DCM_OPENPOPUP, DCM_SETLOCALE, DCM_BUTTONFOCUS, DCM_YIELDFOCUS};
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
static_assert(static_cast<int>(DatumPartial::Future) == 2, "DCM_SETLOCALE's wParam: 0 nearest, 1 past, 2 future");
static_assert(sizeof(DatumDayRuleSpec) == 2 * sizeof(void*), "a host's DatumDayRuleSpec is the rule, then the context");
} // namespace datum_protocol_checks
