/* HeaderCheck.c: corvanel.h as a C89 program and a C++98-or-later program
 * see it: every macro expanded and every function named, compiled with
 * -Wall -Wextra -pedantic -Werror in each language (tests/dll/CMakeLists.txt). */
#include <corvanel.h>

static UINT CALLBACK NoDays(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize)
{
    (void)context;
    (void)reason;
    (void)reasonSize;
    return day->day == 1 ? DATUM_DAY_BLOCKED | DATUM_DAY_MARKED : 0u;
}

int CheckEveryName(HWND field);

int CheckEveryName(HWND field)
{
    static const UINT messages[] = {DCN_EXITCHANGEDALT, DCN_EXITCHANGED, DCN_CHANGE, DCN_EXITUNCHANGEDALT,
                                    DCN_EXITUNCHANGED, DCN_INVALID, DCN_MODIFIED, DCM_BUTTONFOCUS, DCM_YIELDFOCUS};
    static const int ids[] = {DCID_POPUPBUTTON, DCID_CALENDAR, DCID_KEEPFOCUS1, DCID_KEEPFOCUS2,
                              DCID_KEEPFOCUS3, DCID_KEEPFOCUS4};
    DATUMDATE range[2] = {{1, 1, 2000}, {31, 12, 2099}};
    DATUMDAYRULESPEC rule = {NoDays, NULL};
    DATUMBINDING binding;
    char text[DATUM_TEXTMAX];
    WCHAR wide[DATUM_TEXTMAX];
    char reason[DATUM_REASONMAX];
    double oleDate = 0.0;
    int results = 0;

    ZeroMemory(&binding, sizeof binding);
    binding.cbSize = sizeof binding;
    binding.flags = DCF_ALTEXIT | DCF_AUTOADVANCE | DCF_REQUIRED | DCF_EXPLAIN | DCF_QUICKENTRY;
    binding.dayRule = DatumWeekdaysOnly;
    Datum_ExitCheck(field);
    Datum_Clear(field);
    Datum_ValueToText(field);
    Datum_TextToValue(field);
    Datum_Verify(field);
    Datum_CheckModified(field);
    Datum_OpenPopup(field);
    results += DatumRegisterClasses() + DatumBindField(field, &binding);
    results += Datum_SetRange(field, range) + Datum_SetDayRule(field, &rule);
    results += DatumGetTextA(field, text, DATUM_TEXTMAX) + DatumGetTextW(field, wide, DATUM_TEXTMAX);
    results += DatumGetDate(field, &range[0]) + DatumGetDateTime(field, &oleDate);
    results += DatumSetTextA(field, text) + DatumSetTextW(field, wide) + DatumSetDate(field, &range[1]);
    results += DatumSetDateTime(field, oleDate);
    results += (int)DatumWeekdaysOnly(&range[0], NULL, reason, DATUM_REASONMAX);
    return results + DATUM_OK + DATUM_REFUSED + DATUM_NOTBOUND + DATUM_SMALLBUFFER + (int)messages[0] + ids[0];
}
