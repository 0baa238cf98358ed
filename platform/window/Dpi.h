// Dpi.h: the dots per inch that a window is drawn at.
//
//   platform::DpiForWindow   GetDpiForWindow where the system has it, else
//                            the screen's LOGPIXELSX
#pragma once

#include "platform/window/Win32.h"

namespace platform {

// The default of every system, at which a dialog's pixels are the rules' own.
constexpr UINT kDefaultDpi = 96;

// The window's DPI as GetDpiForWindow gives it: its monitor's for a
// per-monitor-aware window, the DPI the session started with for a
// system-aware one, 96 for one that is not aware of DPI at all. Where
// user32 has no GetDpiForWindow (it is looked up at the first call, so that
// such systems still run the program), or it answers 0, the screen's
// LOGPIXELSX; 96 when even that is missing.
UINT DpiForWindow(HWND window);

} // namespace platform
