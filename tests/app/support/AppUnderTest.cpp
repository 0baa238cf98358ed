// AppUnderTest.cpp: finding and running Corvanel.exe from a test.
#include "tests/app/support/AppUnderTest.h"

#include <cstdlib>

namespace test {

std::string CorvanelExePath()
{
    if (const char* given = std::getenv("CORVANEL_EXE"); given && *given) {
        std::string path = given;
        if (path[0] == '/') {  // a Unix path from the build: Wine's drive Z: is the root
            for (char& c : path)
                c = c == '/' ? '\\' : c;
            path = "Z:" + path;
        }
        return path;
    }
    // tests\app\<test>.exe -> app\Corvanel.exe in the same build folder.
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    path.erase(path.find_last_of("\\/") + 1);
    return path + "..\\..\\app\\Corvanel.exe";
}

AppProcess::AppProcess(const std::string& arguments)
{
    const std::string exe = CorvanelExePath();
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &info)) {
        ::CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_processId = info.dwProcessId;
    }
}

AppProcess::~AppProcess()
{
    if (!m_process)
        return;
    if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process, 99);
        ::WaitForSingleObject(m_process, 5000);
    }
    ::CloseHandle(m_process);
}

namespace {
struct Search {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK Check(HWND window, LPARAM lParam)
{
    auto* search = win32::FromLParam<Search>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !::IsWindowVisible(window))
        return TRUE;
    if (search->className && ClassOf(window) != search->className)
        return TRUE;
    if (search->title && WindowText(window) != search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

HWND AppProcess::FindWindow(const char* className) const
{
    Search search{m_processId, className, nullptr, nullptr};
    ::EnumWindows(&Check, win32::ToLParam(&search));
    return search.found;
}

HWND AppProcess::WaitForWindow(const char* className, const char* title, DWORD milliseconds) const
{
    for (DWORD waited = 0; m_process; waited += 50) {
        Search search{m_processId, className, title, nullptr};
        ::EnumWindows(&Check, win32::ToLParam(&search));
        if (search.found)
            return search.found;
        if (waited >= milliseconds || ::WaitForSingleObject(m_process, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

int AppProcess::WaitForExit(DWORD milliseconds)
{
    if (!m_process || ::WaitForSingleObject(m_process, milliseconds) != WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    ::GetExitCodeProcess(m_process, &status);
    return static_cast<int>(status);
}


std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

} // namespace test
