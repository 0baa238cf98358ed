// Inspector.cpp: reads the running test dialog from outside its process, for
// the end-to-end tests and the run command. Runs under the same Wine prefix
// and display as Corvanel.exe. CORVANEL_DIALOG_TITLE names another dialog
// with a date field of id 1000 (the plain example's "Plain dialog").
//
//   corvanel_inspector state             key=value lines: the date field's text,
//                                        the focused control, the popup, the
//                                        shown tip's text and the rectangles
//                                        (screen coordinates)
//   corvanel_inspector day yyyy-mm-dd    "x y": the centre of that day in
//                                        the open calendar popup
//   corvanel_inspector wait-dialog [ms]  waits until the dialog is shown
//   corvanel_inspector items             "item_<id>=<text>" for each child of
//                                        the dialog (a message box's text too)
//
// Exit status 0 on success, 1 when the dialog (or the popup, or the day) is
// not there.
#include "platform/window/Win32.h"
#include "tests/win32/support/WindowText.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFieldId = 1000;
constexpr int kButtonId = 1001;
constexpr int kCalendarId = 1002;

HWND FindDialog()
{
    const char* title = std::getenv("CORVANEL_DIALOG_TITLE");
    HWND dialog = ::FindWindowA("#32770", title != nullptr && *title != '\0' ? title : "About Corvanel");
    return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

void PrintRect(const char* key, HWND window)
{
    RECT rect{};
    if (window && ::GetWindowRect(window, &rect))
        std::printf("%s=%ld,%ld,%ld,%ld\n", key, rect.left, rect.top, rect.right, rect.bottom);
    else
        std::printf("%s=none\n", key);
}

struct PopupSearch {
    HWND dialog;
    HWND popup;
};

BOOL CALLBACK CheckForPopup(HWND window, LPARAM lParam)
{
    auto* search = win32::FromLParam<PopupSearch>(lParam);
    if (window != search->dialog && ::IsWindowVisible(window) && ::GetDlgItem(window, kCalendarId)) {
        search->popup = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CheckForTip(HWND window, LPARAM lParam)
{
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (::IsWindowVisible(window) && ::lstrcmpiA(className, TOOLTIPS_CLASSA) == 0) {
        *win32::FromLParam<HWND>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

// A shown tooltip of the dialog's thread, such as a refusal's tip, or null.
HWND FindTip(HWND dialog)
{
    HWND tip = nullptr;
    ::EnumThreadWindows(::GetWindowThreadProcessId(dialog, nullptr), &CheckForTip, win32::ToLParam(&tip));
    return tip;
}

// A visible top-level window of the dialog's thread that holds the calendar.
HWND FindPopup(HWND dialog)
{
    PopupSearch search{dialog, nullptr};
    ::EnumThreadWindows(::GetWindowThreadProcessId(dialog, nullptr), &CheckForPopup, win32::ToLParam(&search));
    return search.popup;
}

// Memory in the dialog's process for the calendar's messages, which carry
// pointers that the system does not carry across processes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size) : m_size(size)
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (m_process)
            m_address = ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return m_address != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(m_address); }
    bool Write(const void* data) { return ::WriteProcessMemory(m_process, m_address, data, m_size, nullptr); }
    bool Read(void* data) const { return ::ReadProcessMemory(m_process, m_address, data, m_size, nullptr); }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    SIZE_T m_size;
};

void PrintSelection(HWND calendar)
{
    RemoteBuffer remote(calendar, sizeof(SYSTEMTIME));
    SYSTEMTIME selection{};
    if (remote.Ok() && ::SendMessageA(calendar, MCM_GETCURSEL, 0, remote.Address()) && remote.Read(&selection))
        std::printf("calendar_selection=%04d-%02d-%02d\n", selection.wYear, selection.wMonth, selection.wDay);
    else
        std::printf("calendar_selection=none\n");
}

int State()
{
    HWND dialog = FindDialog();
    if (!dialog) {
        std::printf("dialog=none\n");
        return 1;
    }
    HWND field = ::GetDlgItem(dialog, kFieldId);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
    HWND popup = FindPopup(dialog);

    std::printf("dialog=shown\n");
    std::printf("text=%s\n", field ? test::WindowText(field).c_str() : "");
    std::printf("focus=%d\n", info.hwndFocus ? ::GetDlgCtrlID(info.hwndFocus) : 0);
    std::printf("popup=%s\n", popup ? "open" : "closed");
    // A tooltip's window text is the tip it shows, as screen readers read it.
    const HWND tip = FindTip(dialog);
    std::printf("tip=%s\n", tip ? test::WindowText(tip).c_str() : "");
    PrintRect("dialog_rect", dialog);
    PrintRect("field_rect", field);
    PrintRect("button_rect", ::GetDlgItem(dialog, kButtonId));
    PrintRect("ok_rect", ::GetDlgItem(dialog, IDOK));
    PrintRect("popup_rect", popup);
    if (popup)
        PrintSelection(::GetDlgItem(popup, kCalendarId));
    return 0;
}

// Hit-tests the calendar's client area and prints the centre of the cells
// that show the day.
int Day(const char* text)
{
    int year = 0, month = 0, day = 0;
    if (std::sscanf(text, "%d-%d-%d", &year, &month, &day) != 3)
        return 2;
    HWND dialog = FindDialog();
    HWND popup = dialog ? FindPopup(dialog) : nullptr;
    HWND calendar = popup ? ::GetDlgItem(popup, kCalendarId) : nullptr;
    if (!calendar)
        return 1;
    RECT client{};
    ::GetClientRect(calendar, &client);
    RemoteBuffer remote(calendar, MCHITTESTINFO_V1_SIZE);
    if (!remote.Ok())
        return 1;
    long sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < client.bottom; y += 2) {
        for (int x = 0; x < client.right; x += 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {x, y};
            if (!remote.Write(&hit))
                return 1;
            ::SendMessageA(calendar, MCM_HITTEST, 0, remote.Address());
            remote.Read(&hit);
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wYear == year && hit.st.wMonth == month &&
                hit.st.wDay == day) {
                sumX += x;
                sumY += y;
                ++count;
            }
        }
    }
    if (count == 0)
        return 1;
    POINT centre{sumX / count, sumY / count};
    ::ClientToScreen(calendar, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
    return 0;
}

BOOL CALLBACK PrintItem(HWND window, LPARAM)
{
    std::printf("item_%d=%s\n", ::GetDlgCtrlID(window), test::WindowText(window).c_str());
    return TRUE;
}

int Items()
{
    HWND dialog = FindDialog();
    if (!dialog) {
        std::printf("dialog=none\n");
        return 1;
    }
    ::EnumChildWindows(dialog, &PrintItem, 0);
    return 0;
}

int WaitDialog(int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (FindDialog()) {
            std::printf("dialog=shown\n");
            return 0;
        }
        ::Sleep(100);
    }
    std::printf("dialog=none\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "state";
    int status = 2;
    if (command == "state")
        status = State();
    else if (command == "day" && argc > 2)
        status = Day(argv[2]);
    else if (command == "items")
        status = Items();
    else if (command == "wait-dialog")
        status = WaitDialog(argc > 2 ? std::atoi(argv[2]) : 30000);
    else
        std::fprintf(stderr, "usage: %s state | day yyyy-mm-dd | wait-dialog [ms] | items\n", argv[0]);
    std::fflush(stdout);
    return status;
}
