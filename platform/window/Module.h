// Module.h: process-wide state of the framework.
//
//   AfxGetInstanceHandle / AfxSetInstanceHandle   the module whose resources and classes we use
//   AfxGetModuleName, AfxGetAppTitle              the executable's name, the application's title
//   AfxGetMainWnd / AfxSetMainWnd                 the application's main window, if any
#pragma once

#include "platform/core/String.h"
#include "platform/window/Win32.h"

class CWnd;

// The executable's module unless the application set another.
HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE instance);

// The executable's file name without folder and extension ("Corvanel").
CString AfxGetModuleName();
// The application's title: string resource 57344 (IDS_APP_TITLE) of the
// module, or the executable's file name when the module has no such string.
CString AfxGetAppTitle();

// Null until the application sets its main window.
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* window);
