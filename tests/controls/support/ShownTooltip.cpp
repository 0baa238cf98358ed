// ShownTooltip.cpp: finding the shown tooltip among the thread's windows.
#include "tests/controls/support/ShownTooltip.h"

#include "platform/window/Win32.h"

#include <commctrl.h>

namespace test {
namespace {

BOOL CALLBACK KeepShownTooltip(HWND window, LPARAM found)
{
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (!::IsWindowVisible(window) || ::lstrcmpiA(className, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    *win32::FromLParam<HWND>(found) = window;
    return FALSE;
}

} // namespace

HWND ShownTooltip()
{
    HWND tooltip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &KeepShownTooltip, win32::ToLParam(&tooltip));
    return tooltip;
}

CString ShownTooltipText()
{
    const HWND tooltip = ShownTooltip();
    if (tooltip == nullptr)
        return CString();
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    ::SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, win32::ToLParam(&tool));
    return CString(text);
}

} // namespace test
