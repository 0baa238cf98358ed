/* main.c: a C program that uses the date controls from corvanel.dll through
 * corvanel.h alone, with a resource script of its own in the layout real
 * projects use (resource.h, a dialog in res/dialog.rc2, a string table in
 * code page 1252, an icon by a backslash path).
 *
 * The start date must not stay empty; the due date lies in this century,
 * refuses the first day of every month (a closing day: a day rule written
 * in C), marks the 15th, and says why it refuses a date. OK shows what the
 * fields read and whether the due label came through as "F\u00e4llig:". */
#include <windows.h>
#include <corvanel.h>

#include "resource.h"

/* The first day of every month is blocked, the 15th marked. */
static UINT CALLBACK ClosingDays(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize)
{
    (void)context;
    if (day->day == 1) {
        lstrcpynA(reason, "a closing day", reasonSize);
        return DATUM_DAY_BLOCKED;
    }
    return day->day == 15 ? DATUM_DAY_MARKED : 0u;
}

static void OnInitDialog(HWND dialog)
{
    static const DATUMDATE century[2] = {{1, 1, 2000}, {31, 12, 2099}};
    static const DATUMDAYRULESPEC closing = {ClosingDays, NULL};
    DATUMBINDING binding = {0};
    WCHAR label[32];
    HWND due = GetDlgItem(dialog, IDC_DUE);
    BOOL bound;

    binding.cbSize = sizeof binding;
    binding.maxLen = 10;
    binding.flags = DCF_REQUIRED;
    bound = DatumBindField(GetDlgItem(dialog, IDC_START), &binding);
    binding.flags = DCF_EXPLAIN;
    bound = bound && DatumBindField(due, &binding) && Datum_SetRange(due, century) && Datum_SetDayRule(due, &closing);
    if (!bound)
        EndDialog(dialog, IDABORT);
    if (LoadStringW(GetModuleHandleW(NULL), IDS_DUE, label, 32) > 0)
        SetDlgItemTextW(dialog, IDC_DUE_LABEL, label);
}

/* Both dates as the fields accept them; a refused or missing one keeps the
 * dialog open with the focus in its field. */
static void OnOk(HWND dialog)
{
    static const WCHAR expectedLabel[] = {'F', 0x00E4, 'l', 'l', 'i', 'g', ':', 0};
    DATUMDATE start;
    char due[DATUM_TEXTMAX];
    WCHAR label[32];
    char shown[128];

    if (DatumGetDate(GetDlgItem(dialog, IDC_START), &start) != DATUM_OK) {
        SetFocus(GetDlgItem(dialog, IDC_START));
        return;
    }
    if (DatumGetTextA(GetDlgItem(dialog, IDC_DUE), due, DATUM_TEXTMAX) != DATUM_OK) {
        SetFocus(GetDlgItem(dialog, IDC_DUE));
        return;
    }
    GetDlgItemTextW(dialog, IDC_DUE_LABEL, label, 32);
    wsprintfA(shown, "Start %04u-%02u-%02u, due %s, label %s", (unsigned)start.year, (unsigned)start.month,
              (unsigned)start.day, due, lstrcmpW(label, expectedLabel) == 0 ? "ok" : "wrong");
    MessageBoxA(dialog, shown, "Dates read", MB_OK);
    EndDialog(dialog, IDOK);
}

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OnOk(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
    if (!DatumRegisterClasses())
        return 2;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DATES), NULL, DialogProc, 0) == IDOK ? 0 : 1;
}
