// Pump.h: the one message pump of the window tests.
//
//   PumpMessages   dispatches this thread's queued messages until the queue
//                  is empty, each first through the dialog's keyboard
//                  handling (IsDialogMessage) when a dialog is given
#pragma once

#include <windows.h>

namespace test {

// The dialog's keyboard handling applies while it is a window, through the W
// functions for a Unicode dialog. False when the queue did not run dry within
// limit messages (a negative limit: no limit).
bool PumpMessages(HWND dialog = nullptr, int limit = -1);

} // namespace test
