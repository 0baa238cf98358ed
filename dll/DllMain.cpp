// DllMain.cpp: corvanel.dll's entry point. The controls inside the DLL load
// their resources (the calendar popup's template, the button faces) from
// the DLL's own module and register their classes for the whole process.
#include "controls/ControlClasses.h"
#include "platform/window/Module.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        AfxSetInstanceHandle(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // FreeLibrary, not the process's end: the next load registers anew.
        UnregisterDatumClasses();
    }
    return TRUE;
}
