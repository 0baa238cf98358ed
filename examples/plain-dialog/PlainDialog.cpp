// PlainDialog.cpp: the date controls in a plain Win32 program: a dialog
// procedure and DialogBoxParam, no framework class.
//
// The due date is a "DatumCtrl" that must not stay empty and must lie
// between today and a year from today, and that says why when it refuses a
// date; the start date a "DatumEdit" that moves the focus on as soon as it
// holds a whole date, takes weekdays only and marks a few holidays (a day
// rule of its own that asks DatumWeekdaysOnly). Both take the quick forms
// (DCF_QUICKENTRY): D, G or M for today, yesterday or tomorrow, +7 for a
// week on, -1m for a month back, Ctrl+A to select all, and pastes without
// the blanks around them. The due date also reads dates in the user's own
// order and in part (DCF_LOCALFORMS: 8.12.2026 or 8.12. in Germany, 12/8 in
// the United States, completed to the nearest such date), steps by keys
// (DCF_STEPKEYS: + and - a day, PageUp and PageDown a month, with Ctrl a
// year, the wheel a day), and shows its form in grey while empty and the
// date of a shorthand in a tip while it is typed (DCF_HINT). Both run their
// rules by themselves: other letters refused, the text checked and
// rewritten when the user leaves, a refused text keeps the focus, the
// calendar under the due date (Down or its button), which offers only the
// allowed days. A stay from one date to another is a linked pair of
// "DatumCtrl" fields (DatumLink): the end may not lie before the start nor
// more than 30 days after it, either refusal says why, a start that moves
// takes the end along, and the end's calendar opens at the start with the
// stay's days in bold. OK shows the dates.
#include "controls/DatumBinding.h"
#include "PlainDialogIds.h"

#include <cstdint>
#include <string>

namespace {

// OK: both dates as the fields accept them on leaving. A refused or missing
// date keeps the dialog open with the focus in its field.
void OnOk(HWND dialog)
{
    constexpr int kFields[] = {IDC_DUE_DATE, IDC_START_DATE, IDC_STAY_FROM, IDC_STAY_TO};
    std::string dates[4];
    for (int i = 0; i < 4; ++i) {
        const HWND field = GetDlgItem(dialog, kFields[i]);
        if (DatumGetText(field, &dates[i]) != DatumResult::Ok) {
            SetFocus(field);
            return;
        }
        if (dates[i].empty())
            dates[i] = "(none)";
    }
    const std::string shown = "Due date: " + dates[0] + "\nStart date: " + dates[1] + "\nStay: " + dates[2] +
                              " to " + dates[3];
    MessageBoxA(dialog, shown.c_str(), "Plain dialog", MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, IDOK);
}

// The start date's day rule: Saturdays and Sundays blocked, with their
// names as the reason; the holidays of every year marked.
unsigned CALLBACK StartDayRule(const CDateValue& day, void* context, char* reason, int reasonSize)
{
    struct MonthDay {
        int month;
        int day;
    };
    constexpr MonthDay kHolidays[] = {{1, 1}, {5, 1}, {12, 24}, {12, 25}, {12, 26}, {12, 31}};
    unsigned state = DatumWeekdaysOnly(day, context, reason, reasonSize);
    for (const MonthDay& holiday : kHolidays)
        if (day.month == holiday.month && day.day == holiday.day)
            state |= DATUM_DAY_MARKED;
    return state;
}

// Today, and the same day a year on (28 February for a 29th).
void TodayAndAYearOn(CDateValue* today, CDateValue* yearOn)
{
    today->SetToday();
    *yearOn = *today;
    yearOn->year = static_cast<std::uint16_t>(yearOn->year + 1);
    if (!yearOn->IsValid())
        yearOn->day = 28;
}

// The fields are bound as the dialog initialises; from then on their DCN_
// notifications arrive here with their ids (this dialog needs none of them).
INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        CDateValue today;
        CDateValue yearOn;
        TodayAndAYearOn(&today, &yearOn);
        DatumBind(GetDlgItem(dialog, IDC_DUE_DATE),
                  {.maxLen = 10,
                   .flags = DCF_REQUIRED | DCF_EXPLAIN | DCF_QUICKENTRY | DCF_LOCALFORMS | DCF_STEPKEYS | DCF_HINT,
                   .minDate = today,
                   .maxDate = yearOn});
        DatumBind(GetDlgItem(dialog, IDC_START_DATE),
                  {.maxLen = 8, .flags = DCF_AUTOADVANCE | DCF_QUICKENTRY, .dayRule = StartDayRule});
        const HWND stayFrom = GetDlgItem(dialog, IDC_STAY_FROM);
        const HWND stayTo = GetDlgItem(dialog, IDC_STAY_TO);
        DatumBind(stayFrom, {.flags = DCF_EXPLAIN | DCF_QUICKENTRY});
        DatumBind(stayTo, {.flags = DCF_EXPLAIN | DCF_QUICKENTRY});
        DatumLink({.start = stayFrom, .end = stayTo, .longest = 30, .flags = DLF_KEEPSPAN});
        return TRUE;
    }
    case WM_COMMAND:
        switch (wParam & 0xFFFF) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DatumRegisterClasses();
    const auto dialogId = reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(IDD_PLAIN_DIALOG));
    DialogBoxParamA(instance, dialogId, nullptr, &PlainDialogProc, 0);
    return 0;
}
