// The date controls under a plain dialog procedure, bound by window handle:
// every scenario sends exactly the messages that it sends under a framework
// dialog bound by data exchange, and ends in the same state, under a wide
// (Unicode) dialog too; setting and reading the date by handle, with narrow
// or wide texts, follow the rules of typed text.
#include "controls/DatumBinding.h"
#include "platform/core/ClockForTesting.h"
#include "tests/controls/DatumCtrlFixture.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/ImportPatch.h"
#include "tests/controls/support/PopupDriver.h"
#include "tests/win32/support/DeletionWatch.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {
namespace {

enum class Host {
    Framework,           // a framework dialog, bound by its data exchange: the reference
    Plain,               // a plain dialog procedure, bound by DatumBind
    FrameworkByHandle,   // a framework dialog, bound by DatumBind: no second reflection
    Unicode,             // a plain dialog procedure of a wide dialog, as a Unicode program has
};

const char* NameOf(Host host)
{
    switch (host) {
    case Host::Framework: return "framework dialog";
    case Host::Plain: return "plain dialog procedure";
    case Host::FrameworkByHandle: return "framework dialog bound by handle";
    case Host::Unicode: return "wide dialog procedure";
    }
    return "";
}

struct Scenario {
    const char* name;
    const char* className;
    Binding first;
    Binding second;
    std::function<void(const DialogSteps& dialog)> act;
};

// A real click on the first field's button, then on 24 January 2007 in the popup.
void PickDayInPopup(const DialogSteps& dialog)
{
    PopupDriver driver([](CKalenderPopupDlg& popup) {
        POINT day{};
        if (CalendarDayPoint(::GetDlgItem(popup.m_hWnd, IDC_CALENDAR), 2007, 1, 24, &day))
            ClickAt(day);
    });
    ClickAt(CentreOf(PopupButtonOf(dialog.Item(kCtrlIds.first))));
    EXPECT_TRUE(dialog.PumpUntil([&] { return driver.scriptRan; }));
    EXPECT_FALSE(driver.timedOut);
}

void SetText(const DialogSteps& dialog, int id, const char* text) { ::SetWindowTextA(dialog.Item(id), text); }

void Send(const DialogSteps& dialog, int id, UINT request) { ::SendMessageA(dialog.Item(id), request, 0, 0); }

// A key pressed in the field through the queue, with Ctrl held when asked.
void PressKey(const DialogSteps& dialog, int id, WPARAM virtualKey, bool ctrl = false)
{
    BYTE keys[256] = {};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::PostMessageA(dialog.Item(id), WM_KEYDOWN, virtualKey, 1);
    dialog.Pump();
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

constexpr int kFirstField = kCtrlIds.first;
constexpr int kSecondField = kCtrlIds.second;

CDateValue Day(const char* dashed)
{
    CDateValue day;
    day.Parse(dashed);
    return day;
}

const Scenario kScenarios[] = {
    {"tab out changed", "DatumCtrl", {}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "070115");
         d.Tab();
     }},
    {"tab out unchanged", "DatumEdit", {.initial = "20240105"}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Tab();
         d.Tab();
     }},
    {"refused text taken back, the other field skips once", "DatumEdit", {}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "20240230");
         d.Tab();
         SetText(d, kFirstField, "20240229");
         d.Tab();
         d.Tab();
     }},
    {"required empty field lets Cancel have the focus, nothing else", "DatumCtrl", {.flags = DCF_REQUIRED}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         ::SetFocus(d.Item(IDCANCEL));
         d.Pump();
         d.Focus(kFirstField);
         d.Tab();
     }},
    {"auto-advance", "DatumEdit", {.flags = DCF_AUTOADVANCE}, {.flags = DCF_ALTEXIT},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "20070115");
         d.Tab();
     }},
    {"host commands, the second field without a limit", "DatumCtrl", {}, {.maxLen = 0, .initial = "2007-01-15"},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         Send(d, kSecondField, DCM_VALUETOTEXT);   // the initial text's own value: nothing modified
         Send(d, kSecondField, DCM_CHECKMODIFIED);
         SetText(d, kFirstField, "2007-02-30");
         Send(d, kFirstField, DCM_VERIFY);
         Send(d, kSecondField, DCM_VERIFY);
         SetText(d, kSecondField, "070116");
         Send(d, kSecondField, DCM_CHECKMODIFIED);
         Send(d, kSecondField, DCM_TEXTTOVALUE);
         Send(d, kSecondField, DCM_CHECKMODIFIED);
         Send(d, kSecondField, DCM_CLEAR);
     }},
    {"a date outside the range explained, then one inside", "DatumCtrl",
     {.flags = DCF_EXPLAIN, .minDate = Day("2007-01-01"), .maxDate = Day("2007-12-31")}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "080115");
         d.Tab();
         SetText(d, kFirstField, "070115");
         d.Tab();
     }},
    {"a blocked day explained, then an allowed one", "DatumEdit",
     {.flags = DCF_EXPLAIN, .dayRule = DatumWeekdaysOnly}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "20261226");
         d.Tab();
         Send(d, kFirstField, DCM_VERIFY);
         SetText(d, kFirstField, "20261228");
         d.Tab();
     }},
    {"a date stepped by keys, then left", "DatumCtrl", {.flags = DCF_STEPKEYS | DCF_LOCALFORMS}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         d.Type(kFirstField, "8.12.2026+");
         PressKey(d, kFirstField, VK_NEXT);
         d.Tab();
     }},
    {"day picked in the popup", "DatumCtrl", {.initial = "2007-01-15"}, {},
     [](const DialogSteps& d) {
         d.Focus(kFirstField);
         PickDayInPopup(d);
         d.Tab();
     }},
};

// What one host did in one scenario.
struct Outcome {
    std::unique_ptr<ProtocolLog> log;
    CString text[2];
    int focusId = 0;
    bool subclassed = false;             // its messages go first to neither its class's procedure nor the framework's
    int temporaries = 0;                 // window objects of the framework's handle map left over
    bool wideDialog = false;             // the dialog is a Unicode window, its subclass on
    bool wideField = false;              // the first field is one
};

// One open dialog of a host, bound as that host binds.
struct OpenHost {
    std::unique_ptr<HostDialog> framework;
    std::unique_ptr<PlainHostDialog> plain;
    HWND dialog = nullptr;

    OpenHost(Host host, const char* className, Binding first, Binding second)
    {
        first.byHandle = second.byHandle = host == Host::FrameworkByHandle;
        if (host == Host::Plain || host == Host::Unicode) {
            plain = std::make_unique<PlainHostDialog>(className, first, second, kCtrlIds);
            EXPECT_TRUE(plain->Open(host == Host::Unicode));
            dialog = plain->m_hWnd;
        } else {
            framework = std::make_unique<HostDialog>(className, first, second, kCtrlIds);
            EXPECT_TRUE(framework->Open());
            dialog = framework->m_hWnd;
        }
    }
};

constexpr Host kHosts[] = {Host::Framework, Host::Plain, Host::FrameworkByHandle, Host::Unicode};

Outcome RunIn(Host host, const Scenario& scenario)
{
    const OpenHost open(host, scenario.className, scenario.first, scenario.second);
    const HWND dialog = open.dialog;
    const DialogSteps steps{dialog};
    Outcome outcome;
    const WNDPROC first = win32::GetWindowProc(dialog);
    outcome.subclassed = first != reinterpret_cast<WNDPROC>(::GetClassLongPtrA(dialog, GCLP_WNDPROC)) &&
                         first != AfxGetAfxWndProc();
    outcome.log = std::make_unique<ProtocolLog>(dialog, kCtrlIds);
    const WindowObjectCensus census;
    scenario.act(steps);
    outcome.text[0] = TextOf(steps.Item(kFirstField));
    outcome.text[1] = TextOf(steps.Item(kSecondField));
    outcome.focusId = steps.FocusId();
    outcome.temporaries = census.Live();
    outcome.wideDialog = ::IsWindowUnicode(dialog) != FALSE;
    outcome.wideField = ::IsWindowUnicode(steps.Item(kFirstField)) != FALSE;
    outcome.log->UnwatchAll();   // what the dialog's end sends is no part of the scenario
    return outcome;
}

class PlainHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { DatumRegisterClasses(); }
};

// Each scenario runs under the framework dialog, then under a plain dialog
// procedure, a wide one and a framework dialog that binds by handle: the
// same notifications and requests in the same order, the same texts and
// focus. Only the plain parents carry the reflecting subclass; the wide
// dialog stays a Unicode window under it, while the controls stay
// single-byte ones. No temporary window object outlives its dispatch.
TEST_F(PlainHostTest, ProtocolEqualsTheFrameworkHosts)
{
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const Outcome reference = RunIn(Host::Framework, scenario);
        ASSERT_FALSE(reference.log->Log().empty());
        EXPECT_FALSE(reference.subclassed);
        EXPECT_EQ(reference.temporaries, 0);
        for (Host host : std::span(kHosts).subspan(1)) {
            SCOPED_TRACE(NameOf(host));
            const Outcome outcome = RunIn(host, scenario);
            EXPECT_TRUE(outcome.log->Matches(ExactlyAsLogged(reference.log->Log())));
            EXPECT_EQ(outcome.text[0], reference.text[0]);
            EXPECT_EQ(outcome.text[1], reference.text[1]);
            EXPECT_EQ(outcome.focusId, reference.focusId);
            EXPECT_EQ(outcome.subclassed, host == Host::Plain || host == Host::Unicode);
            EXPECT_EQ(outcome.wideDialog, host == Host::Unicode);
            EXPECT_FALSE(outcome.wideField);
            EXPECT_EQ(outcome.temporaries, 0);
        }
    }
}

// Whether the field gets its notifications back: a short date typed into it
// is rewritten when the focus leaves.
bool RewritesOnLeaving(const DialogSteps& steps, int id)
{
    steps.Focus(id);
    steps.Type(id, "070115");
    steps.Tab();
    return TextOf(steps.Item(id)) == "2007-01-15";
}

// A host subclasses its dialog with a procedure that comes off only from the
// top (the message recorder) before the fields are bound or after, removes
// it before the fields go or after, or leaves both when the dialog ends: the
// fields work while bound, the host sees the dialog's messages until it goes
// (WM_NCDESTROY too), the dialog manager works, and the dialog's own
// procedure is back unless a subclass stays as a pass-through.
TEST_F(PlainHostTest, AHostSubclassOfTheDialogComesAndGoesInAnyOrder)
{
    enum End { kHostGoesFirst, kFieldsGoFirst, kDialogEndsWithBoth };
    const struct {
        bool hostFirst;   // the host subclasses before the binding
        End end;
        bool ownBack;     // the dialog's own procedure is back at the end
    } rows[] = {
        {true, kHostGoesFirst, false},   // the host's stays under ours, passing messages on
        {false, kFieldsGoFirst, false},  // ours stays under the host's until the dialog ends
        {true, kFieldsGoFirst, true},       {false, kHostGoesFirst, true},
        {true, kDialogEndsWithBoth, false}, {false, kDialogEndsWithBoth, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "host first " << row.hostFirst << ", end " << row.end);
        PlainHostDialog dialog("DatumCtrl", {.bind = false}, {.bind = false}, kCtrlIds);
        ASSERT_TRUE(dialog.Open());
        const HWND hostDialog = dialog.m_hWnd;
        const DialogSteps steps{hostDialog};
        const WNDPROC own = win32::GetWindowProc(hostDialog);
        MessageRecorder host;
        if (row.hostFirst)
            host.Watch(hostDialog, kRoleParent, "parent");
        EXPECT_TRUE(DatumBind(steps.Item(kFirstField), {}) && DatumBind(steps.Item(kSecondField), {}));
        if (!row.hostFirst)
            host.Watch(hostDialog, kRoleParent, "parent");
        EXPECT_TRUE(RewritesOnLeaving(steps, kFirstField));
        if (row.end == kDialogEndsWithBoth) {
            ::DestroyWindow(std::exchange(dialog.m_hWnd, nullptr));
            EXPECT_EQ(host.Log().back().message, UINT{WM_NCDESTROY});
            continue;
        }
        const std::size_t seenBound = host.Log().size();
        if (row.end == kHostGoesFirst) {
            host.Unwatch(hostDialog);
            EXPECT_TRUE(RewritesOnLeaving(steps, kSecondField));
        }
        ::DestroyWindow(steps.Item(kFirstField));
        ::DestroyWindow(steps.Item(kSecondField));
        steps.Focus(kCtrlIds.plainEdit);
        EXPECT_EQ(host.Log().size() > seenBound, row.end == kFieldsGoFirst);
        host.UnwatchAll();
        steps.Tab();
        EXPECT_EQ(steps.FocusId(), IDOK);
        EXPECT_EQ(win32::GetWindowProc(hostDialog) == own, row.ownBack);
    }
}

// A set by handle is judged and rewritten like a typed text on leaving,
// without moving the focus on; a refused one changes nothing. A read judges
// the text as leaving would, a missing required date included. The wide
// functions give the same results; a wide text that is not plain ASCII is
// refused, also where dropping the high bytes would leave a date.
TEST_F(PlainHostTest, SetAndReadFollowTheRulesOfTypedText)
{
    constexpr DatumResult kOk = DatumResult::Ok;
    constexpr DatumResult kRefused = DatumResult::Refused;
    struct Case {
        const char* className;
        int flags;
        const char* set;         // through both the narrow and the wide functions
        DatumResult setResult;
        const char* shown;       // the window text afterwards
        DatumResult readResult;
        const char* read;
        const wchar_t* wideSet = nullptr;   // instead: only through the wide functions
    };
    const Case cases[] = {
        {"DatumCtrl", DCF_AUTOADVANCE, "070115", kOk, "2007-01-15", kOk, "2007-01-15"},
        {"DatumEdit", DCF_AUTOADVANCE, "2007-01-15", kOk, "20070115", kOk, "20070115"},
        {"DatumCtrl", 0, "200115", kRefused, "20010101", kOk, "2001-01-01"},   // the control's own rule
        {"DatumEdit", 0, "20240230", kRefused, "20010101", kOk, "20010101"},
        {"DatumEdit", 0, "abc", kRefused, "20010101", kOk, "20010101"},
        {"DatumEdit", 0, "24-12-15", kOk, "20241215", kOk, "20241215"},       // yy-mm-dd, read whole
        {"DatumCtrl", 0, "08.12.26", kRefused, "20010101", kOk, "2001-01-01"}, // never misread by position
        {"DatumEdit", 0, "", kOk, "", kOk, ""},
        {"DatumCtrl", DCF_REQUIRED, "", kOk, "", kRefused, "untouched"},
        {"DatumEdit", 0, nullptr, kRefused, "20010101", kOk, "20010101", L"\u0132\u0130\u0130\u0137\u0130\u0131\u0131\u0135"},
        {"DatumCtrl", 0, nullptr, kRefused, "20010101", kOk, "2001-01-01", L"2007\u201101\u201115"},
        {"DatumCtrl", 0, nullptr, kRefused, "20010101", kOk, "2001-01-01", L"2007\u008001\u008015"},
    };
    for (const Case& c : cases) {
        for (const bool wide : {false, true}) {
            if (c.set == nullptr && !wide)
                continue;
            SCOPED_TRACE(::testing::Message() << c.className << (wide ? " wide" : "") << " set \""
                                              << (c.set != nullptr ? c.set : "(wide)") << "\"");
            PlainHostDialog dialog(c.className, {.flags = c.flags, .initial = "20010101"}, {}, kCtrlIds);
            ASSERT_TRUE(dialog.Open(wide));
            const DialogSteps steps{dialog.m_hWnd};
            const HWND field = steps.Item(kFirstField);
            steps.Focus(kFirstField);
            ProtocolLog log(dialog.m_hWnd, kCtrlIds);

            std::string read = "untouched";
            if (wide) {
                const std::string narrow = c.set != nullptr ? c.set : "";
                const std::wstring set = c.wideSet != nullptr ? c.wideSet : std::wstring(narrow.begin(), narrow.end());
                EXPECT_EQ(DatumSetText(field, set.c_str()), c.setResult);
                std::wstring wideRead(read.begin(), read.end());
                EXPECT_EQ(DatumGetTextW(field, &wideRead), c.readResult);
                read.assign(wideRead.begin(), wideRead.end());
            } else {
                EXPECT_EQ(DatumSetText(field, c.set), c.setResult);
                EXPECT_EQ(DatumGetText(field, &read), c.readResult);
            }
            EXPECT_EQ(TextOf(field), c.shown);
            EXPECT_EQ(steps.FocusId(), kFirstField);
            EXPECT_EQ(read, c.read);
            // Window and stored text agree: no DCN_MODIFIED.
            Send(steps, kFirstField, DCM_CHECKMODIFIED);
            std::vector<Expect> sent;
            if (c.setResult == kOk)
                sent.push_back(Change(kFirstField));
            sent.push_back(Request(DCM_CHECKMODIFIED, kRoleFirst));
            EXPECT_TRUE(log.Matches(sent));
        }
    }
}

// Dates go in and out as values of either kind; a window that is no bound
// date control is refused, and the first binding stays. A binding that
// gives no length limits typing to the ten characters of yyyy-mm-dd; length
// 0 leaves the edit's own limit.
TEST_F(PlainHostTest, DatesByValueAndWindowsWithoutBinding)
{
    PlainHostDialog dialog("DatumCtrl", {.bind = false}, {.bind = false}, kCtrlIds);
    ASSERT_TRUE(dialog.Open());
    const DialogSteps steps{dialog.m_hWnd};
    ASSERT_TRUE(DatumBind(steps.Item(kFirstField), {}));
    ASSERT_TRUE(DatumBind(steps.Item(kSecondField), {.maxLen = 0, .dateTime = true}));
    auto limitOf = [&](int id) { return ::SendMessageA(steps.Item(id), EM_GETLIMITTEXT, 0, 0); };
    EXPECT_EQ(limitOf(kFirstField), 10);
    EXPECT_EQ(limitOf(kSecondField), limitOf(kCtrlIds.plainEdit));
    CDateValue date;
    date.Parse("20070115");
    EXPECT_EQ(DatumSetDate(steps.Item(kFirstField), date), DatumResult::Ok);
    CDateTimeValue dateTime;
    EXPECT_EQ(DatumGetDateTime(steps.Item(kFirstField), &dateTime), DatumResult::Ok);
    EXPECT_EQ(DatumSetDateTime(steps.Item(kSecondField), dateTime), DatumResult::Ok);
    CDateValue back;
    EXPECT_EQ(DatumGetDate(steps.Item(kSecondField), &back), DatumResult::Ok);
    EXPECT_EQ(back, date);
    EXPECT_EQ(TextOf(steps.Item(kSecondField)), "2007-01-15");
    date.day = 30;
    date.month = 2;
    EXPECT_EQ(DatumSetDate(steps.Item(kFirstField), date), DatumResult::Refused);

    EXPECT_FALSE(DatumBind(steps.Item(kFirstField), {.flags = DCF_REQUIRED}));
    EXPECT_FALSE(DatumBind(steps.Item(kCtrlIds.plainEdit), {}));
    EXPECT_EQ(DatumSetText(steps.Item(kCtrlIds.plainEdit), "20070115"), DatumResult::NotBound);
    EXPECT_EQ(DatumSetText(steps.Item(kCtrlIds.plainEdit), L"\u00E5"), DatumResult::NotBound);
    std::wstring wide;
    EXPECT_EQ(DatumGetTextW(steps.Item(IDOK), &wide), DatumResult::NotBound);
    EXPECT_EQ(DatumGetDate(steps.Item(IDOK), &back), DatumResult::NotBound);
    // Without a parent there is no one to notify: no binding.
    HWND orphan = ::CreateWindowExA(0, "DatumEdit", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(DatumBind(orphan, {}));
    ::DestroyWindow(orphan);

    // Under a framework dialog a set reaches the bound member too; a binding
    // without a value takes the text alone.
    HostDialog framework("DatumCtrl", {}, {.value = false}, kCtrlIds);
    ASSERT_TRUE(framework.Open());
    EXPECT_EQ(DatumSetText(framework.Item(kFirstField), "070115"), DatumResult::Ok);
    EXPECT_EQ(framework.date[0].FormatCompact(), "20070115");
    EXPECT_EQ(DatumSetText(framework.Item(kSecondField), "070115"), DatumResult::Ok);
    EXPECT_EQ(framework.text[1], "2007-01-15");
}

// The lines written to the debugger's output while it lives, caught where a
// debugger catches them: OutputDebugStringA raises DBG_PRINTEXCEPTION_C.
class DebugOutputCapture {
public:
    DebugOutputCapture() : m_handler(::AddVectoredExceptionHandler(1, &Catch)) { s_lines = &m_lines; }
    ~DebugOutputCapture()
    {
        ::RemoveVectoredExceptionHandler(m_handler);
        s_lines = nullptr;
    }
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    static LONG CALLBACK Catch(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (s_lines && record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2)
            s_lines->emplace_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static inline std::vector<std::string>* s_lines = nullptr;
    std::vector<std::string> m_lines;
    void* m_handler;
};

// A field created with an id that the controls keep for their own windows
// (every calendar button, the calendar) names the clash once in the
// debugger's output; a field with any other id writes nothing there.
TEST_F(PlainHostTest, AReservedIdIsNamedInTheDebuggerOutput)
{
    PlainHostDialog dialog("DatumCtrl", {.bind = false}, {.bind = false}, kCtrlIds);
    ASSERT_TRUE(dialog.Open());
    struct Row {
        const char* className;
        int id;
        bool reserved;
    };
    const Row rows[] = {
        {"DatumCtrl", IDC_POPUPBUTTON, true}, {"DatumEdit", IDC_POPUPBUTTON, true},
        {"DatumCtrl", IDC_CALENDAR, true},    {"DatumEdit", IDC_CALENDAR, true},
        {"DatumCtrl", 1010, false},           {"DatumEdit", 1000, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.className) + " " + std::to_string(row.id));
        std::vector<std::string> said;
        {
            DebugOutputCapture capture;
            HWND field = ::CreateWindowExA(0, row.className, "", WS_CHILD | WS_BORDER, 10, 200, 80, 20, dialog.m_hWnd,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), nullptr, nullptr);
            ASSERT_NE(field, nullptr);
            ::DestroyWindow(field);
            for (const std::string& line : capture.Lines())
                if (line.find("Corvanel") != std::string::npos)
                    said.push_back(line);
        }
        if (!row.reserved) {
            EXPECT_TRUE(said.empty());
            continue;
        }
        ASSERT_EQ(said.size(), 1u);
        EXPECT_NE(said[0].find("\"" + std::string(row.className) + "\""), std::string::npos) << said[0];
        EXPECT_NE(said[0].find("id " + std::to_string(row.id)), std::string::npos) << said[0];
        EXPECT_NE(said[0].find("1001 and 1002 are reserved"), std::string::npos) << said[0];
    }
}

bool Sent(const ProtocolLog& log, UINT notification)
{
    for (const Recorded& entry : log.Log())
        if (entry.role == kRoleParent && entry.message == notification)
            return true;
    return false;
}

// The three ways a host sets a range, a day rule and a locale: SetRange,
// SetDayRule and SetLocale under a framework dialog, DatumBind, and the
// messages.
enum class RulesBy { Functions, Binding, Message };

// Opens a host of one field whose range, day rule and locale are set the given way.
struct RangedHost {
    std::unique_ptr<HostDialog> framework;
    std::unique_ptr<PlainHostDialog> plain;
    HWND dialog = nullptr;

    RangedHost(RulesBy by, const char* className, Binding binding)
    {
        if (by == RulesBy::Functions) {
            framework = std::make_unique<HostDialog>(className, binding, Binding{}, kCtrlIds);
            EXPECT_TRUE(framework->Open());
            dialog = framework->m_hWnd;
            return;
        }
        Binding bound = binding;
        if (by == RulesBy::Message) {
            bound.minDate = bound.maxDate = CDateValue();
            bound.dayRule = nullptr;
            bound.dayRuleContext = nullptr;
            bound.locale = nullptr;
            bound.partial = DatumPartial::Nearest;
        }
        plain = std::make_unique<PlainHostDialog>(className, bound, Binding{}, kCtrlIds);
        EXPECT_TRUE(plain->Open());
        dialog = plain->m_hWnd;
        if (by == RulesBy::Message) {
            const CDateValue range[2] = {binding.minDate, binding.maxDate};
            EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, kFirstField), DCM_SETRANGE, 0, win32::ToLParam(range)), 1);
            const DatumDayRuleSpec rule{binding.dayRule, binding.dayRuleContext};
            EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, kFirstField), DCM_SETDAYRULE, 0, win32::ToLParam(&rule)), 1);
            EXPECT_EQ(::SendMessageA(::GetDlgItem(dialog, kFirstField), DCM_SETLOCALE,
                                     static_cast<WPARAM>(binding.partial), win32::ToLParam(binding.locale)),
                      1);
        }
    }
};

// A date outside the range is refused wherever an impossible one is, in
// every form and for the keyword letters, whichever way the host set the
// range: leaving keeps the focus and sends nothing, DCM_VERIFY reports
// DCN_INVALID, a read and a set answer Refused. The limits themselves are
// inside; an empty side has no limit.
TEST_F(PlainHostTest, DatesOutsideTheRangeAreRefusedEverywhere)
{
    platform::testing::FixedClock clock(2026, 6, 15);
    struct Case {
        const char* className;
        const char* earliest;
        const char* latest;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"DatumCtrl", "2026-01-01", "2026-12-31", "2026-01-01", true},
        {"DatumCtrl", "2026-01-01", "2026-12-31", "2025-12-31", false},
        {"DatumCtrl", "2026-01-01", "2026-12-31", "20261231", true},
        {"DatumCtrl", "2026-01-01", "2026-12-31", "20270101", false},
        {"DatumEdit", "2026-01-01", "2026-12-31", "261231", true},    // two-digit years are windowed
        {"DatumEdit", "2026-01-01", "2026-12-31", "991231", false},   // 1999
        {"DatumEdit", "2026-01-01", "2026-12-31", "2026-02-29", false},   // impossible inside the range
        {"DatumEdit", "2026-01-01", "2026-12-31", "", true},
        {"DatumEdit", "", "2026-06-15", "D", true},
        {"DatumEdit", "", "2026-06-15", "G", true},
        {"DatumEdit", "", "2026-06-15", "M", false},   // tomorrow lies past the latest date
        {"DatumEdit", "2026-06-15", "", "G", false},
        {"DatumEdit", "2026-06-15", "", "M", true},
        {"DatumCtrl", "2026-06-15", "", "99991231", true},
        {"DatumCtrl", "", "2026-06-15", "00010101", true},
    };
    for (RulesBy by : {RulesBy::Functions, RulesBy::Binding, RulesBy::Message}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.className << " " << c.earliest << ".." << c.latest << " \""
                                              << c.text << "\" set by " << static_cast<int>(by));
            RangedHost host(by, c.className, {.minDate = Day(c.earliest), .maxDate = Day(c.latest)});
            const DialogSteps steps{host.dialog};
            const HWND field = steps.Item(kFirstField);
            steps.Focus(kFirstField);
            ::SetWindowTextA(field, c.text);
            ProtocolLog log(host.dialog, kCtrlIds);
            steps.Tab();
            EXPECT_EQ(steps.FocusId(), c.accepted ? kSecondField : kFirstField);
            EXPECT_EQ(Sent(log, DCN_EXITCHANGED) || Sent(log, DCN_EXITUNCHANGED), c.accepted);
            log.Clear();
            ::SetWindowTextA(field, c.text);
            Send(steps, kFirstField, DCM_VERIFY);
            EXPECT_EQ(Sent(log, DCN_INVALID), !c.accepted);
            std::string read;
            EXPECT_EQ(DatumGetText(field, &read), c.accepted ? DatumResult::Ok : DatumResult::Refused);
            EXPECT_EQ(DatumSetText(field, c.text), c.accepted ? DatumResult::Ok : DatumResult::Refused);
        }
    }

    // A range whose earliest date lies after its latest, or with an
    // impossible side, is refused by each way and stores nothing: the range
    // set before still holds, and DatumBind binds nothing.
    HostDialog framework("DatumCtrl", {.minDate = Day("2026-01-01"), .maxDate = Day("2026-12-31")}, {}, kCtrlIds);
    ASSERT_TRUE(framework.Open());
    const HWND field = framework.Item(kFirstField);
    const CDateValue reversed[2] = {Day("2026-12-31"), Day("2026-01-01")};
    const CDateValue impossible[2] = {Day("2026-02-30"), CDateValue()};
    EXPECT_FALSE(framework.Control(kFirstField).SetRange(reversed[0], reversed[1]));
    EXPECT_EQ(::SendMessageA(field, DCM_SETRANGE, 0, win32::ToLParam(reversed)), 0);
    EXPECT_EQ(::SendMessageA(field, DCM_SETRANGE, 0, win32::ToLParam(impossible)), 0);
    EXPECT_EQ(::SendMessageA(field, DCM_SETRANGE, 0, 0), 0);
    EXPECT_EQ(DatumSetText(field, "2027-01-01"), DatumResult::Refused);
    EXPECT_EQ(DatumSetText(field, "2026-12-31"), DatumResult::Ok);
    // So is a side whose year the display forms do not write in full: below
    // 100 (it would read back windowed) or above 9999.
    CDateValue tenThousand = Day("9999-12-31");
    tenThousand.year = 10000;
    const CDateValue shortYear[2] = {Day("0099-12-31"), CDateValue()};
    const CDateValue longYear[2] = {CDateValue(), tenThousand};
    for (const CDateValue* sides : {shortYear, longYear}) {
        EXPECT_FALSE(framework.Control(kFirstField).SetRange(sides[0], sides[1]));
        EXPECT_EQ(::SendMessageA(field, DCM_SETRANGE, 0, win32::ToLParam(sides)), 0);
    }
    EXPECT_EQ(DatumSetText(field, "2027-01-01"), DatumResult::Refused);
    PlainHostDialog plain("DatumCtrl", {.bind = false}, {.bind = false}, kCtrlIds);
    ASSERT_TRUE(plain.Open());
    const HWND unbound = ::GetDlgItem(plain.m_hWnd, kFirstField);
    EXPECT_FALSE(DatumBind(unbound, {.minDate = reversed[0], .maxDate = reversed[1]}));
    EXPECT_FALSE(DatumBind(unbound, {.minDate = shortYear[0]}));
    EXPECT_FALSE(DatumBind(unbound, {.maxDate = tenThousand}));
    EXPECT_EQ(DatumSetText(unbound, "2026-06-15"), DatumResult::NotBound);

    // A binding's range is in place before its initial text goes in: with
    // auto-advance, an initial date outside it leaves the focus in the field.
    for (const char* className : {"DatumEdit", "DatumCtrl"}) {
        SCOPED_TRACE(className);
        PlainHostDialog late(className, {.bind = false}, {.bind = false}, kCtrlIds);
        ASSERT_TRUE(late.Open());
        const DialogSteps steps{late.m_hWnd};
        steps.Focus(kFirstField);
        EXPECT_TRUE(DatumBind(steps.Item(kFirstField),
                              {.flags = DCF_AUTOADVANCE, .initial = "2030-01-01", .maxDate = Day("2026-12-31")}));
        steps.Pump();
        EXPECT_EQ(steps.FocusId(), kFirstField);
    }
}

// A day the rule blocks is refused wherever a date outside the range is, in
// every form and for the keyword letters, whichever way the host set the
// rule: its change does not advance, leaving keeps the focus, sends nothing
// and explains the rule's reason, DCM_VERIFY reports DCN_INVALID,
// DCM_TEXTTOVALUE leaves the text, a read and a set answer Refused. With a
// range too, a date outside it is explained by the range. Without a rule,
// Saturdays are dates like any other.
TEST_F(PlainHostTest, BlockedDaysAreRefusedEverywhere)
{
    platform::testing::FixedClock clock(2026, 12, 13);   // a Sunday
    struct Case {
        const char* className;
        int flags;
        DatumDayRule rule;
        const char* earliest;
        const char* latest;
        const char* text;
        const char* sentence;   // empty: accepted
    };
    const DatumDayRule kWeekdays = DatumWeekdaysOnly;
    const char* const kSaturday = "2026-12-26 cannot be chosen: a Saturday.";
    const char* const kSunday = "2026-12-13 cannot be chosen: a Sunday.";
    const Case cases[] = {
        {"DatumCtrl", 0, kWeekdays, "", "", "2026-12-26", kSaturday},
        {"DatumCtrl", 0, kWeekdays, "", "", "20261228", ""},
        {"DatumEdit", 0, kWeekdays, "", "", "261226", kSaturday},
        {"DatumEdit", 0, kWeekdays, "", "", "D", kSunday},
        {"DatumEdit", 0, kWeekdays, "", "", "G", "2026-12-12 cannot be chosen: a Saturday."},
        {"DatumEdit", 0, kWeekdays, "", "", "M", ""},
        {"DatumCtrl", DCF_QUICKENTRY, kWeekdays, "", "", "d", kSunday},
        {"DatumCtrl", DCF_QUICKENTRY, kWeekdays, "", "", "+13", kSaturday},
        {"DatumCtrl", DCF_QUICKENTRY, kWeekdays, "", "", "+2w", "2026-12-27 cannot be chosen: a Sunday."},
        {"DatumEdit", DCF_QUICKENTRY, kWeekdays, "", "", "+1", ""},
        {"DatumCtrl", 0, kWeekdays, "2026-12-01", "2026-12-31", "2027-01-04",
         "Choose a date from 2026-12-01 to 2026-12-31."},
        {"DatumCtrl", 0, kWeekdays, "2026-12-01", "2026-12-31", "2026-12-26", kSaturday},
        {"DatumCtrl", 0, kWeekdays, "2026-12-01", "2026-12-31", "2026-12-29", ""},
        {"DatumCtrl", 0, nullptr, "", "", "2026-12-26", ""},
        {"DatumEdit", 0, nullptr, "", "", "D", ""},
    };
    for (RulesBy by : {RulesBy::Functions, RulesBy::Binding, RulesBy::Message}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.className << " " << c.earliest << ".." << c.latest << " \""
                                              << c.text << "\" rule " << (c.rule != nullptr) << " set by "
                                              << static_cast<int>(by));
            const bool accepted = *c.sentence == '\0';
            RangedHost host(by, c.className,
                            {.flags = c.flags | DCF_AUTOADVANCE | DCF_EXPLAIN, .minDate = Day(c.earliest),
                             .maxDate = Day(c.latest), .dayRule = c.rule});
            const DialogSteps steps{host.dialog};
            const HWND field = steps.Item(kFirstField);
            const auto* entry = dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(field));
            ASSERT_NE(entry, nullptr);
            steps.Focus(kFirstField);
            ProtocolLog log(host.dialog, kCtrlIds);
            ::SetWindowTextA(field, c.text);   // an accepted text advances at once
            steps.Pump();
            if (steps.FocusId() == kFirstField)
                steps.Tab();
            EXPECT_EQ(steps.FocusId(), accepted ? kSecondField : kFirstField);
            EXPECT_EQ(Sent(log, DCN_EXITCHANGED) || Sent(log, DCN_EXITUNCHANGED), accepted);
            EXPECT_EQ(ShownTooltipText(), c.sentence);
            if (accepted)
                continue;
            log.Clear();
            Send(steps, kFirstField, DCM_VERIFY);
            EXPECT_TRUE(Sent(log, DCN_INVALID));
            Send(steps, kFirstField, DCM_TEXTTOVALUE);
            EXPECT_EQ(TextOf(field), c.text);
            EXPECT_EQ(steps.FocusId(), kFirstField);
            std::string read;
            EXPECT_EQ(DatumGetText(field, &read), DatumResult::Refused);
            EXPECT_EQ(DatumSetText(field, c.text), DatumResult::Refused);
        }
    }
    // A null rule removes the rule; a null lParam stores nothing.
    RangedHost host(RulesBy::Message, "DatumCtrl", {.dayRule = DatumWeekdaysOnly});
    const HWND field = ::GetDlgItem(host.dialog, kFirstField);
    EXPECT_EQ(DatumSetText(field, "2026-12-26"), DatumResult::Refused);
    EXPECT_EQ(::SendMessageA(field, DCM_SETDAYRULE, 0, 0), 0);
    EXPECT_EQ(DatumSetText(field, "2026-12-26"), DatumResult::Refused);
    const DatumDayRuleSpec none{nullptr, nullptr};
    EXPECT_EQ(::SendMessageA(field, DCM_SETDAYRULE, 0, win32::ToLParam(&none)), 1);
    EXPECT_EQ(DatumSetText(field, "2026-12-26"), DatumResult::Ok);
}

// The date of a dashed text in the control's display form.
CString DisplayOf(const char* className, const char* dashed)
{
    return std::string_view(className) == "DatumEdit" ? Day(dashed).FormatCompact() : CString(dashed);
}

// Under DCF_QUICKENTRY the keyword letters (alone) and the relative forms
// are typed through the key filter and judged as the date they stand for,
// with the range and the year limit, in both controls under every host:
// leaving rewrites them in the display form and reports a change, and the
// host's requests, reads and sets take them alike. Month ends and leap days
// keep the day or take the month's last. Without the option the letters
// are dropped as typed and a relative form is no date.
TEST_F(PlainHostTest, QuickFormsGiveTheirDateInEveryHost)
{
    struct Case {
        int today[3];
        const char* className;
        bool quick;
        const char* earliest;
        const char* latest;
        const char* typed;
        const char* stands;   // the text after typing
        const char* date;     // the date it gives, dashed; null: refused
    };
    const Case cases[] = {
        {{2026, 1, 31}, "DatumEdit", true, "", "", "d", "d", "2026-01-31"},
        {{2026, 1, 31}, "DatumCtrl", true, "", "", "G", "G", "2026-01-30"},
        {{2026, 1, 31}, "DatumCtrl", true, "", "", "m", "m", "2026-02-01"},
        {{2026, 1, 31}, "DatumCtrl", true, "", "", "+1m", "+1m", "2026-02-28"},
        {{2026, 1, 31}, "DatumEdit", true, "", "", "+2W", "+2W", "2026-02-14"},
        {{2026, 1, 31}, "DatumEdit", true, "", "", "-1y", "-1y", "2025-01-31"},
        {{2026, 1, 31}, "DatumEdit", true, "", "", "+5q", "+5", "2026-02-05"},   // q is still dropped
        {{2026, 12, 31}, "DatumCtrl", true, "", "", "+1", "+1", "2027-01-01"},
        {{2024, 2, 29}, "DatumCtrl", true, "", "", "+1y", "+1y", "2025-02-28"},
        {{2024, 2, 29}, "DatumEdit", true, "", "", "-4Y", "-4Y", "2020-02-29"},
        {{2024, 1, 30}, "DatumEdit", true, "", "", "+1m", "+1m", "2024-02-29"},
        {{2026, 1, 31}, "DatumCtrl", true, "2026-01-01", "2026-02-28", "+1m", "+1m", "2026-02-28"},
        {{2026, 1, 31}, "DatumCtrl", true, "2026-01-01", "2026-02-27", "+1m", "+1m", nullptr},
        {{2026, 1, 31}, "DatumEdit", true, "2026-01-31", "", "g", "g", nullptr},
        {{2026, 1, 31}, "DatumEdit", true, "", "2026-01-31", "-9999", "-9999", "1998-09-16"},
        {{9999, 12, 31}, "DatumEdit", true, "", "", "+1", "+1", nullptr},   // past the year limit
        {{9999, 12, 31}, "DatumCtrl", true, "", "", "+1y", "+1y", nullptr},
        {{2026, 1, 31}, "DatumCtrl", true, "", "", "dg", "dg", nullptr},    // a keyword letter stands alone
        {{2026, 1, 31}, "DatumEdit", true, "", "", "+", "+", nullptr},
        {{2026, 1, 31}, "DatumEdit", false, "", "", "d", "", ""},            // dropped: nothing typed
        {{2026, 1, 31}, "DatumCtrl", false, "", "", "+7", "+7", nullptr},
    };
    for (const Case& c : cases) {
        const platform::testing::FixedClock clock(c.today[0], c.today[1], c.today[2]);
        const Binding binding{.flags = c.quick ? DCF_QUICKENTRY : 0, .minDate = Day(c.earliest), .maxDate = Day(c.latest)};
        const CString shown = c.date != nullptr ? DisplayOf(c.className, c.date) : CString(c.stands);
        for (Host host : kHosts) {
            SCOPED_TRACE(::testing::Message() << c.className << " \"" << c.typed << "\" quick " << c.quick << " on "
                                              << c.today[0] << "-" << c.today[1] << "-" << c.today[2] << " in "
                                              << NameOf(host));
            const OpenHost open(host, c.className, binding, {});
            const DialogSteps steps{open.dialog};
            const HWND field = steps.Item(kFirstField);
            steps.Focus(kFirstField);
            steps.Type(kFirstField, c.typed);
            EXPECT_EQ(TextOf(field), c.stands);
            ProtocolLog log(open.dialog, kCtrlIds);
            steps.Tab();
            EXPECT_EQ(steps.FocusId(), c.date != nullptr ? kSecondField : kFirstField);
            EXPECT_EQ(TextOf(field), shown);
            EXPECT_EQ(Sent(log, DCN_EXITCHANGED), c.date != nullptr && *c.stands != '\0');

            const DatumResult expected = c.date != nullptr ? DatumResult::Ok : DatumResult::Refused;
            ::SetWindowTextA(field, c.stands);
            std::string read;
            EXPECT_EQ(DatumGetText(field, &read), expected);
            EXPECT_EQ(read, c.date != nullptr ? shown.GetString() : "");
            auto* entry = dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(field));
            ASSERT_NE(entry, nullptr);
            CDateValue value;
            entry->GetDateValue(&value);
            if (c.date != nullptr) {
                EXPECT_EQ(value, Day(c.date));
            }
            Send(steps, kFirstField, DCM_TEXTTOVALUE);
            EXPECT_EQ(TextOf(field), shown);
            if (host == Host::Framework && c.date != nullptr) {
                EXPECT_EQ(open.framework->date[0], Day(c.date));
            }
            ::SetWindowTextA(field, "");
            EXPECT_EQ(DatumSetText(field, c.stands), expected);
            EXPECT_EQ(TextOf(field), c.date != nullptr ? shown : CString());
        }
    }
}

// Under DCF_QUICKENTRY a paste loses the spaces, tabs, line breaks and
// no-break spaces around it and nothing else, in both controls, and keeps
// only the first line of several, as the system's paste does; a read-only
// field takes no paste. Ctrl+A selects the whole text, so that the next
// keys replace it. Without the option a paste goes in as it is. A text the
// host sets is never trimmed.
TEST_F(PlainHostTest, PastesAreTrimmedAndCtrlASelectsAll)
{
    struct Case {
        const char* className;
        bool quick;
        const wchar_t* clipboard;
        const char* pasted;   // the field's text after the paste
        bool readOnly = false;
    };
    const Case cases[] = {
        {"DatumCtrl", true, L" 2026-12-03\r\n", "2026-12-03"},
        {"DatumEdit", true, L"\t20261203\t", "20261203"},
        {"DatumEdit", true, L"\u00A0261203\u00A0\u00A0", "261203"},
        {"DatumCtrl", true, L"\n +7 \n", "+7"},
        {"DatumEdit", true, L"2026 12 03", "2026 12 03"},
        {"DatumCtrl", true, L" \t\r\n", ""},
        {"DatumCtrl", false, L" 2026-12-03 ", " 2026-12-03 "},
        {"DatumEdit", false, L"\t20261203", "\t20261203"},
        {"DatumCtrl", true, L"\r\n 2026-12-03 \r\n2026-12-04\r\n", "2026-12-03"},
        {"DatumEdit", false, L"20261203\r\n20261204", "20261203"},
        {"DatumEdit", true, L"20261203", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.className << " \"" << c.pasted << "\" quick " << c.quick);
        PlainHostDialog dialog(c.className, {.maxLen = 0, .flags = c.quick ? DCF_QUICKENTRY : 0}, {}, kCtrlIds);
        ASSERT_TRUE(dialog.Open());
        const DialogSteps steps{dialog.m_hWnd};
        const HWND field = steps.Item(kFirstField);
        steps.Focus(kFirstField);
        ::SendMessageA(field, EM_SETREADONLY, c.readOnly, 0);
        steps.Paste(kFirstField, c.clipboard);
        EXPECT_EQ(TextOf(field), c.pasted);
        ::SendMessageA(field, EM_SETREADONLY, FALSE, 0);

        ::SetWindowTextA(field, " 20261203 ");
        EXPECT_EQ(TextOf(field), " 20261203 ");
        ::SendMessageA(field, EM_SETSEL, 3, 3);
        steps.Type(kFirstField, "\x01-1");
        if (c.quick) {   // without the option Ctrl+A is the system edit's (common controls 6 selects all)
            EXPECT_EQ(TextOf(field), "-1");
        }
    }
}

// The ways a host links a pair: a call on the start's or the end's object
// under a framework dialog, DatumLink and DCM_LINK under a plain one.
enum class LinkBy { StartObject, EndObject, Function, Message };

// Links the first field of an open host, the given way, as the start of a
// pair with the second.
void LinkInHost(LinkBy by, HWND dialog, DatumLinkRequest link)
{
    link.start = ::GetDlgItem(dialog, kFirstField);
    link.end = ::GetDlgItem(dialog, kSecondField);
    auto* first = dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(link.start));
    auto* second = dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(link.end));
    switch (by) {
    case LinkBy::StartObject: EXPECT_TRUE(first->LinkEnd(*second, link.shortest, link.longest, link.flags)); break;
    case LinkBy::EndObject: EXPECT_TRUE(second->LinkStart(*first, link.shortest, link.longest, link.flags)); break;
    case LinkBy::Function: EXPECT_TRUE(DatumLink(link)); break;
    case LinkBy::Message: EXPECT_EQ(::SendMessageA(link.end, DCM_LINK, 0, win32::ToLParam(&link)), 1); break;
    }
}

// The accessible value changes of one window, counted by a hook on this process.
HWND g_valueWatched = nullptr;
int g_valueChanges = 0;
void CALLBACK CountValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    g_valueChanges += window == g_valueWatched && object == OBJID_CLIENT ? 1 : 0;
}

// A linked pair in every host: the start typed, then the end, then the start
// changed. A date the pair refuses keeps the focus, except on the way to the
// other side, where the pair can be mended, and is explained at the refused
// field; the tip goes once either side mends the pair, and the reads refuse
// what the pair refuses. A start that keeps the span takes the end along
// (its DCN_CHANGE and accessible value), also when the exchange of data
// stores it, or is refused when the end may not move there; without the
// option the end stays.
TEST_F(PlainHostTest, LinkedPairsInEveryHost)
{
    struct Case {
        const char* className;
        int longest;
        UINT flags;
        DatumDayRule endRule;
        const char* start;
        const char* end;
        const char* endTip;     // after leaving the end; empty: accepted
        const char* newStart;
        const char* startTip;   // after leaving the changed start; empty: accepted
        const char* endAfter;   // the end's text at last
        bool endReads;          // the end read at last is Ok
    };
    const char* const kSaturday = "The end would move to 2026-12-05: a Saturday.";
    const Case cases[] = {
        {"DatumCtrl", 0, 0, nullptr, "2026-12-10", "2026-12-05", "2026-12-05 is before the start, 2026-12-10.",
         "2026-12-01", "", "2026-12-05", true},
        {"DatumEdit", 30, 0, nullptr, "20261208", "20270120",
         "The span may be at most 30 days: 2026-12-08 to 2027-01-20 is 43.", "20261225", "", "20270120", true},
        {"DatumEdit", 0, 0, nullptr, "20261210", "20261215", "", "20261220", "2026-12-20 is after the end, 2026-12-15.",
         "20261215", false},
        {"DatumCtrl", 0, DLF_KEEPSPAN, nullptr, "2026-12-01", "2026-12-05", "", "2026-12-20", "", "2026-12-24", true},
        {"DatumCtrl", 0, DLF_KEEPSPAN, DatumWeekdaysOnly, "2026-12-01", "2026-12-04", "", "2026-12-02", kSaturday,
         "2026-12-04", true},
        {"DatumCtrl", 0, 0, nullptr, "2026-12-01", "2026-12-05", "", "2026-12-03", "", "2026-12-05", true},
    };
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                                 &CountValueChange, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (LinkBy by : {LinkBy::StartObject, LinkBy::EndObject, LinkBy::Function, LinkBy::Message}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.className << " " << c.start << " to " << c.end << ", then "
                                              << c.newStart << ", linked by " << static_cast<int>(by));
            const bool framework = by == LinkBy::StartObject || by == LinkBy::EndObject;
            const OpenHost host(framework ? Host::Framework : Host::Plain, c.className, {.flags = DCF_EXPLAIN},
                                {.flags = DCF_EXPLAIN, .dayRule = c.endRule});
            LinkInHost(by, host.dialog, {.longest = c.longest, .flags = c.flags});
            const DialogSteps steps{host.dialog};
            const HWND start = steps.Item(kFirstField);
            const HWND end = steps.Item(kSecondField);
            steps.Focus(kFirstField);
            steps.Type(kFirstField, c.start);
            steps.Tab();
            steps.Type(kSecondField, c.end);
            steps.Tab();
            EXPECT_EQ(steps.FocusId(), *c.endTip != '\0' ? kSecondField : kCtrlIds.plainEdit);
            EXPECT_EQ(ShownTooltipText(), c.endTip);
            std::string read;
            EXPECT_EQ(DatumGetText(end, &read), *c.endTip != '\0' ? DatumResult::Refused : DatumResult::Ok);
            steps.Focus(kFirstField);
            EXPECT_EQ(steps.FocusId(), kFirstField);
            EXPECT_EQ(ShownTooltipText(), c.endTip);   // still at the end, until the pair is mended

            ::SetWindowTextA(start, "");
            steps.Type(kFirstField, c.newStart);
            ProtocolLog log(host.dialog, kCtrlIds);
            g_valueWatched = end;
            g_valueChanges = 0;
            steps.Tab();
            const bool moved = CString(c.endAfter) != c.end;
            const bool endChanged = std::any_of(log.Log().begin(), log.Log().end(), [](const Recorded& entry) {
                return entry.message == DCN_CHANGE && entry.wParam == static_cast<WPARAM>(kSecondField);
            });
            EXPECT_EQ(steps.FocusId(), kSecondField);
            EXPECT_EQ(ShownTooltipText(), c.startTip);
            EXPECT_EQ(TextOf(end), c.endAfter);
            EXPECT_EQ(endChanged, moved);
            EXPECT_EQ(g_valueChanges > 0, moved);
            EXPECT_EQ(DatumGetText(start, &read), *c.startTip != '\0' ? DatumResult::Refused : DatumResult::Ok);
            EXPECT_EQ(DatumGetText(end, &read), c.endReads ? DatumResult::Ok : DatumResult::Refused);
            if (moved) {   // a start stored by the exchange of data takes the end back along
                ::SetWindowTextA(start, c.start);
                Send(steps, kFirstField, DCM_TEXTTOVALUE);
                EXPECT_EQ(TextOf(end), c.end);
            }
        }
    }
    ::UnhookWinEvent(hook);
}

// A link to a window that is no date control, to the field itself, with
// spans not allowed, a request that does not name the field it is sent to,
// or none at all, is refused. Unlinking by each way, linking a side anew
// and the end's window going leave the start free again.
TEST_F(PlainHostTest, LinksRefusedAndEnded)
{
    PlainHostDialog dialog("DatumEdit", {.initial = "20261210"}, {.initial = "20261205"}, kCtrlIds);
    ASSERT_TRUE(dialog.Open());
    const HWND start = ::GetDlgItem(dialog.m_hWnd, kFirstField);
    const HWND end = ::GetDlgItem(dialog.m_hWnd, kSecondField);
    const HWND plainEdit = ::GetDlgItem(dialog.m_hWnd, kCtrlIds.plainEdit);
    const DatumLinkRequest refused[] = {{start, plainEdit}, {start, start}, {start, end, 5, 3}, {start, end, -1, 0},
                                     {plainEdit, end}, {start, nullptr}};
    for (const DatumLinkRequest& link : refused) {
        EXPECT_FALSE(DatumLink(link));
        EXPECT_EQ(::SendMessageA(start, DCM_LINK, 0, win32::ToLParam(&link)), link.end == nullptr ? 1 : 0);
    }
    EXPECT_EQ(::SendMessageA(start, DCM_LINK, 0, 0), 0);
    EXPECT_FALSE(DatumLinkFields(nullptr));
    EXPECT_FALSE(DatumUnlink(start));
    const DatumLinkRequest unlink{start, nullptr};
    const std::function<void()> ends[] = {
        [&] { EXPECT_TRUE(DatumUnlink(end)); },
        [&] { EXPECT_EQ(::SendMessageA(start, DCM_LINK, 0, win32::ToLParam(&unlink)), 1); },
        [&] { EXPECT_TRUE(dynamic_cast<CDatumEntry*>(CWnd::FromHandlePermanent(start))->Unlink()); },
        [&] { EXPECT_TRUE(DatumLink({end, start})); EXPECT_TRUE(DatumUnlink(start)); },   // the link anew goes
        [&] { ::DestroyWindow(end); },
    };
    for (const auto& endLink : ends) {
        ASSERT_TRUE(DatumLink({start, end}));
        std::string read;
        EXPECT_EQ(DatumGetText(start, &read), DatumResult::Refused);   // after the end, 2026-12-05
        endLink();
        EXPECT_EQ(DatumGetText(start, &read), DatumResult::Ok);
        EXPECT_FALSE(DatumUnlink(start));
    }
}

// The locale and the way of completing set in each of the three ways,
// under de-DE, en-US and ja-JP: a text in the user's order, whole or in
// part, shows its long date in a tip and as the field's description while
// it is typed (a fixed full form shows none), is rewritten on leaving in
// the display form or refused, and reads and stores the same. An unknown
// locale or way is refused by each way.
TEST_F(PlainHostTest, TheLocaleSetEachWayReadsTheUsersOrder)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    platform::testing::FixedClock clock(2027, 1, 3);
    constexpr DatumPartial kNear = DatumPartial::Nearest;
    struct Case {
        const char* className;
        const wchar_t* locale;
        DatumPartial partial;
        const char* typed;
        const char* date;          // dashed; null: refused
        const wchar_t* preview;    // empty: none
    };
    const Case cases[] = {
        {"DatumCtrl", L"de-DE", kNear, "28.12.", "2026-12-28", L"Montag, 28. Dezember 2026"},
        {"DatumEdit", L"de-DE", DatumPartial::Future, "28.12.", "2027-12-28", L"Dienstag, 28. Dezember 2027"},
        {"DatumCtrl", L"de-DE", kNear, "24-03-15", "2015-03-24", L"Dienstag, 24. M\u00E4rz 2015"},
        {"DatumEdit", L"en-US", DatumPartial::Past, "12/8", "2026-12-08", L"Tuesday, December 8, 2026"},
        {"DatumCtrl", L"en-US", kNear, "24-03-15", nullptr, L""},
        {"DatumCtrl", L"en-US", kNear, "13/13", nullptr, L""},
        {"DatumCtrl", L"ja-JP", kNear, "24-03-15", "2024-03-15", L""},   // a fixed form read alike: no preview
        {"DatumEdit", L"ja-JP", kNear, "2", "2027-01-02", L"2027\u5E741\u67082\u65E5\u571F\u66DC\u65E5"},
    };
    for (RulesBy by : {RulesBy::Functions, RulesBy::Binding, RulesBy::Message}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.className << " \"" << c.typed << "\" partial "
                                              << static_cast<int>(c.partial) << " set by " << static_cast<int>(by));
            RangedHost host(by, c.className,
                            {.flags = DCF_LOCALFORMS | DCF_HINT, .locale = c.locale, .partial = c.partial});
            const DialogSteps steps{host.dialog};
            const HWND field = steps.Item(kFirstField);
            steps.Focus(kFirstField);
            steps.Type(kFirstField, c.typed);
            EXPECT_EQ(ShownTooltipTextW(), c.preview);
            if (*c.preview != L'\0') {
                EXPECT_EQ(DescriptionOfW(field), c.preview);
                RECT tip{}, under{};   // the tip hangs from the field's bottom left
                ::GetWindowRect(ShownTooltip(), &tip);
                ::GetWindowRect(field, &under);
                EXPECT_NEAR(tip.left, under.left, 24);
                EXPECT_NEAR(tip.top, under.bottom, 24);
            }
            steps.Tab();
            EXPECT_EQ(ShownTooltipTextW(), L"");
            EXPECT_EQ(steps.FocusId(), c.date != nullptr ? kSecondField : kFirstField);
            const CString shown = c.date != nullptr ? DisplayOf(c.className, c.date) : CString(c.typed);
            EXPECT_EQ(TextOf(field), shown);
            ::SetWindowTextA(field, c.typed);
            std::string read;
            EXPECT_EQ(DatumGetText(field, &read), c.date != nullptr ? DatumResult::Ok : DatumResult::Refused);
            Send(steps, kFirstField, DCM_TEXTTOVALUE);
            EXPECT_EQ(TextOf(field), shown);
        }
    }
    RangedHost host(RulesBy::Functions, "DatumCtrl", {.locale = L"de-DE"});
    const HWND field = ::GetDlgItem(host.dialog, kFirstField);
    EXPECT_FALSE(dynamic_cast<CDatumEntry&>(*CWnd::FromHandlePermanent(field)).SetLocale(L"xx-YY"));
    EXPECT_EQ(::SendMessageA(field, DCM_SETLOCALE, 0, win32::ToLParam(L"xx-YY")), 0);
    EXPECT_EQ(::SendMessageA(field, DCM_SETLOCALE, 3, 0), 0);
    EXPECT_EQ(::SendMessageA(field, DCM_SETLOCALE, 2, 0), 1);
    PlainHostDialog unbound("DatumCtrl", {.bind = false}, {.bind = false}, kCtrlIds);
    ASSERT_TRUE(unbound.Open());
    EXPECT_FALSE(DatumBind(::GetDlgItem(unbound.m_hWnd, kFirstField), {.locale = L"xx-YY"}));
    ::OleUninitialize();
}

// The beeps and value changes the step keys cause.
struct StepSignals {
    static inline int beeps = 0;
    static inline int valueChanges = 0;
    static BOOL WINAPI Beep(UINT)
    {
        ++beeps;
        return TRUE;
    }
    static void CALLBACK Event(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG, DWORD, DWORD)
    {
        valueChanges += object == OBJID_CLIENT ? 1 : 0;
    }
};

// Each step key in both controls under every side of a range and a day
// rule: the date moves in the display form with DCN_CHANGE and a value
// change, and no further; at the range's edge, or with no allowed day
// beyond, it stays with a beep. Leaving reports the change. A sign that is
// no step is typed; the wheel over a field without the focus leaves the
// date alone.
TEST_F(PlainHostTest, StepKeysKeepToTheRangeAndPassBlockedDays)
{
    platform::testing::FixedClock clock(2026, 12, 11);   // a Friday
    struct Key {
        UINT message;   // WM_CHAR, WM_KEYDOWN (with Ctrl held for a year), or WM_MOUSEWHEEL in two half notches
        int code;       // the character, the key, or the wheel's turn
        bool ctrl = false;
        bool unfocused = false;   // the wheel over the field while another one has the focus
    };
    constexpr Key kPlus{WM_CHAR, '+'}, kMinus{WM_CHAR, '-'}, kPageUp{WM_KEYDOWN, VK_PRIOR}, kPageDown{WM_KEYDOWN, VK_NEXT};
    constexpr Key kWheelUp{WM_MOUSEWHEEL, WHEEL_DELTA}, kWheelDown{WM_MOUSEWHEEL, -WHEEL_DELTA};
    struct Case {
        const char* className;
        const char* earliest;
        const char* latest;
        bool weekdays;
        const char* text;
        Key key;
        const char* after;
        bool beep;
    };
    const Case cases[] = {
        {"DatumCtrl", "", "", false, "2026-12-08", kPlus, "2026-12-09", false},
        {"DatumEdit", "", "", false, "20261208", kMinus, "20261207", false},
        {"DatumCtrl", "", "", false, "2026-01-31", kPageUp, "2026-02-28", false},
        {"DatumCtrl", "", "", false, "2026-03-31", kPageDown, "2026-02-28", false},
        {"DatumEdit", "", "", false, "20240229", {WM_KEYDOWN, VK_PRIOR, true}, "20250228", false},
        {"DatumCtrl", "", "", false, "2026-12-31", {WM_KEYDOWN, VK_NEXT, true}, "2025-12-31", false},
        {"DatumCtrl", "", "", false, "", kPageUp, "2027-01-11", false},
        {"DatumEdit", "", "", false, "8.12.", kPlus, "20261209", false},
        {"DatumCtrl", "", "", false, "8-12", kMinus, "8-12-", false},
        {"DatumCtrl", "", "", false, "2026-13-1", kPlus, "2026-13-1+", false},
        {"DatumCtrl", "", "", false, "2026-12-31", kWheelUp, "2027-01-01", false},
        {"DatumEdit", "", "", false, "20261208", kWheelDown, "20261207", false},
        {"DatumCtrl", "", "", false, "2026-12-08", {WM_MOUSEWHEEL, WHEEL_DELTA, false, true}, "2026-12-08", false},
        {"DatumCtrl", "", "2026-12-08", false, "2026-12-08", kPlus, "2026-12-08", true},
        {"DatumCtrl", "2026-12-01", "", false, "2026-12-15", kPageDown, "2026-12-15", true},
        {"DatumCtrl", "", "", true, "2026-12-11", kPlus, "2026-12-14", false},
        {"DatumEdit", "", "", true, "20261214", kWheelDown, "20261211", false},
        {"DatumCtrl", "", "", true, "2026-11-12", kPageUp, "2026-12-14", false},
        {"DatumCtrl", "2026-12-01", "2026-12-13", true, "2026-12-11", kPlus, "2026-12-11", true},
    };
    const ImportPatch beeps("user32.dll", "MessageBeep", reinterpret_cast<void*>(&StepSignals::Beep));
    ASSERT_TRUE(beeps.Applied());
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                                 &StepSignals::Event, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.className << " \"" << c.text << "\" key " << c.key.code << " range "
                                          << c.earliest << ".." << c.latest << " weekdays " << c.weekdays);
        RangedHost host(RulesBy::Binding, c.className,
                        {.flags = DCF_STEPKEYS | DCF_LOCALFORMS | DCF_AUTOADVANCE, .minDate = Day(c.earliest),
                         .maxDate = Day(c.latest), .dayRule = c.weekdays ? DatumDayRule{DatumWeekdaysOnly} : nullptr, .locale = L"de-DE"});
        const DialogSteps steps{host.dialog};
        const HWND field = steps.Item(kFirstField);
        ::SetWindowTextA(field, c.text);
        steps.Focus(c.key.unfocused ? kSecondField : kFirstField);
        ::SendMessageA(field, EM_SETSEL, 0x7FFF, 0x7FFF);
        StepSignals::beeps = StepSignals::valueChanges = 0;
        ProtocolLog log(host.dialog, kCtrlIds);
        const POINT centre = CentreOf(field);
        const auto halfNotch = static_cast<UINT>(c.key.code / 2);
        for (int half = 0; half < 2 && c.key.message == WM_MOUSEWHEEL; ++half)
            ::SendMessageA(field, WM_MOUSEWHEEL, win32::MakeWParam(0, halfNotch),
                           static_cast<LPARAM>(win32::MakeWParam(static_cast<UINT>(centre.x), static_cast<UINT>(centre.y))));
        if (c.key.message == WM_CHAR)
            steps.Type(kFirstField, std::string(1, static_cast<char>(c.key.code)).c_str());
        if (c.key.message == WM_KEYDOWN)
            PressKey(steps, kFirstField, static_cast<WPARAM>(c.key.code), c.key.ctrl);
        steps.Pump();
        const bool typed = std::strlen(c.after) == std::strlen(c.text) + 1;   // the sign went in as a character
        const bool stepped = std::strcmp(c.text, c.after) != 0 && !typed;
        EXPECT_EQ(TextOf(field), c.after);
        EXPECT_EQ(StepSignals::beeps, c.beep ? 1 : 0);
        EXPECT_EQ(StepSignals::valueChanges > 0, stepped);
        EXPECT_EQ(Sent(log, DCN_CHANGE), std::strcmp(c.text, c.after) != 0);
        if (!stepped)
            continue;
        EXPECT_EQ(steps.FocusId(), kFirstField);   // a step never advances
        steps.Tab();
        EXPECT_TRUE(Sent(log, DCN_EXITCHANGED));
    }
    ::UnhookWinEvent(hook);
}

} // namespace
} // namespace test
