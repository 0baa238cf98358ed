// KalenderPopupDlg.cpp: placement, preset, pick and close-on-move of the calendar popup.
#include "controls/KalenderPopupDlg.h"

#include "controls/ControlResources.h"
#include "controls/DatumProtocol.h"
#include "platform/DataExchange.h"

#include <cstdlib>

ScreenLimits ScreenLimits::FromSystem()
{
    return {::GetSystemMetrics(SM_CXMAXIMIZED), ::GetSystemMetrics(SM_CYMAXIMIZED),
            ::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER)};
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
    CDialog::OnInitDialog();

    WINDOWPLACEMENT placement{};
    GetWindowPlacement(&placement);
    m_calendar.SizeMinReq(TRUE);
    WINDOWPLACEMENT calendar{};
    m_calendar.GetWindowPlacement(&calendar);
    const LONG width = calendar.rcNormalPosition.right - calendar.rcNormalPosition.left;
    const LONG height = calendar.rcNormalPosition.bottom - calendar.rcNormalPosition.top;

    // The popup's outer rectangle is exactly the calendar's size. The
    // placement is applied while the popup is still invisible, so it does
    // not count as a move.
    placement.rcNormalPosition =
        PullBackOnScreen(RECT{m_x, m_y, m_x + width, m_y + height}, ScreenLimits::FromSystem());
    SetWindowPlacement(&placement);

    // The calendar of template 101 has no MCS_DAYSTATE, so it never asks
    // for day states: raise the first request here, so that the start text
    // presets the selection once.
    OnGetDayState(nullptr);
    return TRUE;
}

// Takes year, month and day from the fixed positions of yyyy-mm-dd. Another
// form gives a wrong or impossible date, which the calendar refuses,
// keeping its own selection.
LRESULT CKalenderPopupDlg::OnGetDayState(NMHDR*)
{
    if (!m_bPresetPending)
        return 0;
    m_bPresetPending = FALSE;

    SYSTEMTIME selection{};
    selection.wYear = static_cast<WORD>(std::atoi(m_pResult->Mid(0, 4).GetString()));
    selection.wMonth = static_cast<WORD>(std::atoi(m_pResult->Mid(5, 2).GetString()));
    selection.wDay = static_cast<WORD>(std::atoi(m_pResult->Mid(8, 2).GetString()));
    m_calendar.SendMessage(MCM_SETCURSEL, 0, win32::ToLParam(&selection));
    return 0;
}

LRESULT CKalenderPopupDlg::OnSelect(NMHDR* header)
{
    const auto* select = reinterpret_cast<const NMSELCHANGE*>(header);
    const SYSTEMTIME& day = select->stSelStart;
    m_pResult->Format("%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    *m_pPicked = TRUE;
    // From here on position changes, among them the hiding of the popup as
    // it closes, no longer cancel it.
    m_bCancelOnMove = FALSE;
    OnOK();
    return 0;
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
