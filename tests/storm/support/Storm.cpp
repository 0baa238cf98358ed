// Storm.cpp: random events over a host dialog of date fields, and the
// invariants checked after every step.
//
// An event is one thing a user or a host does (type a date, press Tab, open
// a popup and pick a day, send a host command, paste a text, press OK); it is
// made of steps, one input each, and the checks run after every step:
//   - the process answers within a second (a watchdog thread asks);
//   - no popup or stray window is left open and the dialog is enabled;
//   - the focus is in the dialog, or where the step put it;
//   - the focus arrives at most kMaxFocusArrivals times in one step;
//   - no field's text changes unless the step typed, pasted or picked into
//     it or sent it a command that rewrites it; a field that leaves
//     accepts its text and may rewrite it, a refused text stays as typed;
//   - Tab from a field that refuses its text comes back to it;
//   - bound text and value change only by host commands and the exchange,
//     and agree after DCM_TEXTTOVALUE;
//   - the dialog hears an exit only after the field lost the focus (or got
//     DCM_EXITCHECK), only for a text the field accepts, as changed exactly
//     when the text as typed differs from the text the field had when it
//     got the focus, with the notification of the field's options; and
//     DCN_INVALID and DCN_MODIFIED only when a host asked.
// When a dialog closes, and at the end, every control and button object
// must have been deleted exactly once.
#include "tests/storm/support/StormRunner.h"

#include "controls/ControlClasses.h"
#include "controls/KalenderPopupDlg.h"
#include "platform/core/ClockForTesting.h"
#include "platform/window/MessageBox.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/HostDialog.h"
#include "tests/win32/support/Pump.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace storm {

// --- text helpers ---

std::string Show(const CString& text)
{
    std::string shown = "'";
    const int limit = 24;
    for (int i = 0; i < text.GetLength() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(text.GetAt(i));
        if (c >= 0x20 && c < 0x7F && c != '\'' && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    shown += "'";
    if (text.GetLength() > limit)
        shown += "... (" + std::to_string(text.GetLength()) + " chars)";
    return shown;
}

std::string Show(char c) { return Show(CString(&c, 1)); }

const char* CommandName(UINT message)
{
    switch (message) {
    case DCM_EXITCHECK: return "DCM_EXITCHECK";
    case DCM_CLEAR: return "DCM_CLEAR";
    case DCM_VALUETOTEXT: return "DCM_VALUETOTEXT";
    case DCM_TEXTTOVALUE: return "DCM_TEXTTOVALUE";
    case DCM_VERIFY: return "DCM_VERIFY";
    case DCM_CHECKMODIFIED: return "DCM_CHECKMODIFIED";
    case DCM_OPENPOPUP: return "DCM_OPENPOPUP";
    case DCM_BUTTONFOCUS: return "DCM_BUTTONFOCUS";
    case DCM_YIELDFOCUS: return "DCM_YIELDFOCUS";
    case DCM_SETRANGE: return "DCM_SETRANGE";
    case DCM_SETDAYRULE: return "DCM_SETDAYRULE";
    default: return nullptr;
    }
}

namespace {

// --- values and windows ---

ValueBits BitsOf(const Field& field)
{
    ValueBits bits;
    if (field.value == nullptr)
        return bits;
    if (field.dateTime) {
        const auto& value = *static_cast<const CDateTimeValue*>(field.value);
        std::memcpy(&bits.date, &value.date, sizeof bits.date);
        bits.status = value.status;
    } else {
        const auto& value = *static_cast<const CDateValue*>(field.value);
        bits.date = value.day | (static_cast<std::uint64_t>(value.month) << 8) |
                    (static_cast<std::uint64_t>(value.year) << 16);
    }
    return bits;
}

std::string ShowValue(const Field& field)
{
    if (field.value == nullptr)
        return "(none)";
    char text[64];
    if (field.dateTime) {
        const auto& value = *static_cast<const CDateTimeValue*>(field.value);
        std::snprintf(text, sizeof text, "%.3f status %d", value.date, static_cast<int>(value.status));
    } else {
        const auto& value = *static_cast<const CDateValue*>(field.value);
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", value.year, value.month, value.day);
    }
    return text;
}

struct FoundPopups {
    std::vector<HWND> shown;
    std::vector<HWND> strays;   // visible top-level windows that are neither host, popup nor outside
    HWND host = nullptr;
    HWND outside = nullptr;
    bool anyPopup = false;      // a popup window exists, shown or not
};

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM lParam)
{
    auto* found = win32::FromLParam<FoundPopups>(lParam);
    if (dynamic_cast<CKalenderPopupDlg*>(CWnd::FromHandlePermanent(window)) != nullptr) {
        found->anyPopup = true;
        if (::IsWindowVisible(window))
            found->shown.push_back(window);
    } else if (::IsWindowVisible(window) && window != found->host && window != found->outside) {
        found->strays.push_back(window);
    }
    return TRUE;
}

// The frame of a window that has no id of its own: the storm's stand-in for
// another application.
HWND CreateOutsideWindow()
{
    HWND frame = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Outside", WS_POPUP | WS_BORDER | WS_VISIBLE, 1000,
                                   900, 220, 40, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 200, 24, frame,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOutsideEditId)), ::GetModuleHandleA(nullptr),
                      nullptr);
    return frame;
}

bool IsNotification(UINT message)
{
    return message == DCN_EXITCHANGEDALT || message == DCN_EXITCHANGED || message == DCN_CHANGE ||
           message == DCN_EXITUNCHANGEDALT || message == DCN_EXITUNCHANGED || message == DCN_INVALID ||
           message == DCN_MODIFIED;
}

const char* NotificationName(UINT message)
{
    switch (message) {
    case DCN_EXITCHANGEDALT: return "DCN_EXITCHANGEDALT";
    case DCN_EXITCHANGED: return "DCN_EXITCHANGED";
    case DCN_CHANGE: return "DCN_CHANGE";
    case DCN_EXITUNCHANGEDALT: return "DCN_EXITUNCHANGEDALT";
    case DCN_EXITUNCHANGED: return "DCN_EXITUNCHANGED";
    case DCN_INVALID: return "DCN_INVALID";
    case DCN_MODIFIED: return "DCN_MODIFIED";
    default: return "?";
    }
}

// --- hooks of the thread ---

Storm* g_storm = nullptr;   // the storm that the hook, the dialog's procedure and the timer report to

// New windows, from the thread's CBT hook. (A hook that runs for every
// message would slow every message down.)
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (g_storm != nullptr && code == HCBT_CREATEWND)
        g_storm->OnCreate(*win32::FromLParam<CBT_CREATEWNDA>(lParam)->lpcs);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RetrievedHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && g_storm != nullptr)
        g_storm->OnRetrieved(*win32::FromLParam<const MSG>(lParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The procedures of the windows of the host dialog that the storm watches:
// the dialog and its children.
std::unordered_map<HWND, WNDPROC>& WatchedWindows()
{
    static std::unordered_map<HWND, WNDPROC> windows;
    return windows;
}

// Laid over the procedure of a window of the host dialog: the storm sees
// each message first, and the window then handles it as ever.
LRESULT CALLBACK WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& windows = WatchedWindows();
    const auto it = windows.find(hWnd);
    if (it == windows.end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const WNDPROC previous = it->second;
    if (g_storm != nullptr)
        g_storm->OnWatchedMessage(hWnd, message, wParam, lParam);
    const LRESULT result = ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        windows.erase(hWnd);
    return result;
}

BOOL CALLBACK WatchChild(HWND child, LPARAM)
{
    WatchedWindows()[child] = win32::SetWindowProc(child, &WatchProc);
    return TRUE;
}

void CALLBACK StormTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_storm != nullptr)
        g_storm->OnTick();
}

} // namespace

Storm::Storm(std::uint64_t seed, int events, const StormOptions& options, const HostFactory& factory)
    : m_options(options), m_factory(factory), m_seed(seed), m_events(events), m_rng(seed)
{
    m_report.seed = seed;
}

Storm::~Storm() = default;

// --- reporting ---

void Storm::Log(const std::string& line)
{
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        m_log.emplace_back(m_event, line);
    }
    if (m_options.trace) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
}

void Storm::LogEvent(const std::string& what)
{
    std::string line("#");
    line += std::to_string(m_event);
    line += what;
    Log(line);
}

void Storm::Fail(const std::string& message)
{
    if (Failed())
        return;
    m_report.passed = false;
    Log("  FAILED: " + message);
    m_report.failure = "Storm seed " + std::to_string(m_seed) + ", event " + std::to_string(m_event) + ": " +
                       message + "\n" + Tail() + "Replay: " + ReplayLine(m_event) + "\n";
}

std::string Storm::ReplayLine(int eventNumber) const
{
    return "STORM_SEED=" + std::to_string(m_seed) + " STORM_EVENTS=" + std::to_string(eventNumber + 1) +
           " STORM_TRACE=1 scripts/wine-test-runner <storm test exe> --gtest_filter=<this test>";
}

std::string Storm::Tail() const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    std::string tail = "Event log (last " + std::to_string(m_options.tail) + " events):\n";
    const int first = m_event - m_options.tail;
    std::size_t i = m_log.size();
    while (i > 0 && m_log[i - 1].first >= first)
        --i;
    // The dialog that the tail starts in.
    for (std::size_t j = i; j > 0; --j) {
        if (m_log[j - 1].second.rfind("open a host dialog", 0) == 0) {
            tail += m_log[j - 1].second + "\n  ...\n";
            break;
        }
    }
    for (; i < m_log.size(); ++i)
        tail += m_log[i].second + "\n";
    return tail;
}

// The watchdog's last word when the user-interface thread hangs.
void Storm::Emergency()
{
    std::string tail;
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        const std::size_t from = m_log.size() > 200 ? m_log.size() - 200 : 0;
        for (std::size_t i = from; i < m_log.size(); ++i)
            tail += m_log[i].second + "\n";
    }
    std::printf("\nSTORM HANG: seed %llu, event %d made no progress for %lu ms; the process is ended.\n%s"
                "Replay: %s\n",
                static_cast<unsigned long long>(m_seed), m_progress.load(), static_cast<unsigned long>(kStuckLimitMs),
                tail.c_str(), ReplayLine(m_progress.load()).c_str());
    std::fflush(stdout);
    ::TerminateProcess(::GetCurrentProcess(), 3);
}

// --- looking up ---

int Storm::FieldIndexOf(HWND window) const
{
    for (std::size_t i = 0; i < m_fieldWindows.size(); ++i)
        if (m_fieldWindows[i] == window && window != nullptr)
            return static_cast<int>(i);
    return -1;
}

int Storm::FieldIndexOfButton(HWND window) const
{
    for (std::size_t i = 0; i < m_buttonWindows.size(); ++i)
        if (m_buttonWindows[i] == window && window != nullptr)
            return static_cast<int>(i);
    return -1;
}

CDatumEntry* Storm::EntryOf(std::size_t index) const
{
    return dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(m_fieldWindows[index]));
}

std::string Storm::NameOf(HWND window) const
{
    if (window == nullptr)
        return "nothing";
    if (int i = FieldIndexOf(window); i >= 0)
        return std::to_string(m_fields[static_cast<std::size_t>(i)].id);
    if (int i = FieldIndexOfButton(window); i >= 0)
        return "button of " + std::to_string(m_fields[static_cast<std::size_t>(i)].id);
    if (window == m_dialog)
        return "the dialog";
    if (Outside(window))
        return "outside";
    if (InDialog(window)) {
        const int id = ::GetDlgCtrlID(window);
        return id == IDOK ? "OK" : id == IDCANCEL ? "Cancel" : "child " + std::to_string(id);
    }
    if (dynamic_cast<CKalenderPopupDlg*>(CWnd::FromHandlePermanent(::GetAncestor(window, GA_ROOT))) != nullptr)
        return "the popup";
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string("window of class ") + className;
}

// --- hooks ---

// What a window of the host dialog receives, before it handles it.
void Storm::OnWatchedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != m_dialog) {
        if (message == WM_SETFOCUS && m_dialog != nullptr)
            ++m_focusArrivals;
        return;
    }
    if (message == WM_COMMAND) {
        // A field tells its parent that it lost or got the focus.
        const WORD code = win32::HighWord(wParam);
        const int i = FieldIndexOf(reinterpret_cast<HWND>(lParam));
        if (i >= 0 && code == EN_KILLFOCUS)
            ArmExit(static_cast<std::size_t>(i));
        else if (i >= 0 && code == EN_SETFOCUS)
            m_pendingExits[static_cast<std::size_t>(i)].armed = false;
    } else if (IsNotification(message)) {
        CheckNotification(message, wParam);
    }
}

// The field lost the focus, or was asked for its focus-loss check: what it
// reports next must fit its text as typed and its entry text of now.
void Storm::ArmExit(std::size_t index)
{
    if (const CDatumEntry* entry = EntryOf(index))
        m_pendingExits[index] = {true, test::TextOf(m_fieldWindows[index]), entry->m_strEntry};
}

// A dialog made while a step runs is a calendar popup: host dialogs are made
// between steps.
void Storm::OnCreate(const CREATESTRUCTA& create)
{
    const auto className = reinterpret_cast<ULONG_PTR>(create.lpszClass);
    const bool dialogClass = className <= 0xFFFF ? className == 32770 : std::strcmp(create.lpszClass, "#32770") == 0;
    if (m_plan != nullptr && dialogClass && (create.style & WS_CHILD) == 0)
        ++m_popupsOpened;
}

// What the dialog hears must be true at the moment it hears it.
void Storm::CheckNotification(UINT message, WPARAM wParam)
{
    const int id = static_cast<int>(win32::LowWord(wParam));
    int index = -1;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].id == id)
            index = static_cast<int>(i);
    if (index < 0) {
        Fail(std::string(NotificationName(message)) + " from id " + std::to_string(id) + ", which is no field");
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    const Field& field = m_fields[i];
    const CString text = test::TextOf(m_fieldWindows[i]);
    const bool meddled = m_plan != nullptr && m_meddled[i];
    switch (message) {
    case DCN_CHANGE:
        return;
    case DCN_EXITCHANGEDALT:
    case DCN_EXITCHANGED:
    case DCN_EXITUNCHANGEDALT:
    case DCN_EXITUNCHANGED: {
        if (!AcceptsOnExit(field, text)) {
            Fail(std::string(NotificationName(message)) + " from " + std::to_string(id) + " for the text " +
                 Show(text) + ", which it refuses");
        }
        const bool alt = message == DCN_EXITCHANGEDALT || message == DCN_EXITUNCHANGEDALT;
        if (alt != ((field.flags & DCF_ALTEXIT) != 0))
            Fail(std::string(NotificationName(message)) + " from " + field.Describe());
        PendingExit& pending = m_pendingExits[i];
        if (!pending.armed) {
            Fail(std::string(NotificationName(message)) + " from " + std::to_string(id) +
                 " although it did not lose the focus");
            return;
        }
        pending.armed = false;
        const bool changed = message == DCN_EXITCHANGED || message == DCN_EXITCHANGEDALT;
        if (changed != (pending.typed != pending.entry))
            Fail(std::string(NotificationName(message)) + " from " + std::to_string(id) + " for the text as typed " +
                 Show(pending.typed) + " and the entry text " + Show(pending.entry));
        return;
    }
    case DCN_INVALID:
        if (meddled)
            return;
        if (m_plan == nullptr || m_plan->verifyField != index)
            Fail("DCN_INVALID from " + std::to_string(id) + " although no DCM_VERIFY went to it");
        ++m_invalids;
        return;
    case DCN_MODIFIED:
        if (meddled)
            return;
        if (m_plan == nullptr || m_plan->modifiedField != index)
            Fail("DCN_MODIFIED from " + std::to_string(id) + " although no DCM_CHECKMODIFIED went to it");
        ++m_modifieds;
        return;
    default:
        return;
    }
}

void Storm::OnRetrieved(const MSG& message)
{
    if (m_waitMessage != 0 && message.message == m_waitMessage && (m_waitParam == 0 || message.wParam == m_waitParam))
        ++m_arrived;
}

// Every few milliseconds, in whatever message loop runs: acts on a popup
// that has been shown long enough, cancels one that outstays its limit, and
// reports windows that nobody asked for.
void Storm::OnTick()
{
    if (m_inTick)
        return;
    m_inTick = true;
    FoundPopups found;
    found.host = m_dialog;
    found.outside = m_outside;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectThreadWindow, win32::ToLParam(&found));
    const DWORD now = ::GetTickCount();

    for (HWND stray : found.strays) {
        char title[128] = {};
        ::GetWindowTextA(stray, title, sizeof title);
        Fail("a window nobody asked for was shown: " + NameOf(stray) + " '" + title + "'");
        ::PostMessageA(stray, WM_CLOSE, 0, 0);
    }
    for (HWND popup : found.shown) {
        auto seen = std::find_if(m_popups.begin(), m_popups.end(),
                                 [&](const SeenPopup& p) { return p.window == popup; });
        if (seen == m_popups.end()) {
            m_popups.push_back({popup, now, 0, false, {}});
            continue;
        }
        if (!seen->acted && now - seen->shownAt >= kPopupSettleMs) {
            seen->acted = true;
            seen->actedAt = now;
            ActOnPopup(popup);
            break;   // the vector may have moved; the next tick sees the rest
        }
        if (seen->acted && seen->pickMayBeRefused && now - seen->actedAt >= kRefusedPickMs) {
            // The field's rules refuse the day: the popup stayed open, and the user gives up.
            seen->pickMayBeRefused = false;
            seen->actedAt = now;
            seen->action += ", refused, then Escape";
            Log("      popup: the pick was refused; Escape");
            ::PostMessageA(::GetDlgItem(popup, IDC_CALENDAR), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        }
        if (seen->acted && now - seen->actedAt >= kPopupLimitMs) {
            Fail("the popup stayed open " + std::to_string(kPopupLimitMs) + " ms after " + seen->action);
            ::SendMessageA(popup, WM_COMMAND, IDCANCEL, 0);
        }
    }
    m_inTick = false;
}

// --- pumping and real input ---

void Storm::Pump()
{
    if (test::PumpMessages(DialogAlive() ? m_dialog : nullptr, kMaxMessagesPerPump))
        return;
    Fail("the message queue never ran dry: more than " + std::to_string(kMaxMessagesPerPump) +
         " messages without pause");
}

// --- steps ---

void Storm::Snapshot(std::vector<FieldState>& states) const
{
    states.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        states[i].window = test::TextOf(m_fieldWindows[i]);
        states[i].bound = *m_fields[i].text;
        states[i].value = BitsOf(m_fields[i]);
        if (const CDatumEntry* entry = EntryOf(i)) {
            states[i].checks = entry->m_bCheckOnKillFocus != FALSE;
            states[i].settingText = entry->m_bSettingText;
        }
    }
}

void Storm::RunStep(const std::string& what, const std::function<void(StepPlan&)>& act)
{
    if (Failed() || !DialogAlive())
        return;
    ++m_report.steps;
    Snapshot(m_before);
    StepPlan plan;
    plan.fields.resize(m_fields.size());
    m_plan = &plan;
    m_focusArrivals = 0;
    m_popupsOpened = 0;
    m_invalids = 0;
    m_modifieds = 0;
    m_picks.clear();
    m_meddled.assign(m_fields.size(), false);
    m_inputLost = false;
    const int boxesBefore = m_report.messageBoxes;
    const HWND focusBefore = ::GetFocus();
    std::string line = "    " + what + "  [focus on " + NameOf(focusBefore);
    if (const int i = FieldIndexOf(focusBefore); i >= 0)
        line += " " + Show(m_before[static_cast<std::size_t>(i)].window);
    Log(line + "]");

    act(plan);
    Pump();

    m_boxes = m_report.messageBoxes - boxesBefore;
    m_report.popups += m_popupsOpened;
    m_report.maxFocusArrivals = std::max(m_report.maxFocusArrivals, m_focusArrivals);
    if (m_focusArrivals >= 4)
        Log("      (the focus arrived " + std::to_string(m_focusArrivals) + " times)");
    Check(plan, focusBefore);
    m_plan = nullptr;
    m_popups.erase(std::remove_if(m_popups.begin(), m_popups.end(),
                                  [](const SeenPopup& p) { return !::IsWindow(p.window); }),
                   m_popups.end());
}

void Storm::Check(StepPlan& plan, HWND focusBefore)
{
    if (m_lateAnswers.load() > m_lateReported) {
        m_lateReported = m_lateAnswers.load();
        Fail("the process did not answer a sent message within " + std::to_string(kAnswerLimitMs) + " ms (event " +
             std::to_string(m_lateEvent.load()) + ")");
    }
    if (plan.expectBoxes >= 0 && m_boxes != plan.expectBoxes)
        Fail("the exchange showed " + std::to_string(m_boxes) + " message boxes, expected " +
             std::to_string(plan.expectBoxes));
    if (!plan.exchangeMayShowBox && plan.expectBoxes < 0 && m_boxes != 0)
        Fail("a message box although no exchange ran");
    if (!DialogAlive())
        return;   // closed: the event loop checks what is left

    FoundPopups found;
    found.host = m_dialog;
    found.outside = m_outside;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectThreadWindow, win32::ToLParam(&found));
    if (found.anyPopup)
        Fail("a popup window is still there after the step");
    if (!::IsWindowEnabled(m_dialog))
        Fail("the dialog is still disabled after the step");

    const HWND focus = ::GetFocus();
    if (m_inputLost) {
        // Nothing is known of what the lost input would have done; only the
        // general rules hold.
        plan.focusKnown = false;
        plan.expectPopups = -1;
        plan.popupField = -1;
    }
    const bool outsideAllowed = plan.focusMayLeave || Outside(focusBefore);
    if (!InDialog(focus) && !(outsideAllowed && Outside(focus)))
        Fail("the focus is on " + NameOf(focus) + ", outside the dialog");
    if (plan.focusKnown && focus != plan.expectFocus)
        Fail("the focus went to " + NameOf(focus) + " instead of " + NameOf(plan.expectFocus));
    // After its popup the field takes the focus back, and keeps it unless
    // the window that had the focus before refuses its text and takes it
    // back in turn, or a picked day advanced the focus; commands of the host
    // during the popup may have changed any of that.
    if (plan.popupField >= 0 && m_popupsOpened == 1 && InDialog(plan.popupHolder) && plan.popupHolder != m_dialog) {
        const auto i = static_cast<std::size_t>(plan.popupField);
        HWND expected = m_fieldWindows[i];
        const int holder = FieldIndexOf(plan.popupHolder);
        const bool meddled = std::find(m_meddled.begin(), m_meddled.end(), true) != m_meddled.end();
        bool known = !meddled && (m_picks.empty() || (m_fields[i].flags & DCF_AUTOADVANCE) == 0);
        const auto h = static_cast<std::size_t>(holder);
        if (holder >= 0 && holder != plan.popupField && !AcceptsOnExit(m_fields[h], m_before[h].window)) {
            expected = plan.popupHolder;
            known = known && !plan.popupByClick;
        }
        if (known && focus != expected)
            Fail("after the popup of " + std::to_string(m_fields[i].id) + " the focus is on " + NameOf(focus) +
                 ", not on " + NameOf(expected));
    }
    if (m_focusArrivals > kMaxFocusArrivals)
        Fail("the focus arrived " + std::to_string(m_focusArrivals) + " times in one step (bouncing)");
    if (plan.expectPopups >= 0 && m_popupsOpened != plan.expectPopups)
        Fail(std::to_string(m_popupsOpened) + " popups opened, expected " + std::to_string(plan.expectPopups));
    if (plan.verifyField >= 0 && m_invalids != (plan.expectInvalid ? 1 : 0))
        Fail(std::to_string(m_invalids) + " DCN_INVALID after DCM_VERIFY of " +
             Show(m_before[static_cast<std::size_t>(plan.verifyField)].window) + ", expected " +
             (plan.expectInvalid ? "1" : "0"));
    if (plan.modifiedField >= 0 && m_modifieds != (plan.expectModified ? 1 : 0))
        Fail(std::to_string(m_modifieds) + " DCN_MODIFIED after DCM_CHECKMODIFIED, expected " +
             (plan.expectModified ? "1" : "0"));

    // A change that leaves an acceptable text in an auto-advancing field
    // moves the focus on, unless the change was the field's own rewrite.
    if (plan.typedField >= 0) {
        const auto i = static_cast<std::size_t>(plan.typedField);
        const CString now = test::TextOf(m_fieldWindows[i]);
        if (focus == m_fieldWindows[i] && (m_fields[i].flags & DCF_AUTOADVANCE) != 0 && !m_before[i].settingText &&
            now != m_before[i].window && !now.IsEmpty() && Accepts(m_fields[i], now))
            Fail("the typed change made " + Show(now) + " in auto-advancing " + std::to_string(m_fields[i].id) +
                 ", but the focus stayed");
    }
    for (std::size_t i = 0; i < m_fields.size() && !Failed(); ++i)
        CheckField(i, plan.fields[i]);
}

void Storm::CheckField(std::size_t index, const FieldPlan& plan)
{
    const Field& field = m_fields[index];
    const FieldState& before = m_before[index];
    const CString text = test::TextOf(m_fieldWindows[index]);
    const std::string name = std::to_string(field.id);

    if (!plan.text.any) {
        std::vector<CString> bases = plan.text.bases;
        if (bases.empty())
            bases.push_back(before.window);
        if (plan.text.picks)
            bases.insert(bases.end(), m_picks.begin(), m_picks.end());
        bool allowed = false;
        for (const CString& base : bases)
            if (text == base ||
                (!plan.text.strict && Accepts(field, base) && text == Normalized(field.kind, base)))
                allowed = true;
        if (!allowed) {
            std::string expected;
            for (const CString& base : bases)
                expected += " " + Show(base);
            Fail("the text of " + name + " became " + Show(text) + "; it was " + Show(before.window) +
                 ", allowed:" + expected + (plan.text.strict ? " exactly" : " or their rewrites"));
            return;
        }
    }

    const CString& bound = *field.text;
    const bool valueKept = BitsOf(field) == before.value;
    switch (plan.bound) {
    case BoundRule::Any:
        return;
    case BoundRule::Keep:
        if (bound != before.bound || !valueKept)
            Fail("the bound text or value of " + name + " changed without a host command: " + Show(before.bound) +
                 " -> " + Show(bound) + ", value " + ShowValue(field));
        return;
    case BoundRule::Exactly:
        if (bound != plan.boundText || !valueKept)
            Fail("the bound text of " + name + " is " + Show(bound) + ", expected " + Show(plan.boundText) +
                 (valueKept ? "" : "; the value changed too"));
        return;
    case BoundRule::TextToValue:
        if (bound != text)
            Fail("after DCM_TEXTTOVALUE the bound text of " + name + " is " + Show(bound) + " but the window shows " +
                 Show(text));
        else if (!ValueAgrees(field))
            Fail("after DCM_TEXTTOVALUE the bound value of " + name + " (" + ShowValue(field) +
                 ") does not agree with the bound text " + Show(bound));
        return;
    case BoundRule::Exchanged:
        if (!valueKept)
            Fail("an exchange changed the bound value of " + name);
        else if (bound != before.bound && bound != text &&
                 !(Accepts(field, bound) && Normalized(field.kind, bound) == text))
            Fail("an exchange left the bound text of " + name + " at " + Show(bound) + ", window " + Show(text) +
                 ", before " + Show(before.bound));
        return;
    }
}

// --- life of the host dialogs ---

bool Storm::OpenHost()
{
    m_host = m_factory(m_rng);
    if (!m_host || !m_host->Open()) {
        Fail("the host dialog could not be made");
        return false;
    }
    ++m_report.dialogs;
    m_dialog = m_host->Dialog().m_hWnd;
    WatchedWindows()[m_dialog] = win32::SetWindowProc(m_dialog, &WatchProc);
    ::EnumChildWindows(m_dialog, &WatchChild, 0);
    m_fields = m_host->Fields();
    m_pendingExits.assign(m_fields.size(), {});
    m_fieldWindows.clear();
    m_buttonWindows.clear();
    m_deletions = std::make_unique<test::DeletionWatch>();
    for (const Field& field : m_fields) {
        HWND window = ::GetDlgItem(m_dialog, field.id);
        m_fieldWindows.push_back(window);
        m_buttonWindows.push_back(test::PopupButtonOf(window));
        if (window == nullptr || EntryOf(m_fieldWindows.size() - 1) == nullptr)
            Fail("field " + std::to_string(field.id) + " has no date-control object");
        m_deletions->Watch(window);
        if (m_buttonWindows.back() != nullptr)
            m_deletions->Watch(m_buttonWindows.back());
    }
    std::string description = "open a host dialog\n" + m_host->Describe();
    description.pop_back();
    Log(description);
    Pump();
    return !Failed();
}

// The user closed the dialog, or the storm is over: every window of the
// dialog is gone and every object deleted exactly once.
void Storm::CloseHost(bool destroy)
{
    if (!m_host)
        return;
    if (destroy && DialogAlive()) {
        Log("    destroy the dialog");
        m_host->Dialog().DestroyWindow();
        Pump();
    }
    for (std::size_t i = 0; i < m_fieldWindows.size(); ++i) {
        const std::string field = "field " + std::to_string(m_fields[i].id);
        if (::IsWindow(m_fieldWindows[i]) || (m_buttonWindows[i] != nullptr && ::IsWindow(m_buttonWindows[i])))
            Fail("a window of " + field + " outlived its dialog");
        else if (const int deleted = m_deletions->Deletions(m_fieldWindows[i]); deleted != 1)
            Fail("the control object of " + field + " was deleted " + std::to_string(deleted) + " times");
        else if (m_buttonWindows[i] != nullptr && m_deletions->Deletions(m_buttonWindows[i]) != 1)
            Fail("the button object of " + field + " was deleted " +
                 std::to_string(m_deletions->Deletions(m_buttonWindows[i])) + " times");
    }
    m_deletions.reset();
    m_host.reset();
    m_dayPatterns.clear();
    m_dialog = nullptr;
    m_fields.clear();
    m_fieldWindows.clear();
    m_buttonWindows.clear();
    CWnd::DeleteTempMap();
}

// --- the storm ---

StormReport Storm::Run()
{
    const auto started = std::chrono::steady_clock::now();
    // Today is fixed, so that the keyword letters and the popup's start day replay.
    platform::testing::FixedClock clock(2007, 1, 15);
    g_storm = this;
    m_cbtHook = ::SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, ::GetCurrentThreadId());
    m_retrievedHook = ::SetWindowsHookExA(WH_GETMESSAGE, &RetrievedHook, nullptr, ::GetCurrentThreadId());
    m_timer = ::SetTimer(nullptr, 0, kTickMs, &StormTimer);
    m_outside = CreateOutsideWindow();
    m_outsideEdit = ::GetDlgItem(m_outside, kOutsideEditId);
    AfxSetMessageBoxHook([this](const MessageBoxRequest& request) {
        ++m_report.messageBoxes;
        Log(std::string("      message box: ") + request.text);
        return IDOK;
    });
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }

    // The watchdog: a sent message must be answered within a second, and
    // an event that never ends ends the process with the log.
    m_heartbeat = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    m_watchdog = std::thread([this] {
        int lastProgress = -1;
        DWORD progressAt = ::GetTickCount();
        while (!m_stop.load()) {
            ::Sleep(200);
            DWORD_PTR result = 0;
            if (!::SendMessageTimeoutA(m_heartbeat, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &result) &&
                !m_stop.load()) {
                m_lateEvent = m_progress.load();
                ++m_lateAnswers;
            }
            if (m_progress.load() != lastProgress) {
                lastProgress = m_progress.load();
                progressAt = ::GetTickCount();
            } else if (::GetTickCount() - progressAt > kStuckLimitMs) {
                Emergency();
            }
        }
    });

    Log("storm: seed " + std::to_string(m_seed) + ", " + std::to_string(m_events) + " events");
    for (m_event = 0; m_event < m_events && !Failed(); ++m_event) {
        m_progress = m_event;
        if (!m_host && !OpenHost())
            break;
        NextEvent();
        if (m_host && !DialogAlive()) {
            Log("    the dialog closed");
            CloseHost(false);
        }
        ++m_report.events;
    }
    if (m_event > 0 && m_event == m_events)
        m_event = m_events - 1;
    CloseHost(true);

    m_stop = true;
    m_watchdog.join();
    ::DestroyWindow(m_heartbeat);
    AfxSetMessageBoxHook({});
    ::DestroyWindow(m_outside);
    ::KillTimer(nullptr, m_timer);
    ::UnhookWindowsHookEx(m_retrievedHook);
    ::UnhookWindowsHookEx(m_cbtHook);
    Pump();
    g_storm = nullptr;
    m_report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return m_report;
}

// --- the public face ---

StormOptions StormOptions::FromEnvironment(std::uint64_t defaultSeed, int defaultEvents)
{
    StormOptions options;
    options.seed = defaultSeed;
    options.events = defaultEvents;
    if (const char* seed = std::getenv("STORM_SEED"); seed != nullptr && *seed != '\0')
        options.seed = std::strtoull(seed, nullptr, 0);
    if (const char* events = std::getenv("STORM_EVENTS"); events != nullptr && *events != '\0')
        options.events = std::atoi(events);
    if (const char* seeds = std::getenv("STORM_SEEDS"); seeds != nullptr && *seeds != '\0')
        options.seeds = std::max(1, std::atoi(seeds));
    if (const char* trace = std::getenv("STORM_TRACE"); trace != nullptr && *trace != '\0' && *trace != '0')
        options.trace = true;
    if (const char* tail = std::getenv("STORM_TAIL"); tail != nullptr && *tail != '\0')
        options.tail = std::max(1, std::atoi(tail));
    return options;
}

std::string StormReport::Summary() const
{
    char line[400];
    std::snprintf(line, sizeof line,
                  "seed %llu: %d events, %d steps, %d dialogs, %d popups, %d days picked, %d message boxes, "
                  "at most %d focus arrivals in a step, %d real inputs lost, %.1f s",
                  static_cast<unsigned long long>(seed), events, steps, dialogs, popups, picks, messageBoxes,
                  maxFocusArrivals, lostInputs, seconds);
    return line;
}

StormReport RunStorm(std::uint64_t seed, int events, const StormOptions& options, const HostFactory& factory)
{
    Storm storm(seed, events, options, factory);
    return storm.Run();
}

std::vector<StormReport> RunStorms(std::uint64_t defaultSeed, int defaultEvents, const HostFactory& factory)
{
    const StormOptions options = StormOptions::FromEnvironment(defaultSeed, defaultEvents);
    std::vector<StormReport> reports;
    for (int i = 0; i < options.seeds; ++i) {
        const std::uint64_t seed = options.seed + static_cast<std::uint64_t>(i);
        std::printf("storm: STORM_SEED=%llu STORM_EVENTS=%d\n", static_cast<unsigned long long>(seed),
                    options.events);
        std::fflush(stdout);
        reports.push_back(RunStorm(seed, options.events, options, factory));
        std::printf("storm: %s\n", reports.back().Summary().c_str());
        std::fflush(stdout);
    }
    return reports;
}

void PrepareFieldClasses()
{
    const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);
    RegisterDatumEditClass();
    RegisterDatumCtrlClass();
}

} // namespace storm
