// PopupDriver.h: drives the calendar popup from inside its own modal loop.
//
//   PopupDriver   waits on a thread timer until a calendar popup of this
//                 thread is shown, then runs the test's script in the
//                 popup's loop; a watchdog cancels a popup that is still
//                 open when the time is up, so that no test can hang
//   CalendarDayPoint   the screen point at the middle of a day of a calendar
//   ClickAt, PressKey  real input, through SendInput (a key alone or with a
//                      modifier held)
//
// Real input goes to the foreground window. The host dialog is made
// foreground when it opens, and the popup becomes foreground as it is
// shown; activating the popup once more would re-order it, which closes it.
//
//   PopupDriver driver([](CKalenderPopupDlg& popup) { PressKey(VK_ESCAPE); });
//   ::SendMessageA(control, DCM_OPENPOPUP, 0, 0);   // the popup runs in here
//   EXPECT_TRUE(driver.scriptRan);
#pragma once

#include "controls/KalenderPopupDlg.h"

#include <functional>

namespace test {

class PopupDriver {
public:
    using Script = std::function<void(CKalenderPopupDlg& popup)>;

    // The script runs once a popup has been visible for settleMs; the
    // watchdog fires limitMs after construction.
    explicit PopupDriver(Script script, DWORD settleMs = 100, DWORD limitMs = 5000);
    ~PopupDriver();
    PopupDriver(const PopupDriver&) = delete;
    PopupDriver& operator=(const PopupDriver&) = delete;

    int popupsSeen = 0;       // popups that were shown while the driver lived
    bool scriptRan = false;
    bool timedOut = false;    // the watchdog cancelled a popup
    RECT shownRect{};         // the popup's window rectangle when it was first seen
    HWND ownerWhileShown = nullptr;
    BOOL ownerEnabledWhileShown = TRUE;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    Script m_script;
    DWORD m_settle;
    DWORD m_limit;
    DWORD m_start;
    DWORD m_seenAt = 0;
    HWND m_popup = nullptr;
    UINT_PTR m_timer = 0;
};

// The calendar's day as the middle of the area where MCM_HITTEST finds it,
// in screen coordinates; false when the calendar does not show that day.
bool CalendarDayPoint(HWND calendar, WORD year, WORD month, WORD day, POINT* point);

// A left click at the screen point, as the mouse would make it.
void ClickAt(POINT point);
// The middle of the window, in screen coordinates.
POINT CentreOf(HWND window);
// One key pressed and released, as the keyboard would make it, with the
// modifier (VK_MENU, VK_SHIFT, ...) held around it when one is given. A
// modifier held on after the key repeats as a held key does, that many
// times, before it is let go.
void PressKey(WORD virtualKey, WORD modifier = 0, int modifierRepeats = 0);

// Whether a menu loop started on this thread while the watch lived. The
// loop is ended as soon as it is seen, so that a test fails instead of
// waiting in it for keys that never come.
class MenuModeWatch {
public:
    MenuModeWatch();
    ~MenuModeWatch();
    MenuModeWatch(const MenuModeWatch&) = delete;
    MenuModeWatch& operator=(const MenuModeWatch&) = delete;
    bool Entered() const;

private:
    HHOOK m_hook;
    UINT_PTR m_wakeTimer;   // a menu loop sees messages only when some arrive
};

} // namespace test
