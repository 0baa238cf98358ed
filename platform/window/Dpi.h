// Dpi.h: the dots per inch that a window is drawn at.
//
//   platform::DpiForWindow   GetDpiForWindow where the system has it, else
//                            the screen's LOGPIXELSX
#pragma once

#include "platform/window/Win32.h"

namespace platform {

// The default of every system, at which a dialog's pixels are the rules' own.
constexpr UINT kDefaultDpi = 96;

// The window's DPI: its monitor's for a per-monitor-aware program, the
// system's otherwise. user32's GetDpiForWindow is looked up at the first
// call, so that systems without it still run the program.
UINT DpiForWindow(HWND window);

} // namespace platform
