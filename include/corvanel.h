/*
 * corvanel.h: the date controls "DatumEdit" and "DatumCtrl" for any Win32
 * program, in C or in any language that calls C functions.
 *
 *   DCN_*, DCM_*, DCF_*, DCID_*     the messages, option bits and ids
 *   DATUMDATE                       a calendar date: day, month, year
 *   DATUMDAYRULE, DATUMDAYRULESPEC  a host's rule on single days
 *   DATUMBINDING                    how a field is bound
 *   DATUMLINK                       a start and an end field that belong together
 *   DatumRegisterClasses, DatumBindField, DatumLinkFields, DatumGet..., DatumSet...
 *   Datum_SetRange, Datum_Verify, ...   one macro for each request
 *
 * One header for corvanel.dll (link its import library: libcorvanel.dll.a
 * with MinGW, corvanel.lib with MSVC's linker) and for the static libraries
 * (Corvanel::controls). It builds as C89 and as C++98 or later and includes
 * nothing but <windows.h>. Every function uses WINAPI and every callback
 * CALLBACK, so that any compiler and any language that calls Win32 can call
 * them. Texts are single-byte (A) or wide (W); nothing here depends on
 * UNICODE.
 *
 * For a dialog procedure: the template names the class, WM_INITDIALOG binds
 * the field, and from then on the field runs all its rules by itself, sends
 * the DCN_ notifications to the dialog and answers the DCM_ requests.
 *
 *   DatumRegisterClasses();                 at start-up, before the first dialog
 *   CONTROL "", 100, "DatumCtrl", WS_BORDER | WS_TABSTOP, 54, 10, 64, 14
 *   case WM_INITDIALOG:
 *       binding.cbSize = sizeof binding;    the rest zero, or as wanted
 *       binding.flags = DCF_REQUIRED;
 *       DatumBindField(GetDlgItem(dialog, 100), &binding);
 *   on OK:
 *       if (DatumGetDate(GetDlgItem(dialog, 100), &date) != DATUM_OK) ...
 */
#ifndef CORVANEL_H
#define CORVANEL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Notifications, field to parent: wParam = the field's id, lParam = 0. */
#define DCN_EXITCHANGEDALT   (WM_USER + 0x6Cu) /* focus left, text accepted and changed; DCF_ALTEXIT set */
#define DCN_EXITCHANGED      (WM_USER + 0x6Du) /* focus left, text accepted and changed */
#define DCN_CHANGE           (WM_USER + 0x6Eu) /* the text changed (every edit change) */
#define DCN_EXITUNCHANGEDALT (WM_USER + 0x6Fu) /* focus left, text accepted and unchanged; DCF_ALTEXIT set */
#define DCN_EXITUNCHANGED    (WM_USER + 0x70u) /* focus left, text accepted and unchanged */
#define DCN_INVALID          (WM_USER + 0x71u) /* DCM_VERIFY found a refused text */
#define DCN_MODIFIED         (WM_USER + 0x78u) /* the window text differs from the bound text */

/* Requests to a field. They ignore wParam and lParam and answer 0, except
 * DCM_SETRANGE, DCM_SETDAYRULE, DCM_SETLOCALE and DCM_LINK. All are sent, except DCM_OPENPOPUP on
 * the keys Down, F4 and Alt+Down, which a field posts to itself. */
#define DCM_EXITCHECK        (WM_USER + 0x70u) /* DatumCtrl: run the focus-out check now (DCN_EXITUNCHANGED's value) */
#define DCM_CLEAR            (WM_USER + 0x72u) /* empty the bound text and the window text */
#define DCM_VALUETOTEXT      (WM_USER + 0x73u) /* format the bound value into the bound text */
#define DCM_TEXTTOVALUE      (WM_USER + 0x74u) /* check, rewrite, store text and value */
#define DCM_SETRANGE         (WM_USER + 0x75u) /* lParam: DATUMDATE[2], earliest and latest (empty: no limit); TRUE when
                                                 stored; FALSE, nothing stored, for a null lParam, a reversed range, or a
                                                 side that is an impossible date or has a year below 100 or above 9999 */
#define DCM_VERIFY           (WM_USER + 0x76u) /* check the text now; DCN_INVALID when refused */
#define DCM_CHECKMODIFIED    (WM_USER + 0x77u) /* DCN_MODIFIED when the window text is not the bound text */
#define DCM_SETDAYRULE       (WM_USER + 0x79u) /* lParam: DATUMDAYRULESPEC; TRUE when stored, FALSE for a null lParam;
                                                 a null rule removes the rule */
#define DCM_OPENPOPUP        (WM_USER + 0x7Au) /* DatumCtrl: open the calendar */
#define DCM_SETLOCALE        (WM_USER + 0x7Bu) /* wParam: DATUM_PARTIAL_*, lParam: the wide locale name ("de-DE"; null: the
                                                 user's default); TRUE when stored; FALSE, nothing stored, for a name
                                                 the system does not know or another wParam */
#define DCM_LINK             (WM_USER + 0x7Cu) /* to either field, lParam: DATUMLINK naming it; TRUE when linked; FALSE,
                                                 nothing changed, for a null lParam, a field not named, a start that is
                                                 the end, a window that is no date field or spans not allowed; with
                                                 the other field null, ends this field's pair (TRUE) */
/* Between a field, its calendar button and the other fields; no host sends them. */
#define DCM_BUTTONFOCUS      (WM_USER + 0x85u) /* the button to its field: the button took the focus */
#define DCM_YIELDFOCUS       (WM_USER + 0x87u) /* to the focus holder: skip your next focus-out check */

/* Option bits of a binding. */
#define DCF_ALTEXIT          0x0001 /* the exit notifications come as their ...ALT variants */
#define DCF_AUTOADVANCE      0x0002 /* a change that makes the text a whole date moves the focus on */
#define DCF_REQUIRED         0x0004 /* an empty text is refused on leaving and by DCM_VERIFY */
#define DCF_EXPLAIN          0x0008 /* a refusal shows a tip under the field that says why */
#define DCF_QUICKENTRY       0x0010 /* typed D, G, M and +N/-N[w|m|y] relative to today; Ctrl+A; trimmed pastes */
#define DCF_LOCALFORMS       0x0020 /* dates in the locale's order (8.12.2026, 12/8/2026) and in part (8.12., 8) */
#define DCF_STEPKEYS         0x0040 /* + and -, PageUp and PageDown (with Ctrl: a year), the wheel step the date */
#define DCF_HINT             0x0080 /* the form in grey in an empty field; a shorthand's date in a tip while typed */

/* How a date typed in part (8.12., or the day alone) gets its year, or its
 * month and year, under DCF_LOCALFORMS. */
#define DATUM_PARTIAL_NEAREST 0 /* the date nearest today */
#define DATUM_PARTIAL_PAST   1 /* the latest such date on or before today */
#define DATUM_PARTIAL_FUTURE 2 /* the earliest such date on or after today */

/* Option bits of a link. */
#define DLF_KEEPSPAN         0x0001 /* a start that moves takes the end along by as many days */

/* Ids the controls keep: every DatumCtrl's calendar button and the calendar
 * in its popup. Give the fields other ids. */
#define DCID_POPUPBUTTON     1001
#define DCID_CALENDAR        1002
/* Ids that keep the focus, as Cancel does, when it moves to them from a field
 * whose text is refused: for a window that must stay reachable. */
#define DCID_KEEPFOCUS1      0x8765
#define DCID_KEEPFOCUS2      0xBEA1
#define DCID_KEEPFOCUS3      0xBEC1
#define DCID_KEEPFOCUS4      0xBEE7

/* The answers of the read and set functions. */
#define DATUM_OK             0 /* read, or set and stored */
#define DATUM_REFUSED        1 /* the field's rules refuse the text: nothing was read or stored */
#define DATUM_NOTBOUND       2 /* the window is no bound date field */
#define DATUM_SMALLBUFFER    3 /* the buffer cannot hold the text and its zero: nothing was read */
/* Characters, the zero included, that hold every text a field accepts. */
#define DATUM_TEXTMAX        16

/* A calendar date. All zero is the empty date: no date, or no limit. */
typedef struct tagDATUMDATE {
    BYTE day;   /* 1..31 */
    BYTE month; /* 1..12 */
    WORD year;  /* 100..9999 */
} DATUMDATE;

/* A day rule's answer for a day: blocked (refused wherever an impossible
 * date is) and marked (bold in the calendar). */
#define DATUM_DAY_BLOCKED    0x1u
#define DATUM_DAY_MARKED     0x2u
/* The room a rule gets for its reason, the zero included. */
#define DATUM_REASONMAX      49

/* A host's rule on single days, asked only about a possible date inside the
 * field's range. reason: room for a short fragment ("a public holiday"),
 * already empty; leave it empty for none. */
typedef UINT (CALLBACK *DATUMDAYRULE)(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize);

/* What DCM_SETDAYRULE points at: the rule and the context it is handed. */
typedef struct tagDATUMDAYRULESPEC {
    DATUMDAYRULE rule;  /* null: no rule */
    void *context;
} DATUMDAYRULESPEC;

/* How DatumBindField binds a field. Set cbSize to sizeof(DATUMBINDING); the
 * other fields may stay zero. A program built before the structure had its
 * locale and partial passes the size it ended with, before locale: its
 * fields take the user's locale and complete dates to the nearest. */
typedef struct tagDATUMBINDING {
    UINT cbSize;
    int maxLen;              /* the longest text the user may type; 0: the edit's own limit */
    UINT flags;              /* DCF_* */
    LPCSTR initial;          /* the first text, as typed; null: empty */
    BOOL dateTime;           /* the bound value is a date and time (DatumGetDateTime) */
    DATUMDATE minDate;       /* the earliest date accepted; empty: no limit */
    DATUMDATE maxDate;       /* the latest date accepted; empty: no limit */
    DATUMDAYRULE dayRule;    /* the days blocked and marked; null: none */
    void *dayRuleContext;    /* handed to the rule as it is */
    LPCWSTR locale;          /* the locale's name ("de-DE") for its order, hint and long dates; null: the user's */
    int partial;             /* DATUM_PARTIAL_*: how a date typed in part is completed */
} DATUMBINDING;

/* How DatumLinkFields and DCM_LINK link a start and an end field of one
 * dialog. Spans count the days from the start to the end; 0: no limit. */
typedef struct tagDATUMLINK {
    HWND start;              /* the start field, a "DatumEdit" or "DatumCtrl" */
    HWND end;                /* the end field, of the same dialog */
    int shortest;            /* the fewest days from the start to the end */
    int longest;             /* the most days from the start to the end */
    UINT flags;              /* DLF_* */
} DATUMLINK;

/* Registers "DatumEdit" and "DatumCtrl" and the calendar's common control;
 * call once before the first dialog. TRUE when both classes are registered. */
BOOL WINAPI DatumRegisterClasses(void);

/* Binds a "DatumEdit" or "DatumCtrl" window under its parent, whatever window
 * that is; call it while the dialog initialises. The first binding stays:
 * FALSE for a second one, for a window that is no date field, for a cbSize
 * this library does not know, for a range that DCM_SETRANGE refuses and for
 * a locale or a partial that DCM_SETLOCALE refuses, which bind nothing. */
BOOL WINAPI DatumBindField(HWND field, const DATUMBINDING *binding);

/* Links a start and an end field: where a text is judged (on leaving, by
 * DCM_VERIFY, by the reads and sets, for a pick in the calendar), never
 * while it is typed, the end refuses a date before the start and the start
 * one after the end, and a span shorter than the shortest or longer than
 * the longest is refused on either side; an empty side sets no limit. Under
 * DLF_KEEPSPAN a start that moves takes the end along. FALSE, nothing
 * linked, for a window that is no date field, a start that is the end, or
 * spans below 0 or a shortest above the longest. A field linked before
 * leaves its old pair. DatumUnlink ends a field's pair, for both fields;
 * FALSE when it was in none. */
BOOL WINAPI DatumLinkFields(const DATUMLINK *link);
BOOL WINAPI DatumUnlink(HWND field);

/* The text as the field would accept it on leaving, in its display form
 * (yyyymmdd, yyyy-mm-dd); the empty text as the empty date. A refused text,
 * and an empty one under DCF_REQUIRED, give DATUM_REFUSED. The window is not
 * changed. The text functions write at most size characters, the zero
 * included; DATUM_TEXTMAX is always enough. */
int WINAPI DatumGetTextA(HWND field, LPSTR text, int size);
int WINAPI DatumGetTextW(HWND field, LPWSTR text, int size);
int WINAPI DatumGetDate(HWND field, DATUMDATE *date);
/* The date at midnight as an OLE DATE; the empty text gives -657434.0
 * (0100-01-01), which stands for no date. */
int WINAPI DatumGetDateTime(HWND field, double *oleDate);

/* Sets the date as if the user had typed it and left: the same rules and the
 * same rewrite to the display form, without moving the focus on. A refused
 * text is not stored. The field's text and value follow; the parent gets
 * DCN_CHANGE. A null text or date, and the empty date, empty the field. A
 * wide text with a character outside plain ASCII is refused. An OLE DATE
 * loses its time of day. */
int WINAPI DatumSetTextA(HWND field, LPCSTR text);
int WINAPI DatumSetTextW(HWND field, LPCWSTR text);
int WINAPI DatumSetDate(HWND field, const DATUMDATE *date);
int WINAPI DatumSetDateTime(HWND field, double oleDate);

/* A ready day rule: blocks Saturdays ("a Saturday") and Sundays ("a
 * Sunday"), marks nothing; the context is not used. */
UINT CALLBACK DatumWeekdaysOnly(const DATUMDATE *day, void *context, LPSTR reason, int reasonSize);

/* The requests, in the common controls' style. */
#define Datum_ExitCheck(hwnd)       ((void)SendMessageA((hwnd), DCM_EXITCHECK, 0, 0))
#define Datum_Clear(hwnd)           ((void)SendMessageA((hwnd), DCM_CLEAR, 0, 0))
#define Datum_ValueToText(hwnd)     ((void)SendMessageA((hwnd), DCM_VALUETOTEXT, 0, 0))
#define Datum_TextToValue(hwnd)     ((void)SendMessageA((hwnd), DCM_TEXTTOVALUE, 0, 0))
#define Datum_SetRange(hwnd, pDates) \
    ((BOOL)SendMessageA((hwnd), DCM_SETRANGE, 0, (LPARAM)(const DATUMDATE *)(pDates)))
#define Datum_Verify(hwnd)          ((void)SendMessageA((hwnd), DCM_VERIFY, 0, 0))
#define Datum_CheckModified(hwnd)   ((void)SendMessageA((hwnd), DCM_CHECKMODIFIED, 0, 0))
#define Datum_SetDayRule(hwnd, pRule) \
    ((BOOL)SendMessageA((hwnd), DCM_SETDAYRULE, 0, (LPARAM)(const DATUMDAYRULESPEC *)(pRule)))
#define Datum_OpenPopup(hwnd)       ((void)SendMessageA((hwnd), DCM_OPENPOPUP, 0, 0))
#define Datum_SetLocale(hwnd, partial, pszLocale) \
    ((BOOL)SendMessageA((hwnd), DCM_SETLOCALE, (WPARAM)(partial), (LPARAM)(LPCWSTR)(pszLocale)))
#define Datum_Link(hwnd, pLink) \
    ((BOOL)SendMessageA((hwnd), DCM_LINK, 0, (LPARAM)(const DATUMLINK *)(pLink)))

#ifdef __cplusplus
}
#endif

#endif /* CORVANEL_H */
