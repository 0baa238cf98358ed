// MonthCalCtrl.cpp: the month calendar control.
#include "platform/window/MonthCalCtrl.h"

BOOL CMonthCalCtrl::SizeMinReq(BOOL repaint)
{
    RECT minimum = {};
    if (!SendMessage(MCM_GETMINREQRECT, 0, win32::ToLParam(&minimum)))
        return FALSE;
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW));
    return ::SetWindowPos(m_hWnd, nullptr, 0, 0, minimum.right - minimum.left, minimum.bottom - minimum.top, flags);
}
