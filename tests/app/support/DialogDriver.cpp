// DialogDriver.cpp: acting on a modal dialog from inside its own message loop.
#include "tests/app/support/DialogDriver.h"

#include <utility>

namespace test {
namespace {
DialogDriver* g_driver = nullptr;  // one at a time, on the test's thread
}

DialogDriver::DialogDriver(const char* title, std::function<void(HWND)> action)
    : m_title(title), m_action(std::move(action)), m_started(::GetTickCount())
{
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, 50, &DialogDriver::OnTimer);
}

DialogDriver::~DialogDriver()
{
    ::KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK DialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    DialogDriver* driver = g_driver;
    if (!driver)
        return;
    HWND dialog = ::FindWindowA("#32770", driver->m_title);
    const bool ours = dialog && ::GetWindowThreadProcessId(dialog, nullptr) == ::GetCurrentThreadId() &&
                      ::IsWindowVisible(dialog);
    if (ours && !driver->m_ran) {
        driver->m_ran = true;
        driver->m_action(dialog);
    } else if (ours && ::GetTickCount() - driver->m_started > 10000) {
        driver->m_timedOut = true;
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void TypeChars(HWND window, const char* text)
{
    for (const char* c = text; *c; ++c)
        ::SendMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

} // namespace test
