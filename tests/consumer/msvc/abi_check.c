/* abi_check.c: corvanel.dll called by a program built for MSVC's ABI
 * (clang --target=*-pc-windows-msvc, linked by lld-link against
 * corvanel.lib, with no C runtime). Every exported function is called once
 * with the arguments whose passing the ABI decides: handles, pointers, a
 * double by value, wide texts, and callbacks the DLL calls back (a day rule
 * of this program, and the DLL's own weekdays-only rule). Prints one line a
 * check and exits with the number of checks that failed. */
#include <windows.h>
#include <corvanel.h>

static int g_failed;

/* MSVC's compilers mark a program that uses floating point with a reference
 * to _fltused, which the C runtime defines; this program has none. */
int _fltused = 0;

static void Report(const char *what, BOOL passed)
{
    char line[160];
    DWORD written;
    int length = wsprintfA(line, "msvc-abi: %s: %s\r\n", what, passed ? "ok" : "FAILED");
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)length, &written, NULL);
    if (!passed)
        ++g_failed;
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

static BOOL SameDate(const DATUMDATE *date, int day, int month, int year)
{
    return date->day == day && date->month == month && date->year == year;
}

static void Check(HWND parent, HWND field, HWND second)
{
    static const DATUMDATE range[2] = {{1, 1, 2000}, {31, 12, 2099}};
    static const DATUMDATE reversed[2] = {{31, 12, 2099}, {1, 1, 2000}};
    int ruleCalls = 0;
    DATUMBINDING binding = {0};
    DATUMDATE date = {3, 5, 2024};
    DATUMDATE read = {0};
    DATUMDAYRULESPEC weekdays;
    char text[DATUM_TEXTMAX];
    WCHAR wide[DATUM_TEXTMAX];
    char reason[DATUM_REASONMAX];
    double oleDate = 0.0;

    binding.cbSize = sizeof binding - 1;
    Report("DatumBindField refuses a size it does not know", !DatumBindField(field, &binding));
    binding.cbSize = sizeof binding;
    binding.maxLen = 10;
    binding.dayRule = FirstDayClosed;
    binding.dayRuleContext = &ruleCalls;
    Report("DatumBindField", DatumBindField(field, &binding));
    Report("DatumBindField binds once", !DatumBindField(field, &binding));

    Report("Datum_SetRange", Datum_SetRange(field, range));
    Report("Datum_SetRange refuses a reversed range", !Datum_SetRange(second, reversed));
    Report("DatumSetTextA", DatumSetTextA(field, "20240502") == DATUM_OK);
    Report("DatumGetTextA", DatumGetTextA(field, text, DATUM_TEXTMAX) == DATUM_OK && lstrcmpA(text, "2024-05-02") == 0);
    Report("DatumGetTextA with a short buffer", DatumGetTextA(field, text, 10) == DATUM_SMALLBUFFER);
    Report("the day rule refuses the first", DatumSetTextA(field, "2024-05-01") == DATUM_REFUSED && ruleCalls > 0);
    Report("the range refuses 1999", DatumSetTextA(field, "1999-12-31") == DATUM_REFUSED);
    Report("DatumSetDate", DatumSetDate(field, &date) == DATUM_OK);
    Report("DatumGetDate", DatumGetDate(field, &read) == DATUM_OK && SameDate(&read, 3, 5, 2024));
    /* 45415.75 is 2024-05-04 18:00; the field keeps the day. */
    Report("DatumSetDateTime", DatumSetDateTime(field, 45415.75) == DATUM_OK);
    Report("DatumGetDateTime", DatumGetDateTime(field, &oleDate) == DATUM_OK && oleDate == 45415.0);
    Report("DatumSetTextW", DatumSetTextW(field, L"2024-05-06") == DATUM_OK);
    Report("DatumGetTextW", DatumGetTextW(field, wide, DATUM_TEXTMAX) == DATUM_OK && lstrcmpW(wide, L"2024-05-06") == 0);
    reason[0] = '\0';
    date.day = 4; /* a Saturday */
    Report("DatumWeekdaysOnly", DatumWeekdaysOnly(&date, NULL, reason, DATUM_REASONMAX) == DATUM_DAY_BLOCKED &&
                                    lstrcmpA(reason, "a Saturday") == 0);
    weekdays.rule = DatumWeekdaysOnly;
    weekdays.context = NULL;
    Report("Datum_SetDayRule", Datum_SetDayRule(field, &weekdays));
    Report("the weekdays-only rule refuses a Saturday", DatumSetTextA(field, "2024-05-04") == DATUM_REFUSED);
    Report("a window that is no date field", DatumGetTextA(parent, text, DATUM_TEXTMAX) == DATUM_NOTBOUND);
}

/* The program's entry: no C runtime, so no main. */
void __stdcall AbiCheckEntry(void)
{
    HWND parent, field, second;
    if (!DatumRegisterClasses()) {
        Report("DatumRegisterClasses", FALSE);
        ExitProcess(1);
    }
    parent = CreateWindowExA(0, "STATIC", "MSVC ABI", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL,
                             GetModuleHandleA(NULL), NULL);
    field = CreateWindowExA(0, "DatumCtrl", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 120, 22, parent,
                            (HMENU)(INT_PTR)100, GetModuleHandleA(NULL), NULL);
    second = CreateWindowExA(0, "DatumEdit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 120, 22, parent,
                             (HMENU)(INT_PTR)101, GetModuleHandleA(NULL), NULL);
    Report("DatumRegisterClasses and a DatumCtrl window", field != NULL && second != NULL);
    if (field != NULL)
        Check(parent, field, second);
    DestroyWindow(parent);
    ExitProcess((UINT)g_failed);
}
