// DatumBinding.h: the date controls in any Win32 program, by window handle.
//
//   DatumRegisterClasses   the window classes and the calendar's common control
//   DatumBinding           how a control is bound: limit, option bits, initial
//                          text, the kind of its value, its range, its
//                          day rule, its locale and how it completes a
//                          date typed in part
//   DatumBind              binds a "DatumEdit" or "DatumCtrl" window
//   DatumResult            the answer of a read or a set
//   DatumGetText, DatumGetDate, DatumGetDateTime    read the date
//   DatumSetText, DatumSetDate, DatumSetDateTime    set it
//   DatumGetTextW, DatumSetTextW    the text functions for wide strings
//
// For a program with a plain dialog procedure: the template names the class,
// WM_INITDIALOG binds the control, and from then on the control runs all its
// rules by itself (the dialog's procedure need not pass it anything), sends
// the DCN_ notifications of DatumProtocol.h to the dialog and answers its
// DCM_ requests. The control keeps its own text and value.
//
//   case WM_INITDIALOG:
//       DatumBind(GetDlgItem(dialog, IDC_DUE), {.flags = DCF_REQUIRED});
//       return TRUE;
//   case WM_COMMAND:
//       if (LOWORD(wParam) == IDOK) {
//           CDateValue due;
//           if (DatumGetDate(GetDlgItem(dialog, IDC_DUE), &due) != DatumResult::Ok)
//               ...   // refused or missing: keep the dialog open
//       }
//
// Ids 1001 and 1002 are reserved: every "DatumCtrl" makes its calendar button
// with id 1001 (IDC_POPUPBUTTON) beside itself, and the calendar has 1002
// (IDC_CALENDAR). Give the fields other ids; a field created with either
// writes a line naming the clash to the debugger's output (a second field at
// 1001 is mistaken for the first field's button: GetDlgItem finds the button,
// and DatumBind answers false for it).
//
// The header includes nothing whose meaning depends on UNICODE, so that a
// Unicode program with a wide dialog procedure can use it as it is. The
// controls themselves stay single-byte windows under any parent.
#pragma once

#include "controls/DatumProtocol.h"
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"

#include <string>

// Registers "DatumEdit" and "DatumCtrl" and initialises the month-calendar
// class that the popup uses; call once before the first dialog. TRUE when
// both classes are registered.
BOOL DatumRegisterClasses();

struct DatumBinding {
    int maxLen = 10;                 // the longest text the user may type; 0: no limit
    int flags = 0;                   // DCF_ALTEXIT, DCF_AUTOADVANCE, DCF_REQUIRED, DCF_EXPLAIN, DCF_QUICKENTRY,
                                     // DCF_LOCALFORMS, DCF_STEPKEYS, DCF_HINT
    const char* initial = nullptr;   // the first text, as typed; null: empty
    bool dateTime = false;           // the value is a CDateTimeValue, not a CDateValue
    CDateValue minDate{};            // the earliest date accepted; empty: no limit
    CDateValue maxDate{};            // the latest date accepted; empty: no limit
    DatumDayRule dayRule = nullptr;  // the days blocked and marked (DayRule.h); null: none
    void* dayRuleContext = nullptr;  // handed to the rule as it is
    const wchar_t* locale = nullptr; // the locale's name ("de-DE") for its order, hint and long dates; null: the user's default
    DatumPartial partial = DatumPartial::Nearest;   // how a date typed in part (8.12.) gets its year, or month and year
};

// Binds the control under its parent, whatever window that is. The first
// binding stays: false for a second one, for a window that is no date
// control, and for a range whose earliest date lies after its latest (or
// with an impossible date, or a year below 100 or above 9999, on either
// side), and for a locale the system does not know, which bind nothing.
// Call it while the dialog initialises, like the first data exchange of a
// framework dialog: the initial text goes in with its change notification.
bool DatumBind(HWND control, const DatumBinding& binding);

enum class DatumResult {
    Ok,        // read, or set and stored
    Refused,   // the control's rules refuse the text: nothing was read or stored
    NotBound,  // the window is no bound date control
};

// The date as the control would accept it on leaving: a refused text, and an
// empty one in a DCF_REQUIRED control, give Refused; an accepted one comes in
// the control's display form (yyyymmdd, yyyy-mm-dd), the empty text as the
// empty date. The window is not changed.
DatumResult DatumGetText(HWND control, std::string* text);
DatumResult DatumGetDate(HWND control, CDateValue* date);
DatumResult DatumGetDateTime(HWND control, CDateTimeValue* value);

// Sets the date as if the user had typed it and left: the same rules and the
// same rewrite to the display form, without moving the focus on. A refused
// text is not stored. The control's text and value follow; the parent gets
// DCN_CHANGE. A date is set as its dashed text (FormatDashed); the empty
// date empties the control.
DatumResult DatumSetText(HWND control, const char* text);
DatumResult DatumSetDate(HWND control, const CDateValue& date);
DatumResult DatumSetDateTime(HWND control, const CDateTimeValue& value);

// The same read and set for a program that keeps its texts wide. The
// control's texts are plain ASCII: a wide text with any other character is
// refused as a letter would be, and nothing is stored.
DatumResult DatumGetTextW(HWND control, std::wstring* text);
DatumResult DatumSetTextW(HWND control, const wchar_t* text);
