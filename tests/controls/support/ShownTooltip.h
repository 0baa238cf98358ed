// ShownTooltip.h: the tooltip a refusal shows, read as a screen reader
// finds it.
//
//   ShownTooltip       the shown tooltip window of this thread
//   ShownTooltipText   the text of its tool
#pragma once

#include "platform/core/String.h"

#include <windows.h>

namespace test {

// The shown tooltip window of this thread, or null.
HWND ShownTooltip();
// The text of the shown tooltip window of this thread; empty when none shows.
CString ShownTooltipText();

} // namespace test
