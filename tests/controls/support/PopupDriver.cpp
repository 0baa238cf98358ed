// PopupDriver.cpp: scripts inside the calendar popup's modal loop, and real input.
#include "tests/controls/support/PopupDriver.h"

#include "controls/DatumProtocol.h"

#include <vector>

namespace test {
namespace {

constexpr UINT kTickMs = 20;

PopupDriver* g_driver = nullptr;   // one driver at a time: the thread timer finds it here

BOOL CALLBACK KeepShownPopup(HWND hWnd, LPARAM result)
{
    auto* popup = dynamic_cast<CKalenderPopupDlg*>(CWnd::FromHandlePermanent(hWnd));
    if (popup == nullptr || !::IsWindowVisible(hWnd))
        return TRUE;
    *win32::FromLParam<CKalenderPopupDlg*>(result) = popup;
    return FALSE;
}

// The shown calendar popup of this thread, if any.
CKalenderPopupDlg* FindPopup()
{
    CKalenderPopupDlg* found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &KeepShownPopup, win32::ToLParam(&found));
    return found;
}

} // namespace

PopupDriver::PopupDriver(Script script, DWORD settleMs, DWORD limitMs)
    : m_script(std::move(script)), m_settle(settleMs), m_limit(limitMs), m_start(::GetTickCount())
{
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, kTickMs, &PopupDriver::OnTimer);
}

PopupDriver::~PopupDriver()
{
    ::KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK PopupDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver != nullptr)
        g_driver->Tick();
}

void PopupDriver::Tick()
{
    CKalenderPopupDlg* popup = FindPopup();
    if (popup == nullptr)
        return;
    const DWORD now = ::GetTickCount();
    if (popup->m_hWnd != m_popup) {
        m_popup = popup->m_hWnd;
        m_seenAt = now;
        ++popupsSeen;
        popup->GetWindowRect(&shownRect);
        ownerWhileShown = ::GetWindow(m_popup, GW_OWNER);
        ownerEnabledWhileShown = ownerWhileShown != nullptr && ::IsWindowEnabled(ownerWhileShown);
    }
    if (now - m_start >= m_limit) {
        timedOut = true;
        popup->SendMessage(WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (!scriptRan && now - m_seenAt >= m_settle) {
        scriptRan = true;
        if (m_script)
            m_script(*popup);
    }
}

bool CalendarDayPoint(HWND calendar, WORD year, WORD month, WORD day, POINT* point)
{
    RECT client{};
    ::GetClientRect(calendar, &client);
    long sumX = 0;
    long sumY = 0;
    long count = 0;
    for (LONG y = client.top; y < client.bottom; y += 2) {
        // Messages sent from other threads are answered row by row, so that a
        // watchdog thread keeps hearing from this one during the scan.
        MSG pending;
        ::PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        for (LONG x = client.left; x < client.right; x += 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof hit;
            hit.pt = {x, y};
            ::SendMessageA(calendar, MCM_HITTEST, 0, win32::ToLParam(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wYear == year && hit.st.wMonth == month &&
                hit.st.wDay == day) {
                sumX += x;
                sumY += y;
                ++count;
            }
        }
    }
    if (count == 0)
        return false;
    *point = {sumX / count, sumY / count};
    ::ClientToScreen(calendar, point);
    return true;
}

void ClickAt(POINT point)
{
    ::SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, static_cast<int>(sizeof(INPUT)));
}

POINT CentreOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PressKey(WORD virtualKey, WORD modifier, int modifierRepeats)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (modifier != 0)
        add(modifier, 0);
    add(virtualKey, 0);
    add(virtualKey, KEYEVENTF_KEYUP);
    if (modifier != 0) {
        for (int i = 0; i < modifierRepeats; ++i)
            add(modifier, 0);
        add(modifier, KEYEVENTF_KEYUP);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
}

namespace {
bool g_menuEntered = false;

LRESULT CALLBACK OnMessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU) {
        g_menuEntered = true;
        ::EndMenu();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK OnWake(HWND, UINT, UINT_PTR, DWORD) {}
} // namespace

MenuModeWatch::MenuModeWatch()
    : m_hook(::SetWindowsHookExA(WH_MSGFILTER, &OnMessageFilter, nullptr, ::GetCurrentThreadId())),
      m_wakeTimer(::SetTimer(nullptr, 0, 50, &OnWake))
{
    g_menuEntered = false;
}

MenuModeWatch::~MenuModeWatch()
{
    ::KillTimer(nullptr, m_wakeTimer);
    ::UnhookWindowsHookEx(m_hook);
}

bool MenuModeWatch::Entered() const { return g_menuEntered; }

} // namespace test
