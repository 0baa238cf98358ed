// Dpi.cpp: the dots per inch that a window is drawn at.
#include "platform/window/Dpi.h"

namespace platform {

UINT DpiForWindow(HWND window)
{
    static auto* forWindow = win32::LibraryEntry<UINT WINAPI(HWND)>("user32.dll", "GetDpiForWindow");
    if (forWindow != nullptr) {
        if (const UINT dpi = forWindow(window))
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

} // namespace platform
