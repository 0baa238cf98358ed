// CommonDialogs.cpp: the common dialogs through comdlg32.dll, loaded on first use.
#include "platform/appservices/CommonDialogs.h"

namespace platform {
namespace {

// The entry point of comdlg32.dll with this name, typed as Function.
template <class Function>
Function* CommonDialogEntry(const char* name)
{
    static HMODULE library = ::LoadLibraryA("comdlg32.dll");
    if (library == nullptr)
        return nullptr;
    // FARPROC is the untyped entry; the library's own header gives its type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

} // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog)
{
    static auto* entry = CommonDialogEntry<BOOL WINAPI(OPENFILENAMEA*)>("GetOpenFileNameA");
    return entry != nullptr ? entry(dialog) : FALSE;
}

BOOL PrintDlgA(PRINTDLGA* dialog)
{
    static auto* entry = CommonDialogEntry<BOOL WINAPI(PRINTDLGA*)>("PrintDlgA");
    return entry != nullptr ? entry(dialog) : FALSE;
}

} // namespace platform
