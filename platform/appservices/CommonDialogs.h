// CommonDialogs.h: the system's common dialogs (open file, print), reached
// through the common-dialog library loaded on first use. Only printing and
// opening files need it, and loading it at start-up is a noticeable part of
// the program's start under Wine.
#pragma once

#include "platform/window/Win32.h"

#include <commdlg.h>

namespace platform {

// As GetOpenFileNameA and PrintDlgA; FALSE when the library cannot be loaded.
BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);
BOOL PrintDlgA(PRINTDLGA* dialog);

} // namespace platform
