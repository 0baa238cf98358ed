// MessageRecorder.cpp: records what chosen windows receive and compares it with an expected sequence.
#include "tests/win32/support/MessageRecorder.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace test {
namespace {

struct Watched {
    MessageRecorder* recorder;   // null once unwatched while someone else subclassed on top
    WNDPROC previous;
    int role;
    bool wide;                   // a Unicode window, subclassed through the W functions so that it stays one
};

// The window procedure through the functions of the window's character set.
WNDPROC ProcOf(HWND hWnd, bool wide)
{
    if (!wide)
        return win32::GetWindowProc(hWnd);
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

WNDPROC ReplaceProc(HWND hWnd, WNDPROC proc, bool wide)
{
    if (!wide)
        return win32::SetWindowProc(hWnd, proc);
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

std::unordered_map<HWND, Watched>& WatchedWindows()
{
    static std::unordered_map<HWND, Watched> windows;
    return windows;
}

std::map<UINT, std::string>& MessageNames()
{
    static std::map<UINT, std::string> names = {
#define NAME(m) {m, #m}
        NAME(WM_CREATE), NAME(WM_DESTROY), NAME(WM_MOVE), NAME(WM_SIZE), NAME(WM_ACTIVATE),
        NAME(WM_SETFOCUS), NAME(WM_KILLFOCUS), NAME(WM_ENABLE), NAME(WM_SETTEXT), NAME(WM_CLOSE),
        NAME(WM_SHOWWINDOW), NAME(WM_ACTIVATEAPP), NAME(WM_SETFONT), NAME(WM_WINDOWPOSCHANGING),
        NAME(WM_WINDOWPOSCHANGED), NAME(WM_NOTIFY), NAME(WM_NCCREATE), NAME(WM_NCDESTROY),
        NAME(WM_NCCALCSIZE), NAME(WM_NCACTIVATE), NAME(WM_GETMINMAXINFO), NAME(WM_KEYDOWN),
        NAME(WM_KEYUP), NAME(WM_CHAR), NAME(WM_SYSKEYDOWN), NAME(WM_SYSCHAR), NAME(WM_INITDIALOG),
        NAME(WM_COMMAND), NAME(WM_SYSCOMMAND), NAME(WM_TIMER), NAME(WM_LBUTTONDOWN), NAME(WM_LBUTTONUP),
        NAME(WM_PARENTNOTIFY), NAME(WM_MOUSEACTIVATE), NAME(WM_DRAWITEM), NAME(WM_NEXTDLGCTL),
        NAME(WM_CHANGEUISTATE), NAME(WM_UPDATEUISTATE), NAME(WM_QUERYUISTATE), NAME(WM_CAPTURECHANGED),
        NAME(WM_CUT), NAME(WM_COPY), NAME(WM_PASTE), NAME(WM_CLEAR), NAME(WM_UNDO), NAME(WM_USER),
        NAME(EM_SETSEL), NAME(EM_GETSEL), NAME(EM_LIMITTEXT), NAME(EM_GETLIMITTEXT), NAME(EM_REPLACESEL),
        NAME(BM_CLICK), NAME(BM_GETSTATE), NAME(BM_SETSTATE), NAME(BM_SETSTYLE),
        NAME(DM_GETDEFID), NAME(DM_SETDEFID),
#undef NAME
    };
    return names;
}

std::map<UINT, std::string>& NotificationNames()
{
    static std::map<UINT, std::string> names = {
        {EN_SETFOCUS, "EN_SETFOCUS"}, {EN_KILLFOCUS, "EN_KILLFOCUS"}, {EN_CHANGE, "EN_CHANGE"},
        {EN_UPDATE, "EN_UPDATE"},     {EN_MAXTEXT, "EN_MAXTEXT"},     {BN_CLICKED, "BN_CLICKED"},
        {BN_SETFOCUS, "BN_SETFOCUS"}, {BN_KILLFOCUS, "BN_KILLFOCUS"},
        {static_cast<UINT>(MCN_SELECT), "MCN_SELECT"}, {static_cast<UINT>(MCN_SELCHANGE), "MCN_SELCHANGE"},
        {static_cast<UINT>(MCN_GETDAYSTATE), "MCN_GETDAYSTATE"}, {static_cast<UINT>(NM_CLICK), "NM_CLICK"},
    };
    return names;
}

// Messages that say nothing about behaviour: painting, hit tests, the
// cursor, input-method chatter, text and icon queries, idle and colours.
const UINT kNoise[] = {
    WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_SYNCPAINT, WM_PRINTCLIENT, WM_NCHITTEST, WM_SETCURSOR,
    WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_GETTEXT, WM_GETTEXTLENGTH, WM_GETICON, WM_GETOBJECT, WM_GETFONT,
    WM_GETDLGCODE, WM_TIMER, WM_ENTERIDLE, WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX,
    WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC, WM_IME_SETCONTEXT,
    WM_IME_NOTIFY, WM_IME_CONTROL, WM_IME_COMPOSITIONFULL, WM_IME_SELECT, WM_IME_CHAR, WM_IME_REQUEST,
    WM_IME_STARTCOMPOSITION, WM_IME_ENDCOMPOSITION, WM_IME_COMPOSITION, WM_DEVICECHANGE,
};

std::string Number(ULONG_PTR value)
{
    char buffer[32];
    const auto wide = static_cast<unsigned long long>(value);
    std::snprintf(buffer, sizeof buffer, value < 0x10000 ? "%llu" : "0x%llx", wide);
    return buffer;
}

std::string MessageName(UINT message)
{
    auto it = MessageNames().find(message);
    if (it != MessageNames().end())
        return it->second;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "message 0x%04x", message);
    return buffer;
}

std::string CodeName(UINT code)
{
    auto it = NotificationNames().find(code);
    return it != NotificationNames().end() ? it->second : Number(code);
}

// The parameters in the message's own terms, leaving out those not compared.
std::string Parameters(UINT message, WPARAM wParam, LPARAM lParam, bool withWParam, bool withLParam)
{
    const auto lValue = static_cast<ULONG_PTR>(lParam);
    if (message == WM_COMMAND && withWParam)
        return "id=" + Number(win32::LowWord(wParam)) + " code=" + CodeName(win32::HighWord(wParam));
    if (message == WM_NOTIFY)
        return (withWParam ? "id=" + Number(wParam) + " " : std::string()) +
               (withLParam ? "code=" + CodeName(static_cast<UINT>(lValue)) : std::string());
    std::string text;
    if (withWParam)
        text += "wParam=" + Number(wParam);
    if (withLParam)
        text += std::string(text.empty() ? "" : " ") + "lParam=" + Number(lValue);
    return text;
}

bool Fits(const Expect& expected, const Recorded& actual)
{
    return expected.message == actual.message && expected.role == actual.role &&
           (!(expected.flags & kWParam) || expected.wParam == actual.wParam) &&
           (!(expected.flags & kLParam) || expected.lParam == actual.lParam);
}

} // namespace

MessageRecorder::MessageRecorder() : m_ignored(std::begin(kNoise), std::end(kNoise)) {}

MessageRecorder::~MessageRecorder() { UnwatchAll(); }

void MessageRecorder::UnwatchAll()
{
    for (HWND hWnd : std::vector<HWND>(m_watched))
        Unwatch(hWnd);
}

void MessageRecorder::Watch(HWND hWnd, int role, const char* roleName)
{
    m_roleNames[role] = roleName;
    auto& windows = WatchedWindows();
    auto it = windows.find(hWnd);
    if (it != windows.end()) {
        it->second.recorder = this;
        it->second.role = role;
    } else {
        const bool wide = ::IsWindowUnicode(hWnd) != FALSE;
        windows[hWnd] = Watched{this, ReplaceProc(hWnd, &RecordingProc, wide), role, wide};
    }
    m_watched.push_back(hWnd);
}

void MessageRecorder::Unwatch(HWND hWnd)
{
    m_watched.erase(std::remove(m_watched.begin(), m_watched.end(), hWnd), m_watched.end());
    auto& windows = WatchedWindows();
    auto it = windows.find(hWnd);
    if (it == windows.end())
        return;
    if (::IsWindow(hWnd) && ProcOf(hWnd, it->second.wide) == &RecordingProc) {
        ReplaceProc(hWnd, it->second.previous, it->second.wide);
        windows.erase(it);
    } else {
        it->second.recorder = nullptr;  // keep passing messages on to the previous procedure
    }
}

void MessageRecorder::Ignore(UINT message) { m_ignored.insert(message); }

void MessageRecorder::Record(UINT message) { m_ignored.erase(message); }

void MessageRecorder::NameMessage(UINT message, const char* name) { MessageNames()[message] = name; }

void MessageRecorder::NameNotification(UINT code, const char* name) { NotificationNames()[code] = name; }

LRESULT CALLBACK MessageRecorder::RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& windows = WatchedWindows();
    auto it = windows.find(hWnd);
    if (it == windows.end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const Watched watched = it->second;
    if (watched.recorder)
        watched.recorder->Add(watched.role, message, wParam, lParam);
    const auto call = watched.wide ? &::CallWindowProcW : &::CallWindowProcA;
    const LRESULT result = call(watched.previous, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        if (watched.recorder) {
            auto& list = watched.recorder->m_watched;
            list.erase(std::remove(list.begin(), list.end(), hWnd), list.end());
        }
        windows.erase(hWnd);
    }
    return result;
}

void MessageRecorder::Add(int role, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_ignored.count(message) || (m_keep && !m_keep(message)))
        return;
    if (message == WM_NOTIFY) {
        const NMHDR* header = win32::FromLParam<NMHDR>(lParam);
        lParam = header ? static_cast<LPARAM>(static_cast<int>(header->code)) : 0;
    }
    m_log.push_back({role, message, wParam, lParam});
}

std::string MessageRecorder::RoleName(int role) const
{
    auto it = m_roleNames.find(role);
    return it != m_roleNames.end() ? it->second : "role " + std::to_string(role);
}

std::string MessageRecorder::Describe(const Recorded& entry) const
{
    // The lParam of WM_COMMAND is a window handle, different in every run.
    return MessageName(entry.message) + " to " + RoleName(entry.role) + "  " +
           Parameters(entry.message, entry.wParam, entry.lParam, true, entry.message != WM_COMMAND);
}

std::string MessageRecorder::Describe(const Expect& entry) const
{
    std::string text = MessageName(entry.message) + " to " + RoleName(entry.role) + "  " +
                       Parameters(entry.message, entry.wParam, entry.lParam, (entry.flags & kWParam) != 0,
                                  (entry.flags & kLParam) != 0);
    if (entry.flags & kOptional)
        text += "  (optional)";
    return text;
}

::testing::AssertionResult MessageRecorder::Matches(std::span<const Expect> expected) const
{
    std::size_t e = 0;
    std::size_t a = 0;
    while (e < expected.size() || a < m_log.size()) {
        if (e < expected.size() && a < m_log.size() && Fits(expected[e], m_log[a])) {
            ++e;
            ++a;
        } else if (e < expected.size() && (expected[e].flags & kOptional)) {
            ++e;
        } else {
            break;
        }
    }
    if (e == expected.size() && a == m_log.size())
        return ::testing::AssertionSuccess();

    auto failure = ::testing::AssertionFailure();
    failure << "message sequence differs (first difference marked >>)\nexpected:\n";
    for (std::size_t i = 0; i < expected.size(); ++i)
        failure << (i == e ? ">> " : "   ") << i << ": " << Describe(expected[i]) << "\n";
    if (e == expected.size())
        failure << ">> (end)\n";
    failure << "actual:\n";
    for (std::size_t i = 0; i < m_log.size(); ++i)
        failure << (i == a ? ">> " : "   ") << i << ": " << Describe(m_log[i]) << "\n";
    if (a == m_log.size())
        failure << ">> (end)\n";
    return failure;
}

} // namespace test
