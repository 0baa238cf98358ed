// KalenderPopupDlg.h: the month-calendar popup of the date control.
//
//   CKalenderPopupDlg   a borderless modal popup (dialog template 101) holding
//                       one month calendar, placed under its field and
//                       pulled back inside the field's monitor, offering
//                       the days of a range or every day; a day
//                       picked with the mouse, Enter or Space comes back as
//                       yyyy-mm-dd; Escape, F4, Alt+Up and any move, resize
//                       or re-ordering of the visible popup close it unpicked.
//                       Under a day rule the rule's marked days are bold and
//                       a blocked day is not picked: the popup stays open;
//                       so is a day the field's pair refuses, and the days
//                       from the pair's start to its end are bold
//   CPopupCalendar      the popup's month calendar: Space asks the popup for
//                       OK and F4 and Alt+Up for Cancel, as the dialog
//                       manager does for Enter and Escape; the navigation
//                       keys move the highlight where the system's
//                       calendar does not move it itself; it shows the tip
//                       that explains a refused pick
//   ScreenLimits, PullBackOnScreen, PlacePopup   the placement rule, as pure functions
//   DayAfterKey         the navigation keys' rule, as a pure function
//
// The popup knows nothing of the control: it gets a start text, a flag to
// set on a pick, a position, and the range and day rule to offer, and it
// writes the picked text.
#pragma once

#include "controls/RefusalTip.h"
#include "textrules/TextRules.h"
#include "platform/window/Dialog.h"
#include "platform/window/MonthCalCtrl.h"
#include "platform/core/String.h"

#include <vector>

// What bounds the popup's placement on one monitor. On the primary monitor
// these are the system metrics; on any other the right and bottom edges of
// its work area take the place of the maximised size. So the first two are
// screen coordinates of a right and a bottom limit, whatever their names say.
// The maximised size can reach past the work area, even past the screen
// (1288 x 1062 on a screen of 1280 x 1024): the work area bounds the popup too.
struct ScreenLimits {
    int cxMaximized;   // SM_CXMAXIMIZED (the primary monitor starts at 0), or the work area's right edge
    int cyMaximized;   // SM_CYMAXIMIZED (the primary monitor starts at 0), or the work area's bottom edge
    int cxBorder;      // SM_CXBORDER
    int cyBorder;      // SM_CYBORDER
    RECT work{};       // the monitor's work area; empty: none known

    // The primary monitor's limits.
    static ScreenLimits FromSystem();
    // The limits on the monitor that holds most of the area, or on the
    // nearest one when none holds any of it.
    static ScreenLimits ForArea(const RECT& area);
    // The limits on a monitor, given the primary monitor's limits.
    static ScreenLimits OnMonitor(const MONITORINFO& monitor, const ScreenLimits& primary);
};

// Shifts rect up and left, keeping its size, so that its bottom edge is at
// most cyMaximized - cyBorder and its right edge at most cxMaximized -
// cxBorder. There is no correction towards the top or the left.
RECT PullBackOnScreen(RECT rect, const ScreenLimits& limits);

// Where the popup goes: rect pulled back on screen, then, only where it
// would still leave the work area, shifted into it, keeping its size, in
// any direction; a popup larger than the work area keeps its left and top
// edges there.
RECT PlacePopup(RECT rect, const ScreenLimits& limits);

// The day a navigation key moves the highlight to: Left and Right by a day,
// Up and Down by a week, Page Up and Page Down by a month (to the month's
// last day when it is shorter), Home and End to the first and the last day
// of the month. Any other key leaves the day where it is.
SYSTEMTIME DayAfterKey(const SYSTEMTIME& day, WPARAM virtualKey);

class CPopupCalendar : public CMonthCalCtrl {
public:
    // Shows the sentence in a tip at the calendar until the next key,
    // click or focus change.
    void Explain(const CString& sentence) { m_tip.Show(*this, sentence); }

protected:
    const MessageMap* GetMessageMap() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // WM_KEYDOWN: Space picks, F4 closes; every other key is the calendar's,
    // and a navigation key that did not move its highlight moves it here.
    LRESULT OnKeyDown(WPARAM virtualKey, LPARAM flags);
    // WM_SYSKEYDOWN: Alt+Up closes.
    LRESULT OnSysKeyDown(WPARAM virtualKey, LPARAM flags);

    CRefusalTip m_tip;
};

class CKalenderPopupDlg : public CDialog {
public:
    // pResult: on entry the start text (yyyy-mm-dd), on a pick the picked
    // day. pPicked: set to TRUE on a pick, never cleared. Both are borrowed
    // and must outlive the modal run. (x, y): the field's bottom-left corner
    // in screen coordinates. The popup's top-left corner goes there unless
    // that puts it over its monitor's right or bottom edge or out of the
    // monitor's work area (PlacePopup), and the monitor is the one that
    // holds the pixel just above (x, y), the field's.
    CKalenderPopupDlg(CString* pResult, BOOL* pPicked, int x, int y, CWnd* pParent = nullptr);
    // The field's rules: the calendar offers the days of their range
    // (MCM_SETRANGE; by default every day), on the end of a pair none before
    // the start, and the start text must lie inside. Under a day rule or a
    // pair it asks for day states (MCS_DAYSTATE) and shows the marked days
    // bold, and the days from the pair's start to its end, own being the
    // field's date. A day the rules refuse is not picked; with explain, a
    // tip at the calendar says why.
    void SetRules(const EntryRules& rules, bool explain, const CDateValue& own = {})
    {
        m_rules = rules;
        m_bExplain = explain;
        m_ownDate = own;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Sizes the popup to the calendar's minimum size at (x, y), pulled back
    // inside the field's monitor, limits the calendar to the
    // range and presets the selection.
    BOOL OnInitDialog() override;
    // OK, by Enter or Space: picks the calendar's highlighted day.
    void OnOK() override;
    // Cancel, by Escape, F4, Alt+Up or a move: the hiding that follows as
    // the popup closes is no longer a move, so the popup ends once.
    void OnCancel() override;

    const MessageMap* GetMessageMap() const override;

private:
    // MCN_GETDAYSTATE: under a day rule every request is answered with the
    // marked days of the months asked for. The first request presets the
    // selection from the start text; later ones leave it alone.
    LRESULT OnGetDayState(NMHDR* header);
    // MCN_SELECT: the day clicked is picked.
    LRESULT OnSelect(NMHDR* header);
    // WM_WINDOWPOSCHANGING: a visible popup that is moved, resized or
    // re-ordered closes with Cancel. Never passed on.
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);

    // The day into the result text and the picked flag, then close with OK;
    // a day the field's rules refuse stays unpicked, explained with explain.
    void Pick(const SYSTEMTIME& day);
    // The template's calendar replaced by one with MCS_DAYSTATE, which the
    // system takes only at creation: same id, place, style and font. The
    // template's stays when the new one cannot be made.
    void CreateDayStateCalendar();
    // m_dayStates filled for the months from first on: bit d-1 set for a
    // marked day d that the range holds, and for a day of the pair's span.
    void FillDayStates(const SYSTEMTIME& first, int months);
    // The day states of the months the calendar shows, set at once.
    void SetShownDayStates();
    // Some days may be bold: under a day rule or a pair.
    bool ShowsBoldDays() const { return m_rules.dayRule.IsSet() || m_rules.pair.IsSet(); }

    CPopupCalendar m_calendar;
    CString* m_pResult;
    BOOL* m_pPicked;
    BOOL m_bPresetPending = TRUE;
    int m_x;
    int m_y;
    BOOL m_bCancelOnMove = TRUE;
    EntryRules m_rules;
    bool m_bExplain = false;
    CDateValue m_ownDate;   // the field's date, one end of the pair's bold days
    std::vector<MONTHDAYSTATE> m_dayStates;   // the last answer, read by the calendar
};
