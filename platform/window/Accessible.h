// Accessible.h: what a window tells screen readers when the system's
// standard answer needs a different role, name or description.
//
//   StdAccessibleAnswers       the answers that replace the standard ones
//   LresultFromStdAccessible   WM_GETOBJECT's answer for a window's client
//                              object: the system's standard accessible
//                              object, some of its answers replaced
//
// oleacc.dll and oleaut32.dll are loaded when an accessibility client first
// asks: a program that no client reads does not pay for them at start-up. A
// load that fails is tried again at the next request.
#pragma once

#include "platform/window/Win32.h"

namespace platform {

// What the window itself (CHILDID_SELF) answers instead of the standard
// object; 0 or null leaves that answer to the standard object. The
// description is read from the window at each request, so that a client
// who keeps the object reads a description that comes and goes as it is
// now; a null or empty text there leaves it to the standard object.
struct StdAccessibleAnswers {
    LONG role = 0;
    LPCWSTR name = nullptr;
    LPCWSTR (*description)(HWND window) = nullptr;
};

// The window's standard client object (CreateStdAccessibleObject), wrapped
// so that get_accRole, get_accName and get_accDescription of the window
// itself give the answers set while every other call goes to the standard
// object, and handed out for WM_GETOBJECT's flags (LresultFromObject). 0
// when the system cannot make the object: the window then leaves
// WM_GETOBJECT to its default processing.
LRESULT LresultFromStdAccessible(HWND window, WPARAM flags, const StdAccessibleAnswers& answers);
inline LRESULT LresultFromStdAccessible(HWND window, WPARAM flags, LONG role, LPCWSTR name)
{
    return LresultFromStdAccessible(window, flags, {.role = role, .name = name});
}

} // namespace platform
