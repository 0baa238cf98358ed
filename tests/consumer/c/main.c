/* main.c: a C program that uses the date controls of corvanel.dll through
 * corvanel.h alone, with a resource script in the layout real projects use.
 * The start date must not stay empty; the due date lies in this century,
 * refuses the first of every month (a day rule in C), marks the 15th, and
 * says why it refuses a date. OK shows what the fields read and whether the
 * due label from the code page 1252 string table reads "F\u00e4llig:". */
#include <windows.h>
#include <corvanel.h>

#include "resource.h"

static UINT CALLBACK ClosingDays(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize)
{
    (void)context;
    if (day->day != 1)
        return day->day == 15 ? DATUM_DAY_MARKED : 0u;
    lstrcpynA(reason, "a closing day", reasonSize);
    return DATUM_DAY_BLOCKED;
}

static BOOL BindFields(HWND dialog)
{
    static const DATUMDATE century[2] = {{1, 1, 2000}, {31, 12, 2099}};
    static const DATUMDAYRULESPEC closing = {ClosingDays, NULL};
    DATUMBINDING binding = {0};
    HWND due = GetDlgItem(dialog, IDC_DUE);
    WCHAR label[32];

    if (LoadStringW(GetModuleHandleW(NULL), IDS_DUE, label, 32) > 0)
        SetDlgItemTextW(dialog, IDC_DUE_LABEL, label);
    binding.cbSize = sizeof binding;
    binding.maxLen = 10;
    binding.flags = DCF_REQUIRED;
    if (!DatumBindField(GetDlgItem(dialog, IDC_START), &binding))
        return FALSE;
    binding.flags = DCF_EXPLAIN;
    return DatumBindField(due, &binding) && Datum_SetRange(due, century) && Datum_SetDayRule(due, &closing);
}

/* A refused or missing date keeps the dialog open with the focus in its field. */
static void OnOk(HWND dialog)
{
    static const WCHAR expectedLabel[] = {'F', 0x00E4, 'l', 'l', 'i', 'g', ':', 0};
    DATUMDATE start;
    char due[DATUM_TEXTMAX], shown[128];
    WCHAR label[32];

    if (DatumGetDate(GetDlgItem(dialog, IDC_START), &start) != DATUM_OK) {
        SetFocus(GetDlgItem(dialog, IDC_START));
    } else if (DatumGetTextA(GetDlgItem(dialog, IDC_DUE), due, DATUM_TEXTMAX) != DATUM_OK) {
        SetFocus(GetDlgItem(dialog, IDC_DUE));
    } else {
        GetDlgItemTextW(dialog, IDC_DUE_LABEL, label, 32);
        wsprintfA(shown, "Start %04u-%02u-%02u, due %s, label %s", (unsigned)start.year, (unsigned)start.month,
                  (unsigned)start.day, due, lstrcmpW(label, expectedLabel) == 0 ? "ok" : "wrong");
        MessageBoxA(dialog, shown, "Dates read", MB_OK);
        EndDialog(dialog, IDOK);
    }
}

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (message == WM_INITDIALOG && !BindFields(dialog))
        EndDialog(dialog, IDABORT);
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        OnOk(dialog);
    else if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)previous, (void)commandLine, (void)show;
    if (!DatumRegisterClasses())
        return 2;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DATES), NULL, DialogProc, 0) == IDOK ? 0 : 1;
}
