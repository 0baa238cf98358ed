// Module.cpp: process-wide state of the framework.
#include "platform/window/Module.h"

#include "platform/window/CommandIds.h"

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

CString AfxGetModuleName()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
    const CString name(path);
    int start = 0;
    int end = name.GetLength();
    for (int i = 0; i < name.GetLength(); ++i) {
        if (name.GetAt(i) == '\\' || name.GetAt(i) == '/')
            start = i + 1;
        else if (name.GetAt(i) == '.')
            end = i;
    }
    return end > start ? name.Mid(start, end - start) : name.Mid(start);
}

CString AfxGetAppTitle()
{
    char title[256] = {};
    if (::LoadStringA(AfxGetInstanceHandle(), IDS_APP_TITLE, title, static_cast<int>(sizeof title)) > 0)
        return CString(title);
    return AfxGetModuleName();
}

CWnd* AfxGetMainWnd() { return g_mainWindow; }

void AfxSetMainWnd(CWnd* window) { g_mainWindow = window; }
