// ControlClasses.cpp: registration of the control classes and the first
// message of each new control window.
#include "controls/ControlClasses.h"

#include "controls/DatumCtrl.h"
#include "controls/DatumEdit.h"
#include "controls/DatumProtocol.h"
#include "platform/window/Module.h"

#include <string>

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
    // Registered from corvanel.dll, the classes serve the dialogs of every
    // module of the process, as the system's common controls do.
    if (instance != ::GetModuleHandleA(nullptr))
        record.style |= CS_GLOBALCLASS;
    record.lpszClassName = superclass.name;
    return RegisterClassA(&record) != 0 ? TRUE : FALSE;
}

// The date controls keep two ids for windows of their own: every popup
// button is a sibling of its field with IDC_POPUPBUTTON, and the calendar has
// IDC_CALENDAR. A field given one of them is confused with those windows
// (GetDlgItem finds the button, the field's own button is not made), so its
// creation says so once in the debugger's output.
void ReportReservedId(HWND hWnd, const char* className)
{
    const int id = GetDlgCtrlID(hWnd);
    if (id != IDC_POPUPBUTTON && id != IDC_CALENDAR)
        return;
    const std::string line = std::string("Corvanel: a \"") + className + "\" control has the id " +
                             std::to_string(id) + ", which the date controls keep for " +
                             (id == IDC_POPUPBUTTON ? "every calendar button" : "the calendar") +
                             " (1001 and 1002 are reserved); give the field another id.\n";
    OutputDebugStringA(line.c_str());
}

// The window's first message. The new control object owns itself from here
// on: its PostNcDestroy deletes it after the window's last message.
template <class T>
LRESULT AdoptNewControl(const EditSuperclass& superclass, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ReportReservedId(hWnd, superclass.name);
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

void UnregisterDatumClasses()
{
    for (const EditSuperclass* superclass : {&g_datumEdit, &g_datumCtrl})
        UnregisterClassA(superclass->name, AfxGetInstanceHandle());
}

LRESULT CALLBACK DatumCtrlClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AdoptNewControl<CDatumCtrl>(g_datumCtrl, hWnd, message, wParam, lParam);
}
