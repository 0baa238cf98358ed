// StormRunner.h: the inside of a storm, for the two files that make it up;
// nothing else includes it.
//
//   FieldState, TextRule, BoundRule, FieldPlan, StepPlan
//                 what a step may change, as the event that makes the step
//                 plans it and the checks after the step read it
//   Storm         one storm: its events and popup actions (StormEvents.cpp);
//                 its steps, checks, hooks, watchdog and host dialogs
//                 (Storm.cpp)
#pragma once

#include "tests/storm/support/Storm.h"

#include "controls/DatumEntry.h"
#include "tests/win32/support/DeletionWatch.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace storm {

// A step in which the focus arrives in the dialog more often than this is
// bouncing. The longest honest chain: a click from another application on
// the popup button of an auto-advancing field. The dialog's activation gives
// the focus to its last field, the button takes it, the activation after the
// popup gives it to the button again, the picked day advances it to the next
// field, and the field takes it back.
inline constexpr int kMaxFocusArrivals = 5;
inline constexpr DWORD kAnswerLimitMs = 1000;     // the process must answer a sent message this fast
inline constexpr DWORD kStuckLimitMs = 60000;     // no event may take this long: the watchdog ends the process
inline constexpr DWORD kPopupSettleMs = 30;       // a popup is acted on once it has been shown this long
inline constexpr DWORD kPopupLimitMs = 3000;      // and must have closed this long after
inline constexpr DWORD kRefusedPickMs = 500;      // a popup open this long after a pick its field refuses gets Escape
inline constexpr DWORD kRealInputLimitMs = 2000;  // real clicks and keys must arrive within this
inline constexpr UINT kTickMs = 10;
inline constexpr int kMaxMessagesPerPump = 20000;
inline constexpr int kOutsideEditId = 4242;        // no window of a host dialog has this id

// --- small helpers (Storm.cpp) ---

// A text as the log shows it: printable, quoted, long ones cut short.
std::string Show(const CString& text);
std::string Show(char c);
// The name of a request of the protocol, or null.
const char* CommandName(UINT message);

// --- values ---

struct ValueBits {
    std::uint64_t date = 0;
    std::int32_t status = 0;
    bool operator==(const ValueBits&) const = default;
};

// --- what a step may change ---

struct FieldState {
    CString window;
    CString bound;
    ValueBits value;
    BOOL checks = TRUE;         // the field will check its text when it loses the focus
    BOOL settingText = FALSE;   // its next change is its own rewrite
};

// The texts a field may hold after a step: one of the bases, or what the
// field makes of an accepted base when it leaves (unless strict); any day
// picked in the step's popups when picks count; or anything.
struct TextRule {
    bool any = false;
    bool strict = false;
    bool picks = false;
    std::vector<CString> bases;   // empty: the text before the step
};

enum class BoundRule {
    Keep,         // bound text and value as before
    Any,
    Exactly,      // bound text as given, value as before
    TextToValue,  // bound text is the window text, and the value agrees with it
    Exchanged,    // an exchange may have copied the window text (before or after its rewrite); value as before
};

struct FieldPlan {
    TextRule text;
    BoundRule bound = BoundRule::Keep;
    CString boundText;
};

struct StepPlan {
    std::vector<FieldPlan> fields;
    int verifyField = -1;      // DCM_VERIFY went to this field
    int modifiedField = -1;    // DCM_CHECKMODIFIED went to this field
    int typedField = -1;       // a character went to this field: an accepted change must advance
    bool expectInvalid = false;
    bool expectModified = false;
    bool focusMayLeave = false;    // the step gives the focus to the window outside
    bool focusKnown = false;
    HWND expectFocus = nullptr;    // where the focus must be, when focusKnown
    int expectPopups = -1;         // how many popups must open, when known
    int popupField = -1;           // this field's popup may open
    HWND popupHolder = nullptr;    // the focus when it was asked to open
    bool popupByClick = false;     // asked by a real click on the button
    bool exchangeMayShowBox = false;
    int expectBoxes = -1;          // message boxes the step must show, when known
};

// --- the storm ---

class Storm {
public:
    Storm(std::uint64_t seed, int events, const StormOptions& options, const HostFactory& factory);
    ~Storm();
    Storm(const Storm&) = delete;
    Storm& operator=(const Storm&) = delete;

    StormReport Run();

    // What the thread's hooks, the procedure laid over the host dialog's
    // windows and the popup timer report.
    void OnCreate(const CREATESTRUCTA& create);
    void OnWatchedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnRetrieved(const MSG& message);
    void OnTick();

private:
    // --- life of the host dialogs ---
    bool OpenHost();
    void CloseHost(bool destroy);
    bool DialogAlive() const { return m_dialog != nullptr && ::IsWindow(m_dialog) != FALSE; }

    // --- events ---
    void NextEvent();
    void TypeChar(char c);
    void EventTypeChars();
    void EventTypeDate();
    void EventTab();
    void EventNextDlgCtl();
    void EventDown();
    void EventFocus();
    void EventRealClick();
    void EventButtonClicked();
    void EventHostCommand();
    void EventRules(std::size_t index, UINT command, WPARAM wParam);
    void EventPaste();
    void EventEditMessage();
    void EventRealKeys();
    void EventExchange();
    void EventOutside();
    void EventClose();

    void PlanHostCommand(StepPlan& plan, int index, UINT command, HWND focusBefore);
    void PlanPopup(StepPlan& plan, int index);
    void PlanTab(StepPlan& plan, bool backwards);
    void PlanFocusMove(StepPlan& plan, HWND target);

    // --- steps ---
    void RunStep(const std::string& what, const std::function<void(StepPlan&)>& act);
    void Snapshot(std::vector<FieldState>& states) const;
    void Check(StepPlan& plan, HWND focusBefore);
    void CheckField(std::size_t index, const FieldPlan& plan);
    void CheckNotification(UINT message, WPARAM wParam);
    void ArmExit(std::size_t index);
    void Pump();
    // Waits until the thread retrieves this message (any wParam when 0);
    // the step's input counts as lost when it does not.
    bool WaitForRetrieved(UINT message, WPARAM wParam);
    void Click(HWND window, bool twice);
    // One key pressed and released as the keyboard makes it, with Shift held when asked.
    void PressKey(WORD key, bool shift);
    void SetShift(bool down);
    void SetClipboard(const std::string& bytes);

    // --- popups ---
    void ActOnPopup(HWND popup);
    void Meddle();
    void SendToField(std::size_t index, UINT message, WPARAM wParam, LPARAM lParam);

    // --- looking up ---
    int FieldIndexOf(HWND window) const;
    int FieldIndexOfButton(HWND window) const;
    CDatumEntry* EntryOf(std::size_t index) const;
    std::string NameOf(HWND window) const;
    bool InDialog(HWND window) const
    {
        return window != nullptr && (window == m_dialog || ::IsChild(m_dialog, window));
    }
    bool Outside(HWND window) const
    {
        return window != nullptr && (window == m_outside || ::IsChild(m_outside, window));
    }
    std::size_t RandomField() { return m_rng.Below(static_cast<std::uint32_t>(m_fields.size())); }

    // --- reporting ---
    void Log(const std::string& line);
    // The first line of an event: its number, then what.
    void LogEvent(const std::string& what);
    void Fail(const std::string& message);
    bool Failed() const { return !m_report.passed; }
    std::string Tail() const;
    std::string ReplayLine(int eventNumber) const;
    void Emergency();

    const StormOptions& m_options;
    const HostFactory& m_factory;
    const std::uint64_t m_seed;
    const int m_events;
    Prng m_rng;
    StormReport m_report;

    std::unique_ptr<StormHost> m_host;
    HWND m_dialog = nullptr;
    std::vector<Field> m_fields;
    std::vector<HWND> m_fieldWindows;
    std::vector<HWND> m_buttonWindows;   // the popup button of each field, null for a date edit
    std::unique_ptr<test::DeletionWatch> m_deletions;   // the objects of the fields and buttons
    std::vector<std::unique_ptr<DayPattern>> m_dayPatterns;   // the day rules set, alive with their dialog
    HWND m_outside = nullptr;
    HWND m_outsideEdit = nullptr;

    // The step in progress.
    StepPlan* m_plan = nullptr;
    std::vector<FieldState> m_before;
    int m_focusArrivals = 0;
    int m_popupsOpened = 0;
    int m_invalids = 0;
    int m_modifieds = 0;
    int m_boxes = 0;
    std::vector<CString> m_picks;
    std::vector<bool> m_meddled;
    bool m_inputLost = false;   // real input of the step never arrived: what it would have done is unknown

    // Each field's last loss of the focus that has not been reported yet:
    // its text as typed and its entry text at that moment.
    struct PendingExit {
        bool armed = false;
        CString typed;
        CString entry;
    };
    std::vector<PendingExit> m_pendingExits;

    // Popups.
    struct SeenPopup {
        HWND window;
        DWORD shownAt;
        DWORD actedAt;
        bool acted;
        std::string action;
        bool pickMayBeRefused = false;   // the day picked is one the field's rules refuse
    };
    std::vector<SeenPopup> m_popups;
    bool m_inTick = false;

    // Waiting for real input.
    UINT m_waitMessage = 0;
    WPARAM m_waitParam = 0;
    int m_arrived = 0;

    // The log, which the watchdog reads too.
    mutable std::mutex m_logMutex;
    std::vector<std::pair<int, std::string>> m_log;
    int m_event = 0;

    // The watchdog.
    HWND m_heartbeat = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_progress{0};
    std::atomic<int> m_lateAnswers{0};
    std::atomic<int> m_lateEvent{-1};
    int m_lateReported = 0;
    std::thread m_watchdog;

    HHOOK m_cbtHook = nullptr;
    HHOOK m_retrievedHook = nullptr;
    UINT_PTR m_timer = 0;
};

} // namespace storm
