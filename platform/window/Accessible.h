// Accessible.h: what a window tells screen readers when the system's
// standard answer needs a different role and name.
//
//   LresultFromStdAccessible   WM_GETOBJECT's answer for a window's client
//                              object: the system's standard accessible
//                              object, its role and name replaced
//
// oleacc.dll and oleaut32.dll are loaded when an accessibility client first
// asks: a program that no client reads does not pay for them at start-up.
#pragma once

#include "platform/window/Win32.h"

namespace platform {

// The window's standard client object (CreateStdAccessibleObject), wrapped
// so that get_accRole and get_accName of the window itself (CHILDID_SELF)
// answer role and name while every other call goes to the standard object,
// and handed out for WM_GETOBJECT's flags (LresultFromObject). 0 when the
// system cannot make the object: the window then leaves WM_GETOBJECT to its
// default processing.
LRESULT LresultFromStdAccessible(HWND window, WPARAM flags, LONG role, LPCWSTR name);

} // namespace platform
