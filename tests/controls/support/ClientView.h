// ClientView.h: what a user and an accessibility client see of this thread's windows.
//
//   ShownTooltip, ShownTooltipText, ShownTooltipTextW, TooltipCount   the tooltip windows
//   TopLevelWindowCount   every top-level window of the thread, shown or not
//   PopupButtonOf  the calendar button of a date control, as the tab order has it
//   ClientObjectOf, TakeText, DescriptionOf, DescriptionOfW   a window's
//                         client object as oleacc hands it to a client, and its texts
#pragma once

#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <oleacc.h>

#include <string>

namespace test {

// The shown tooltip window of this thread, or null.
HWND ShownTooltip();
// The text of the shown tooltip window of this thread; empty when none shows.
CString ShownTooltipText();
std::wstring ShownTooltipTextW();
// Tooltip windows of this thread, shown or not.
int TooltipCount();
int TopLevelWindowCount();
// The window right after the date control in its parent's tab order, where
// the control puts its button; null when that is no popup button.
HWND PopupButtonOf(HWND field);

// The client object of a window, as a client takes it and may keep it; null
// when it got none. The caller releases it.
IAccessible* ClientObjectOf(HWND window);
// The text, freed.
CString TakeText(BSTR text);
// The description of the window's client object now; empty when it has none.
CString DescriptionOf(HWND window);
std::wstring DescriptionOfW(HWND window);

} // namespace test
