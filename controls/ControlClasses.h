// ControlClasses.h: the window classes through which dialog templates place
// the date controls by name.
//
//   RegisterDatumEditClass, DatumEditClassProc   "DatumEdit" -> CDatumEdit
//   RegisterDatumCtrlClass, DatumCtrlClassProc   "DatumCtrl" -> CDatumCtrl
//   UnregisterDatumClasses                       both, as a DLL unloads
//
// Both classes are superclasses of the system "edit" class: all of its class
// data, but their own procedure, which runs for a window's first message
// only. It creates the control object, attaches the window to it and hands
// the window over to the framework's procedure, with the saved "edit"
// procedure as the object's default processing.
#pragma once

#include "platform/window/Win32.h"

// TRUE when the class is registered now with its own procedure; FALSE when
// registration failed or a class of that name has another procedure.
BOOL RegisterDatumEditClass();
LRESULT CALLBACK DatumEditClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL RegisterDatumCtrlClass();
LRESULT CALLBACK DatumCtrlClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Removes both classes, so that a DLL loaded again registers them anew
// rather than finding classes whose procedures were unloaded.
void UnregisterDatumClasses();
