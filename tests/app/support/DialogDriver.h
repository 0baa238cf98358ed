// DialogDriver.h: acts on a modal dialog from inside its own message loop.
//
//   DialogDriver   once a visible dialog with the given title exists on this
//                  thread, runs the test's action on it (from a thread timer,
//                  which the dialog's loop dispatches); a dialog still open
//                  after 10 seconds is cancelled
#pragma once

#include "platform/window/Win32.h"

#include <functional>

namespace test {

class DialogDriver {
public:
    DialogDriver(const char* title, std::function<void(HWND dialog)> action);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    bool Ran() const { return m_ran; }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    const char* m_title;
    std::function<void(HWND)> m_action;
    UINT_PTR m_timer = 0;
    DWORD m_started = 0;
    bool m_ran = false;
    bool m_timedOut = false;
};

// Types each character into the window as WM_CHAR, as the keyboard would.
void TypeChars(HWND window, const char* text);

} // namespace test
