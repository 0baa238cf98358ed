// CommonDialogs.cpp: the common dialogs through comdlg32.dll, loaded on first use.
#include "platform/appservices/CommonDialogs.h"

namespace platform {

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog)
{
    static auto* entry = win32::LibraryEntry<BOOL WINAPI(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
    return entry != nullptr ? entry(dialog) : FALSE;
}

BOOL PrintDlgA(PRINTDLGA* dialog)
{
    static auto* entry = win32::LibraryEntry<BOOL WINAPI(PRINTDLGA*)>("comdlg32.dll", "PrintDlgA");
    return entry != nullptr ? entry(dialog) : FALSE;
}

} // namespace platform
