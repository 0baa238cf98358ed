// ControlClasses.cpp: registration of the control classes and the first
// message of each new control window.
#include "controls/ControlClasses.h"

#include "controls/DatumCtrl.h"
#include "controls/DatumEdit.h"
#include "platform/window/Module.h"

namespace {

// One superclass of "edit": its name, its class procedure, and the "edit"
// procedure saved when it was registered.
struct EditSuperclass {
    const char* name;
    WNDPROC classProc;
    WNDPROC savedEditProc;
};

EditSuperclass g_datumEdit{"DatumEdit", &DatumEditClassProc, nullptr};
EditSuperclass g_datumCtrl{"DatumCtrl", &DatumCtrlClassProc, nullptr};

BOOL RegisterEditSuperclass(EditSuperclass& superclass)
{
    const HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSA record{};
    if (GetClassInfoA(instance, superclass.name, &record))
        return record.lpfnWndProc == superclass.classProc ? TRUE : FALSE;

    GetClassInfoA(nullptr, "edit", &record);
    superclass.savedEditProc = record.lpfnWndProc;
    record.lpfnWndProc = superclass.classProc;
    record.hInstance = instance;
    record.lpszClassName = superclass.name;
    return RegisterClassA(&record) != 0 ? TRUE : FALSE;
}

// The window's first message. The new control object owns itself from here
// on: its PostNcDestroy deletes it after the window's last message.
template <class T>
LRESULT AdoptNewControl(const EditSuperclass& superclass, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    T* control = new T;
    control->Attach(hWnd);
    control->SetSuperWndProc(superclass.savedEditProc);
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return CallWindowProcA(AfxGetAfxWndProc(), hWnd, message, wParam, lParam);
}

} // namespace

BOOL RegisterDatumEditClass() { return RegisterEditSuperclass(g_datumEdit); }

LRESULT CALLBACK DatumEditClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AdoptNewControl<CDatumEdit>(g_datumEdit, hWnd, message, wParam, lParam);
}

BOOL RegisterDatumCtrlClass() { return RegisterEditSuperclass(g_datumCtrl); }

LRESULT CALLBACK DatumCtrlClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AdoptNewControl<CDatumCtrl>(g_datumCtrl, hWnd, message, wParam, lParam);
}
