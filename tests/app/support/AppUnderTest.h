// AppUnderTest.h: where the tests find the built Corvanel.exe, and running it
// as a child process.
//
//   CorvanelExePath   the program's path: CORVANEL_EXE, else beside the test's build folder
//   AppProcess        Corvanel.exe started with arguments; its windows, its exit status
#pragma once

#include "platform/window/Win32.h"
#include "tests/win32/support/WindowText.h"

#include <string>

namespace test {

std::string CorvanelExePath();

class AppProcess {
public:
    // Starts Corvanel.exe with these arguments (after the program name).
    explicit AppProcess(const std::string& arguments = "");
    // Ends the program if it still runs.
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    // A visible top-level window of the program with this class and title,
    // waited for up to the timeout; null when none came.
    HWND WaitForWindow(const char* className, const char* title, DWORD milliseconds = 30000) const;
    // Any visible top-level window of the program with this class, or null.
    HWND FindWindow(const char* className) const;
    // Waits for the end of the program; its exit status, or -1 on a timeout.
    int WaitForExit(DWORD milliseconds = 30000);
    DWORD ThreadOf(HWND window) const { return ::GetWindowThreadProcessId(window, nullptr); }

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

std::string ClassOf(HWND window);
// The control that has the focus in the thread of this window, or null.
HWND FocusOf(HWND window);

} // namespace test
