// WindowText.h: a window's whole text, as every test reads it.
//
//   WindowText   WM_GETTEXTLENGTH, then WM_GETTEXT: the text of a window of
//                this process or of another one (the system copies it across)
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace test {

inline std::string WindowText(HWND window)
{
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace test
