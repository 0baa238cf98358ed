/* abi_check.c: corvanel.dll called by a program built for MSVC's ABI (clang
 * --target=*-pc-windows-msvc, lld-link against corvanel.lib, no C runtime).
 * Every exported function once, with what the ABI decides: handles,
 * pointers, a double by value, wide texts, and callbacks the DLL makes (a
 * day rule of this program, the DLL's own weekdays-only rule). One line a
 * check; the exit status counts the failures. */
#include <windows.h>
#include <corvanel.h>

static int g_failed;
int _fltused = 0; /* what MSVC's C runtime defines for a program that uses floating point */

static void Report(const char *what, BOOL passed)
{
    char line[160];
    DWORD written;
    int length = wsprintfA(line, "msvc-abi: %s: %s\r\n", what, passed ? "ok" : "FAILED");
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)length, &written, NULL);
    g_failed += !passed;
}

/* Blocks the first day of every month and counts its calls in its context. */
static UINT CALLBACK FirstDayClosed(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize)
{
    ++*(int *)context;
    if (day->day != 1)
        return 0;
    lstrcpynA(reason, "a closing day", reasonSize);
    return DATUM_DAY_BLOCKED;
}

static void Check(HWND parent, HWND field, HWND second)
{
    static const DATUMDATE range[2] = {{1, 1, 2000}, {31, 12, 2099}}, reversed[2] = {{31, 12, 2099}, {1, 1, 2000}};
    DATUMBINDING binding = {0};
    DATUMDATE date = {3, 5, 2024}, read = {0};
    DATUMDAYRULESPEC weekdays = {DatumWeekdaysOnly, NULL};
    char text[DATUM_TEXTMAX], reason[DATUM_REASONMAX] = "";
    WCHAR wide[DATUM_TEXTMAX];
    double oleDate = 0.0;
    int ruleCalls = 0;

    binding.cbSize = sizeof binding - 1;
    Report("DatumBindField refuses a size it does not know", !DatumBindField(field, &binding));
    binding.cbSize = sizeof binding;
    binding.maxLen = 10;
    binding.dayRule = FirstDayClosed;
    binding.dayRuleContext = &ruleCalls;
    Report("DatumBindField, once", DatumBindField(field, &binding) && !DatumBindField(field, &binding));
    Report("Datum_SetRange", Datum_SetRange(field, range) && !Datum_SetRange(second, reversed));
    Report("DatumSetTextA, DatumGetTextA", DatumSetTextA(field, "20240502") == DATUM_OK &&
           DatumGetTextA(field, text, DATUM_TEXTMAX) == DATUM_OK && lstrcmpA(text, "2024-05-02") == 0);
    Report("DatumGetTextA with a short buffer", DatumGetTextA(field, text, 10) == DATUM_SMALLBUFFER);
    Report("the day rule refuses the first", DatumSetTextA(field, "2024-05-01") == DATUM_REFUSED && ruleCalls > 0);
    Report("the range refuses 1999", DatumSetTextA(field, "1999-12-31") == DATUM_REFUSED);
    Report("DatumSetDate, DatumGetDate", DatumSetDate(field, &date) == DATUM_OK &&
           DatumGetDate(field, &read) == DATUM_OK && read.day == 3 && read.month == 5 && read.year == 2024);
    /* 45415.75 is 2024-05-04 18:00; the field keeps the day. */
    Report("DatumSetDateTime, DatumGetDateTime", DatumSetDateTime(field, 45415.75) == DATUM_OK &&
           DatumGetDateTime(field, &oleDate) == DATUM_OK && oleDate == 45415.0);
    Report("DatumSetTextW, DatumGetTextW", DatumSetTextW(field, L"2024-05-06") == DATUM_OK &&
           DatumGetTextW(field, wide, DATUM_TEXTMAX) == DATUM_OK && lstrcmpW(wide, L"2024-05-06") == 0);
    date.day = 4; /* a Saturday */
    Report("DatumWeekdaysOnly", DatumWeekdaysOnly(&date, NULL, reason, DATUM_REASONMAX) == DATUM_DAY_BLOCKED &&
           lstrcmpA(reason, "a Saturday") == 0);
    Report("Datum_SetDayRule", Datum_SetDayRule(field, &weekdays) && DatumSetTextA(field, "2024-05-04") == DATUM_REFUSED);
    Datum_Clear(field);
    Report("Datum_Clear", DatumGetTextA(field, text, DATUM_TEXTMAX) == DATUM_OK && text[0] == '\0');
    Report("a window that is no date field", DatumGetTextA(parent, text, DATUM_TEXTMAX) == DATUM_NOTBOUND);
}

/* The program's entry: no C runtime, so no main. */
void __stdcall AbiCheckEntry(void)
{
    HINSTANCE module = GetModuleHandleA(NULL);
    HWND parent, field, second;
    Report("DatumRegisterClasses", DatumRegisterClasses());
    parent = CreateWindowExA(0, "STATIC", "MSVC ABI", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL, module, NULL);
    field = CreateWindowExA(0, "DatumCtrl", "", WS_CHILD | WS_BORDER, 10, 10, 120, 22, parent, (HMENU)100, module, NULL);
    second = CreateWindowExA(0, "DatumEdit", "", WS_CHILD | WS_BORDER, 10, 40, 120, 22, parent, (HMENU)101, module, NULL);
    Report("a DatumCtrl and a DatumEdit window", field != NULL && second != NULL);
    if (field != NULL && second != NULL)
        Check(parent, field, second);
    DestroyWindow(parent);
    ExitProcess((UINT)g_failed);
}
