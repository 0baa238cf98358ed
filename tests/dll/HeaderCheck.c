/* HeaderCheck.c: corvanel.h with every macro expanded and every function
 * named, compiled as C89, C++98, C++11 and C++20 under -Wall -Wextra
 * -pedantic -Werror (tests/dll/CMakeLists.txt). */
#include <corvanel.h>

int CheckEveryName(HWND field);
int CheckEveryName(HWND field)
{
    static const UINT values[] = {DCN_EXITCHANGEDALT, DCN_EXITCHANGED, DCN_CHANGE, DCN_EXITUNCHANGEDALT,
        DCN_EXITUNCHANGED, DCN_INVALID, DCN_MODIFIED, DCM_BUTTONFOCUS, DCM_YIELDFOCUS, DCID_POPUPBUTTON,
        DCID_CALENDAR, DCID_KEEPFOCUS1, DCID_KEEPFOCUS2, DCID_KEEPFOCUS3, DCID_KEEPFOCUS4, DATUM_DAY_MARKED,
        DCF_ALTEXIT | DCF_AUTOADVANCE | DCF_REQUIRED | DCF_EXPLAIN | DCF_QUICKENTRY | DCF_LOCALFORMS | DCF_STEPKEYS |
        DCF_HINT, DATUM_PARTIAL_NEAREST + DATUM_PARTIAL_PAST + DATUM_PARTIAL_FUTURE,
        DATUM_OK + DATUM_REFUSED + DATUM_NOTBOUND + DATUM_SMALLBUFFER, DLF_KEEPSPAN};
    DATUMDATE range[2] = {{1, 1, 2000}, {31, 12, 2099}};
    DATUMDAYRULESPEC rule = {DatumWeekdaysOnly, 0};
    DATUMBINDING binding;
    DATUMLINK link;
    char text[DATUM_TEXTMAX], reason[DATUM_REASONMAX];
    WCHAR wide[DATUM_TEXTMAX];
    double oleDate = 0.0;

    ZeroMemory(&binding, sizeof binding);
    binding.cbSize = sizeof binding;
    ZeroMemory(&link, sizeof link);
    Datum_ExitCheck(field), Datum_Clear(field), Datum_ValueToText(field), Datum_TextToValue(field);
    Datum_Verify(field), Datum_CheckModified(field), Datum_OpenPopup(field);
    return DatumRegisterClasses() + DatumBindField(field, &binding) + Datum_SetRange(field, range) +
           Datum_SetDayRule(field, &rule) + DatumGetTextA(field, text, DATUM_TEXTMAX) +
           DatumGetTextW(field, wide, DATUM_TEXTMAX) + DatumGetDate(field, &range[0]) +
           DatumGetDateTime(field, &oleDate) + DatumSetTextA(field, text) + DatumSetTextW(field, wide) +
           DatumSetDate(field, &range[1]) + DatumSetDateTime(field, oleDate) +
           Datum_SetLocale(field, DATUM_PARTIAL_PAST, L"de-DE") + DatumLinkFields(&link) + Datum_Link(field, &link) + DatumUnlink(field) +
           (int)DatumWeekdaysOnly(&range[0], 0, reason, DATUM_REASONMAX) + (int)values[0];
}
