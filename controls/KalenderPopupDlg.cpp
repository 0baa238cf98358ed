// KalenderPopupDlg.cpp: placement, preset, pick, keys and close-on-move of the calendar popup.
#include "controls/KalenderPopupDlg.h"

#include "controls/ControlResources.h"
#include "controls/DatumProtocol.h"
#include "datevalues/DateValue.h"
#include "platform/window/DataExchange.h"
#include "textrules/DateSteps.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

SYSTEMTIME DayOf(const CDateValue& date)
{
    SYSTEMTIME day{};
    day.wYear = date.year;
    day.wMonth = date.month;
    day.wDay = date.day;
    return day;
}

CDateValue DateOf(const SYSTEMTIME& day)
{
    CDateValue date;
    date.year = day.wYear;
    date.month = static_cast<std::uint8_t>(day.wMonth);
    date.day = static_cast<std::uint8_t>(day.wDay);
    return date;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

// How far a span from low to high moves to lie between first and last:
// back over the far end first, then on over the near one.
LONG ShiftInto(LONG low, LONG high, LONG first, LONG last)
{
    const LONG back = high > last ? last - high : 0;
    return low + back < first ? first - low : back;
}

} // namespace

ScreenLimits ScreenLimits::FromSystem()
{
    ScreenLimits limits{::GetSystemMetrics(SM_CXMAXIMIZED), ::GetSystemMetrics(SM_CYMAXIMIZED),
                        ::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER)};
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &limits.work, 0))
        limits.work = {};
    return limits;
}

ScreenLimits ScreenLimits::OnMonitor(const MONITORINFO& monitor, const ScreenLimits& primary)
{
    if ((monitor.dwFlags & MONITORINFOF_PRIMARY) != 0)
        return {primary.cxMaximized, primary.cyMaximized, primary.cxBorder, primary.cyBorder, monitor.rcWork};
    return {monitor.rcWork.right, monitor.rcWork.bottom, primary.cxBorder, primary.cyBorder, monitor.rcWork};
}

// An area off every monitor counts on the nearest one, as the system moves
// a window there.
ScreenLimits ScreenLimits::ForArea(const RECT& area)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor))
        return FromSystem();
    return OnMonitor(monitor, FromSystem());
}

RECT PullBackOnScreen(RECT rect, const ScreenLimits& limits)
{
    const LONG overflowY = rect.bottom - limits.cyMaximized + limits.cyBorder;
    if (overflowY > 0) {
        rect.top -= overflowY;
        rect.bottom -= overflowY;
    }
    const LONG overflowX = rect.right - limits.cxMaximized + limits.cxBorder;
    if (overflowX > 0) {
        rect.left -= overflowX;
        rect.right -= overflowX;
    }
    return rect;
}

RECT PlacePopup(RECT rect, const ScreenLimits& limits)
{
    rect = PullBackOnScreen(rect, limits);
    const RECT& work = limits.work;
    if (work.right <= work.left || work.bottom <= work.top)
        return rect;
    ::OffsetRect(&rect, ShiftInto(rect.left, rect.right, work.left, work.right),
                 ShiftInto(rect.top, rect.bottom, work.top, work.bottom));
    return rect;
}

SYSTEMTIME DayAfterKey(const SYSTEMTIME& day, WPARAM virtualKey)
{
    CDateValue date = DateOf(day);
    auto moveDays = [&](int days) { date.SetDayNumber(date.GetDayNumber() + days); };
    switch (virtualKey) {
    case VK_LEFT: moveDays(-1); break;
    case VK_RIGHT: moveDays(1); break;
    case VK_UP: moveDays(-7); break;
    case VK_DOWN: moveDays(7); break;
    case VK_PRIOR:
    case VK_NEXT:
        date = MonthsAfter(date, virtualKey == VK_NEXT ? 1 : -1).value_or(date);
        break;
    case VK_HOME: date.day = 1; break;
    case VK_END: date.day = static_cast<std::uint8_t>(date.DaysInMonth()); break;
    default: return day;
    }
    return DayOf(date);
}

const MessageMap* CPopupCalendar::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CPopupCalendar::OnKeyDown>(WM_KEYDOWN),
        OnMessage<&CPopupCalendar::OnSysKeyDown>(WM_SYSKEYDOWN),
    };
    static const MessageMap kMap{CMonthCalCtrl::GetMessageMap(), kEntries};
    return &kMap;
}

// The tip of a refused pick goes at the next key, click or focus change.
LRESULT CPopupCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_tip.HideAtInput(message);
    return CMonthCalCtrl::WindowProc(message, wParam, lParam);
}

// The dialog manager turns Enter and Escape into IDOK and IDCANCEL before
// the calendar sees them; Space and F4 reach the calendar, which has no use
// for them, so it turns them into the same commands. Some systems' month
// calendars ignore the navigation keys: when the key left the highlight
// where it was, the rule of DayAfterKey moves it.
LRESULT CPopupCalendar::OnKeyDown(WPARAM virtualKey, LPARAM)
{
    if (virtualKey == VK_SPACE || virtualKey == VK_F4) {
        GetParent()->SendMessage(WM_COMMAND, virtualKey == VK_SPACE ? IDOK : IDCANCEL, 0);
        return 0;
    }
    SYSTEMTIME before{};
    const bool selected = SendMessage(MCM_GETCURSEL, 0, win32::ToLParam(&before)) != 0;
    const LRESULT result = Default();
    SYSTEMTIME after{};
    SendMessage(MCM_GETCURSEL, 0, win32::ToLParam(&after));
    if (selected && SameDay(before, after)) {
        SYSTEMTIME moved = DayAfterKey(before, virtualKey);
        if (!SameDay(moved, before))
            SendMessage(MCM_SETCURSEL, 0, win32::ToLParam(&moved));
    }
    return result;
}

// The system's own handling still sees the key, so that letting go of Alt
// afterwards does not enter menu mode.
LRESULT CPopupCalendar::OnSysKeyDown(WPARAM virtualKey, LPARAM flags)
{
    const LRESULT result = Default();
    const bool altDown = (win32::HighWord(static_cast<ULONG_PTR>(flags)) & KF_ALTDOWN) != 0;
    if (virtualKey == VK_UP && altDown)
        GetParent()->SendMessage(WM_COMMAND, IDCANCEL, 0);
    return result;
}

CKalenderPopupDlg::CKalenderPopupDlg(CString* pResult, BOOL* pPicked, int x, int y, CWnd* pParent)
    : CDialog(IDD_KALENDERPOPUP, pParent), m_pResult(pResult), m_pPicked(pPicked), m_x(x), m_y(y) {}

const MessageMap* CKalenderPopupDlg::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnNotify<&CKalenderPopupDlg::OnGetDayState>(static_cast<UINT>(MCN_GETDAYSTATE), IDC_CALENDAR),
        OnNotify<&CKalenderPopupDlg::OnSelect>(static_cast<UINT>(MCN_SELECT), IDC_CALENDAR),
        OnMessage<&CKalenderPopupDlg::OnWindowPosChanging>(WM_WINDOWPOSCHANGING),
    };
    static const MessageMap kMap{CDialog::GetMessageMap(), kEntries};
    return &kMap;
}

void CKalenderPopupDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_CALENDAR, m_calendar); }

BOOL CKalenderPopupDlg::OnInitDialog()
{
    if (ShowsBoldDays())
        CreateDayStateCalendar();
    CDialog::OnInitDialog();

    WINDOWPLACEMENT placement{};
    GetWindowPlacement(&placement);
    m_calendar.SizeMinReq(TRUE);
    WINDOWPLACEMENT calendar{};
    m_calendar.GetWindowPlacement(&calendar);
    const LONG width = calendar.rcNormalPosition.right - calendar.rcNormalPosition.left;
    const LONG height = calendar.rcNormalPosition.bottom - calendar.rcNormalPosition.top;

    // The popup's outer rectangle is exactly the calendar's size, kept on
    // the monitor of the field: the one that holds the field's bottom-left
    // pixel, just above (x, y). The placement is applied
    // while the popup is still invisible, so it does not count as a move.
    const RECT fieldCorner{m_x, m_y - 1, m_x + 1, m_y};
    placement.rcNormalPosition =
        PlacePopup(RECT{m_x, m_y, m_x + width, m_y + height}, ScreenLimits::ForArea(fieldCorner));
    SetWindowPlacement(&placement);

    // Days outside the range are not offered: the calendar greys them and
    // moves neither its selection nor its highlight there.
    const DateRange offered = m_rules.pair.Offered(m_rules.range);
    SYSTEMTIME limits[2] = {DayOf(offered.earliest), DayOf(offered.latest)};
    const WPARAM sides = (offered.earliest != CDateValue() ? GDTR_MIN : 0u) |
                         (offered.latest != CDateValue() ? GDTR_MAX : 0u);
    if (sides != 0)
        m_calendar.SendMessage(MCM_SETRANGE, sides, win32::ToLParam(limits));

    // The calendar of template 101 has no MCS_DAYSTATE, so it never asks
    // for day states: raise the first request here, so that the start text
    // presets the selection once.
    OnGetDayState(nullptr);
    return TRUE;
}

void CKalenderPopupDlg::CreateDayStateCalendar()
{
    const HWND templated = ::GetDlgItem(m_hWnd, IDC_CALENDAR);
    if (templated == nullptr)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(templated, &placement);
    const RECT& place = placement.rcNormalPosition;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(templated, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(templated, GWL_EXSTYLE));
    const LRESULT font = ::SendMessageA(templated, WM_GETFONT, 0, 0);
    // The calendar asks for its first day states while it is created, before
    // the popup has attached it: that request is answered, the preset waits.
    const auto id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_CALENDAR));
    const HWND calendar = ::CreateWindowExA(exStyle, MONTHCAL_CLASSA, "", style | MCS_DAYSTATE, place.left, place.top,
                                            place.right - place.left, place.bottom - place.top, m_hWnd, id,
                                            ::GetModuleHandleA(nullptr), nullptr);
    // Without the new calendar the template's stays: no day is bold, and a
    // blocked day is still not picked.
    if (calendar == nullptr)
        return;
    ::DestroyWindow(templated);
    if (font != 0)
        ::SendMessageA(calendar, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
}

void CKalenderPopupDlg::FillDayStates(const SYSTEMTIME& first, int months)
{
    m_dayStates.assign(static_cast<std::size_t>(std::max(months, 0)), 0);
    CDateValue date = DateOf(first);
    for (MONTHDAYSTATE& state : m_dayStates) {
        const int days = date.DaysInMonth();
        for (int day = 1; day <= days; ++day) {
            date.day = static_cast<std::uint8_t>(day);
            if ((m_rules.range.Holds(date) && (m_rules.dayRule.StateOf(date) & DATUM_DAY_MARKED) != 0) ||
                m_rules.pair.Spans(m_ownDate, date))
                state |= MONTHDAYSTATE{1} << (day - 1);
        }
        const bool december = date.month == 12;
        date.year = static_cast<std::uint16_t>(date.year + (december ? 1 : 0));
        date.month = static_cast<std::uint8_t>(december ? 1 : date.month + 1);
    }
}

void CKalenderPopupDlg::SetShownDayStates()
{
    SYSTEMTIME shown[2] = {};
    const LRESULT months = m_calendar.SendMessage(MCM_GETMONTHRANGE, GMR_DAYSTATE, win32::ToLParam(shown));
    if (months <= 0)
        return;
    FillDayStates(shown[0], static_cast<int>(months));
    m_calendar.SendMessage(MCM_SETDAYSTATE, static_cast<WPARAM>(months), win32::ToLParam(m_dayStates.data()));
}

// The calendar reads the answer from prgDayState after the request, so the
// popup points it at its own buffer. The preset takes year, month and day
// from the fixed positions of yyyy-mm-dd. Another form gives a wrong or
// impossible date, which the calendar refuses, keeping its own selection.
// A preset that moves the calendar to other months is followed by their
// day states.
LRESULT CKalenderPopupDlg::OnGetDayState(NMHDR* header)
{
    if (header != nullptr && ShowsBoldDays()) {
        auto* request = reinterpret_cast<NMDAYSTATE*>(header);
        FillDayStates(request->stStart, request->cDayState);
        request->prgDayState = m_dayStates.data();
    }
    if (!m_bPresetPending || m_calendar.m_hWnd == nullptr)
        return 0;
    m_bPresetPending = FALSE;

    SYSTEMTIME selection{};
    selection.wYear = static_cast<WORD>(std::atoi(m_pResult->Mid(0, 4).GetString()));
    selection.wMonth = static_cast<WORD>(std::atoi(m_pResult->Mid(5, 2).GetString()));
    selection.wDay = static_cast<WORD>(std::atoi(m_pResult->Mid(8, 2).GetString()));
    m_calendar.SendMessage(MCM_SETCURSEL, 0, win32::ToLParam(&selection));
    if (ShowsBoldDays())
        SetShownDayStates();
    return 0;
}

LRESULT CKalenderPopupDlg::OnSelect(NMHDR* header)
{
    Pick(reinterpret_cast<const NMSELCHANGE*>(header)->stSelStart);
    return 0;
}

// The keys move the calendar's highlight without a pick; OK takes it. A
// calendar without a selection has nothing to pick: that closes unpicked.
void CKalenderPopupDlg::OnOK()
{
    SYSTEMTIME day{};
    if (m_calendar.SendMessage(MCM_GETCURSEL, 0, win32::ToLParam(&day)) == 0)
        OnCancel();
    else
        Pick(day);
}

void CKalenderPopupDlg::Pick(const SYSTEMTIME& day)
{
    const Judgement judgement = JudgeDate(m_rules, DateOf(day));
    if (judgement.refusal != DatumRefusal::None) {
        if (m_bExplain)
            m_calendar.Explain(RefusalSentence(m_rules, judgement));
        return;
    }
    m_pResult->Format("%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    *m_pPicked = TRUE;
    // From here on position changes, among them the hiding of the popup as
    // it closes, no longer cancel it.
    m_bCancelOnMove = FALSE;
    CDialog::OnOK();
}

void CKalenderPopupDlg::OnCancel()
{
    m_bCancelOnMove = FALSE;
    CDialog::OnCancel();
}

LRESULT CKalenderPopupDlg::OnWindowPosChanging(WPARAM, LPARAM)
{
    if (IsWindowVisible() && m_bCancelOnMove)
        OnCancel();
    return 0;
}
