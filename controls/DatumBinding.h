// DatumBinding.h: the date controls in any Win32 program, by window handle:
// the C++ face of corvanel.h's functions, which do all the work.
//
//   DatumRegisterClasses   the window classes and the calendar's common control
//   DatumBinding           how a control is bound: limit, option bits, initial
//                          text, the kind of its value, its range, its
//                          day rule, its locale and how it completes a
//                          date typed in part, with C++ defaults
//   DatumBind              binds a "DatumEdit" or "DatumCtrl" window
//   DatumLink, DatumUnlink links a start and an end field, and ends the link
//   DatumResult            the answer of a read or a set
//   DatumGetText, DatumGetDate, DatumGetDateTime    read the date
//   DatumSetText, DatumSetDate, DatumSetDateTime    set it
//   DatumGetText, DatumSetText for wide strings; DatumGetTextW too
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
// Each function here is an inline call of its C twin (corvanel.h) with the
// value types of datevalues/: one implementation, two faces. The C names
// that take C types (DatumSetTextW, DatumGetDate with a DATUMDATE, ...) stay
// callable from C++ as they are and answer DATUM_OK and its kin.
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

enum class DatumResult {
    Ok = DATUM_OK,              // read, or set and stored
    Refused = DATUM_REFUSED,    // the control's rules refuse the text: nothing was read or stored
    NotBound = DATUM_NOTBOUND,  // the window is no bound date control
};

// A text read by corvanel.h's DatumGetTextA or DatumGetTextW into a string.
template <class Char>
DatumResult DatumReadText(HWND control, std::basic_string<Char>* text, int(WINAPI* read)(HWND, Char*, int))
{
    Char buffer[DATUM_TEXTMAX] = {};
    const auto result = static_cast<DatumResult>(read(control, buffer, DATUM_TEXTMAX));
    if (result == DatumResult::Ok)
        text->assign(buffer);
    return result;
}

// The C face's date and the C++ one: the same three fields.
inline DATUMDATE DatumDateOf(const CDateValue& date) { return {date.day, date.month, date.year}; }

// Binds the control under its parent, whatever window that is. The first
// binding stays: false for a second one, for a window that is no date
// control, and for a range whose earliest date lies after its latest (or
// with an impossible date, or a year below 100 or above 9999, on either
// side), and for a locale the system does not know, which bind nothing.
// Call it while the dialog initialises, like the first data exchange of a
// framework dialog: the initial text goes in with its change notification.
// Its C twin has a name of its own, DatumBindField, so that
// DatumBind(field, {}) stays this function rather than a null DATUMBINDING
// pointer.
inline bool DatumBind(HWND control, const DatumBinding& binding)
{
    DATUMBINDING c{};
    c.cbSize = sizeof c;
    c.maxLen = binding.maxLen;
    c.flags = static_cast<UINT>(binding.flags);
    c.initial = binding.initial;
    c.dateTime = binding.dateTime ? TRUE : FALSE;
    c.minDate = DatumDateOf(binding.minDate);
    c.maxDate = DatumDateOf(binding.maxDate);
    c.dayRule = DatumDayRuleForC(binding.dayRule);
    c.dayRuleContext = binding.dayRuleContext;
    c.locale = binding.locale;
    c.partial = static_cast<int>(binding.partial);
    return DatumBindField(control, &c) != FALSE;
}

// Links a start and an end field of one dialog: where a text is judged (on
// leaving, by DCM_VERIFY, by the reads and sets below, for a pick in the
// calendar), never while it is typed, the end refuses a date before the
// start and the start one after the end, and a span shorter than the
// shortest or longer than the longest is refused on either side; an empty
// side sets no limit. With DLF_KEEPSPAN a start that moves takes the end
// along by as many days. Either field may be bound before or after. False,
// and nothing linked, for a window that is no date control, a start that is
// the end, or spans that are negative or whose shortest lies above the
// longest. A field linked before leaves its old pair. DatumUnlink (the C
// function) ends a field's pair, for both fields.
inline bool DatumLink(const DatumLinkRequest& link)
{
    DATUMLINK c{};
    c.start = link.start;
    c.end = link.end;
    c.shortest = link.shortest;
    c.longest = link.longest;
    c.flags = link.flags;
    return DatumLinkFields(&c) != FALSE;
}

// The date as the control would accept it on leaving: a refused text, and an
// empty one in a DCF_REQUIRED control, give Refused; an accepted one comes in
// the control's display form (yyyymmdd, yyyy-mm-dd), the empty text as the
// empty date. The window is not changed.
inline DatumResult DatumGetText(HWND control, std::string* text) { return DatumReadText(control, text, &DatumGetTextA); }

inline DatumResult DatumGetDate(HWND control, CDateValue* date)
{
    DATUMDATE read{};
    const auto result = static_cast<DatumResult>(DatumGetDate(control, &read));
    if (result == DatumResult::Ok)
        *date = CDateValue{read.day, read.month, read.year};
    return result;
}

inline DatumResult DatumGetDateTime(HWND control, CDateTimeValue* value)
{
    double date = 0.0;
    const auto result = static_cast<DatumResult>(DatumGetDateTime(control, &date));
    if (result == DatumResult::Ok) {
        value->date = date;
        value->status = CDateTimeValue::Valid;
    }
    return result;
}

// Sets the date as if the user had typed it and left: the same rules and the
// same rewrite to the display form, without moving the focus on. A refused
// text is not stored. The control's text and value follow; the parent gets
// DCN_CHANGE. A date is set as its dashed text (FormatDashed); the empty
// date empties the control.
inline DatumResult DatumSetText(HWND control, const char* text)
{
    return static_cast<DatumResult>(DatumSetTextA(control, text));
}

inline DatumResult DatumSetDate(HWND control, const CDateValue& date)
{
    const DATUMDATE c = DatumDateOf(date);
    return static_cast<DatumResult>(DatumSetDate(control, &c));
}

// A value that is not Valid formats with -1 fields, which the rules refuse.
inline DatumResult DatumSetDateTime(HWND control, const CDateTimeValue& value)
{
    return DatumSetText(control, value.FormatDashed().GetString());
}

// The same read and set for a program that keeps its texts wide. The
// control's texts are plain ASCII: a wide text with any other character is
// refused as a letter would be, and nothing is stored.
inline DatumResult DatumGetText(HWND control, std::wstring* text) { return DatumReadText(control, text, &DatumGetTextW); }
inline DatumResult DatumGetTextW(HWND control, std::wstring* text) { return DatumGetText(control, text); }
inline DatumResult DatumSetText(HWND control, const wchar_t* text)
{
    return static_cast<DatumResult>(DatumSetTextW(control, text));
}
