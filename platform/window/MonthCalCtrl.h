// MonthCalCtrl.h: the month calendar control.
//
//   CMonthCalCtrl   a window object for a "SysMonthCal32" window
#pragma once

#include "platform/window/Wnd.h"

class CMonthCalCtrl : public CWnd {
public:
    // Resizes the calendar in place to the smallest size that shows one
    // whole month (MCM_GETMINREQRECT), repainting it when asked.
    BOOL SizeMinReq(BOOL repaint = TRUE);
};
