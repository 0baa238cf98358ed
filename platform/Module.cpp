// Module.cpp: process-wide state of the framework.
#include "platform/Module.h"

namespace {
HINSTANCE g_instance = nullptr;
CWnd* g_mainWindow = nullptr;
} // namespace

HINSTANCE AfxGetInstanceHandle()
{
    if (!g_instance)
        g_instance = ::GetModuleHandleA(nullptr);
    return g_instance;
}

void AfxSetInstanceHandle(HINSTANCE instance) { g_instance = instance; }

CWnd* AfxGetMainWnd() { return g_mainWindow; }

void AfxSetMainWnd(CWnd* window) { g_mainWindow = window; }
