// System calls of the date controls that fail on purpose: each one is
// answered by a failing stand-in through the test program's own import
// table, while the dialog opens or while the user works in it. The fields
// must go on as without the fault: the same texts and notifications, no
// crash, no window left behind, and once the fault is over everything works
// again. A program of its own, so that no other test has loaded what a
// fault here keeps from loading.
#include "controls/DatumBinding.h"
#include "tests/controls/DatumCtrlFixture.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/ImportPatch.h"
#include "tests/controls/support/PopupDriver.h"

#include <memory>
#include <vector>

namespace test {
namespace {

constexpr int kField = kCtrlIds.first;
const char* const kSentence = "2007-02-31 is not a date: February 2007 has 28 days.";

// --- the failing stand-ins ---

void* g_passOn = nullptr;             // the patched function, for the calls that do not fail
const char* g_failing = nullptr;      // the class or library whose calls fail; null: every call
int g_failures = 0;                   // calls failed so far

bool Failing(LPCSTR name)
{
    const bool named = reinterpret_cast<ULONG_PTR>(name) > 0xFFFF;   // not an atom or a resource number
    if (g_failing != nullptr && !(named && ::lstrcmpiA(name, g_failing) == 0))
        return false;
    ++g_failures;
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

HWND WINAPI CreateWindowFails(DWORD exStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int width,
                              int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter)
{
    if (Failing(className))
        return nullptr;
    return reinterpret_cast<decltype(&::CreateWindowExA)>(g_passOn)(exStyle, className, name, style, x, y, width,
                                                                      height, parent, menu, instance, parameter);
}

INT_PTR WINAPI DialogBoxFails(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM)
{
    return Failing(nullptr) ? -1 : 0;
}

HANDLE WINAPI GetClipboardDataFails(UINT)
{
    Failing(nullptr);
    return nullptr;
}

HBITMAP WINAPI LoadBitmapFails(HINSTANCE, LPCSTR)
{
    Failing(nullptr);
    return nullptr;
}

BOOL WINAPI GetMonitorInfoFails(HMONITOR, LPMONITORINFO)
{
    Failing(nullptr);
    return FALSE;
}

// Fails only the replacement of a dialog's procedure: a plain host's subclass.
LONG_PTR WINAPI SetWindowLongFails(HWND window, int index, LONG_PTR value)
{
    char className[8] = {};
    ::GetClassNameA(window, className, static_cast<int>(sizeof className));
    if (index == GWLP_WNDPROC && ::lstrcmpA(className, "#32770") == 0 && Failing(nullptr))
        return 0;
    return reinterpret_cast<decltype(&::SetWindowLongPtrA)>(g_passOn)(window, index, value);
}

// SetWindowLongPtrA is SetWindowLongA itself on 32-bit Windows.
constexpr const char* kSetWindowLong = sizeof(void*) == 8 ? "SetWindowLongPtrA" : "SetWindowLongA";

HMODULE WINAPI LoadLibraryFails(LPCSTR name)
{
    if (Failing(name))
        return nullptr;
    return reinterpret_cast<decltype(&::LoadLibraryA)>(g_passOn)(name);
}

template <class Function>
void* StandIn(Function* function)
{
    return reinterpret_cast<void*>(function);
}

// --- the scenario ---

enum class During { Opening, Working };

struct Fault {
    const char* what;
    const char* library;
    const char* function;
    void* standIn;
    const char* failing;   // the class or library the stand-in fails; null: every call
    During during;
    bool plainHost;        // a plain dialog procedure binds by handle; else a framework dialog
    // What the fault takes away while it lasts, and nothing else:
    bool bound;            // the first binding works
    bool tipShows;         // the refusal's tooltip shows
    bool described;        // a client reads the refusal's sentence as the description
    bool picks;            // the popup opens and its pick becomes the text
    bool pastes = true;    // a paste replaces the selection
    bool dayRule = false;  // the field has a day rule, so its popup makes a calendar of its own
};

// What one run did.
struct Outcome {
    bool bound = false;
    bool tipShown = false;
    CString description;
    // What the field sent and was sent while working: until the popup, and from it.
    std::unique_ptr<ProtocolLog> beforePick;
    std::unique_ptr<ProtocolLog> fromPick;
    CString text;                  // the field's after the pick
    CString pasted;                // the field's after a paste over the whole text
    int windowsAfterWork = 0;      // top-level windows of the thread, the dialog still open
    bool explainedAfter = false;   // once the fault is over, a refusal shows and reads as its sentence
    int windowsAtStart = 0;
    int windowsAtEnd = 0;          // after the dialog has gone
};

// Type a day that does not exist and leave (refused: the tip explains), type
// a date and leave, verify, pick the next day in the popup, leave.
void Work(HWND dialog, Outcome& outcome)
{
    const DialogSteps steps{dialog};
    const HWND field = steps.Item(kField);
    outcome.beforePick = std::make_unique<ProtocolLog>(dialog, kCtrlIds);
    steps.Focus(kField);
    steps.Type(kField, "070231");
    steps.Tab();
    outcome.tipShown = ShownTooltipText() == kSentence;
    outcome.description = DescriptionOf(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    steps.Type(kField, "070115");
    steps.Tab();
    ::SendMessageA(field, DCM_VERIFY, 0, 0);
    steps.Focus(kField);
    outcome.beforePick->UnwatchAll();
    outcome.fromPick = std::make_unique<ProtocolLog>(dialog, kCtrlIds);
    PopupDriver driver([](CKalenderPopupDlg&) {
        PressKey(VK_RIGHT);
        PressKey(VK_RETURN);
    });
    ::SendMessageA(field, DCM_OPENPOPUP, 0, 0);   // the popup, when it opens, runs in here
    EXPECT_FALSE(driver.timedOut);
    steps.Tab();
    outcome.fromPick->UnwatchAll();
    outcome.text = TextOf(field);
    steps.Focus(kField);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    steps.Paste(kField, L" 2007-01-20\r\n");
    outcome.pasted = TextOf(field);
    outcome.windowsAfterWork = TopLevelWindowCount();
}

// The same refusal once more, with every call working.
bool ExplainsOnceMore(HWND dialog)
{
    const DialogSteps steps{dialog};
    const HWND field = steps.Item(kField);
    steps.Focus(kField);
    ::SetWindowTextA(field, "070231");
    steps.Tab();
    return ShownTooltipText() == kSentence && DescriptionOf(field) == kSentence;
}

std::unique_ptr<ImportPatch> FailFor(const Fault* fault, During now)
{
    if (fault == nullptr || fault->during != now)
        return nullptr;
    auto patch = std::make_unique<ImportPatch>(fault->library, fault->function, fault->standIn);
    g_passOn = patch->Original();
    g_failing = fault->failing;
    return patch;
}

// Opens the host, works in it and closes it; with a fault, the call fails
// while the dialog opens or while the user works.
Outcome OpenWorkAndClose(bool plainHost, bool dayRule, const Fault* fault)
{
    Outcome outcome;
    outcome.windowsAtStart = TopLevelWindowCount();
    const Binding explained{.flags = DCF_EXPLAIN | DCF_QUICKENTRY, .dayRule = dayRule ? DatumDayRule{DatumWeekdaysOnly} : nullptr};
    std::unique_ptr<HostDialog> framework;
    std::unique_ptr<PlainHostDialog> plain;
    HWND dialog = nullptr;
    {
        const auto patch = FailFor(fault, During::Opening);
        if (plainHost) {
            plain = std::make_unique<PlainHostDialog>("DatumCtrl", explained, Binding{}, kCtrlIds);
            EXPECT_TRUE(plain->Open());
            dialog = plain->m_hWnd;
        } else {
            framework = std::make_unique<HostDialog>("DatumCtrl", explained, Binding{}, kCtrlIds);
            EXPECT_TRUE(framework->Open());
            dialog = framework->m_hWnd;
        }
    }
    const HWND field = ::GetDlgItem(dialog, kField);
    std::string unused;
    outcome.bound = DatumGetText(field, &unused) != DatumResult::NotBound;
    if (!outcome.bound) {   // the host binds again once it can
        EXPECT_TRUE(DatumBind(field, {.flags = explained.flags, .dayRule = explained.dayRule}));
        EXPECT_TRUE(DatumBind(::GetDlgItem(dialog, kCtrlIds.second), {}));
    }
    {
        const auto patch = FailFor(fault, During::Working);
        Work(dialog, outcome);
    }
    outcome.explainedAfter = ExplainsOnceMore(dialog);
    framework.reset();
    plain.reset();
    outcome.windowsAtEnd = TopLevelWindowCount();
    return outcome;
}

class FaultTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        DatumRegisterClasses();
    }
    static void TearDownTestSuite() { ::OleUninitialize(); }
};

// Each call fails; the field takes, checks, reports and picks as without
// the fault, except for what the failed call itself would have given.
// The controls load oleacc.dll only when a client first asks, so its row
// comes first, before any run has asked.
TEST_F(FaultTest, AFailedSystemCallCostsOnlyWhatItWouldHaveGiven)
{
    constexpr auto kOpening = During::Opening;
    constexpr auto kWorking = During::Working;
    const Fault faults[] = {
        {"loading oleacc.dll", "kernel32.dll", "LoadLibraryA", StandIn(&LoadLibraryFails), "oleacc.dll", kWorking,
         false, true, true, false, true},
        {"the popup button's window", "user32.dll", "CreateWindowExA", StandIn(&CreateWindowFails), "Button",
         kOpening, false, true, true, true, true},
        {"the button's faces", "user32.dll", "LoadBitmapA", StandIn(&LoadBitmapFails), nullptr, kOpening, false, true,
         true, true, true},
        {"the refusal's tooltip window", "user32.dll", "CreateWindowExA", StandIn(&CreateWindowFails),
         TOOLTIPS_CLASSA, kWorking, false, true, false, false, true},
        {"the calendar popup", "user32.dll", "DialogBoxIndirectParamA", StandIn(&DialogBoxFails), nullptr, kWorking,
         false, true, true, true, false},
        {"the field's monitor", "user32.dll", "GetMonitorInfoA", StandIn(&GetMonitorInfoFails), nullptr, kWorking,
         false, true, true, true, true},
        {"the parent's subclass", "user32.dll", kSetWindowLong, StandIn(&SetWindowLongFails), nullptr, kOpening,
         true, false, true, true, true},
        {"the clipboard's text", "user32.dll", "GetClipboardData", StandIn(&GetClipboardDataFails), nullptr,
         kWorking, false, true, true, true, true, false},
        {"the day-state calendar", "user32.dll", "CreateWindowExA", StandIn(&CreateWindowFails), MONTHCAL_CLASSA,
         kWorking, false, true, true, true, true, true, true},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        g_failures = 0;
        const Outcome faulty = OpenWorkAndClose(fault.plainHost, fault.dayRule, &fault);
        EXPECT_GT(g_failures, 0) << "the call was never made";
        const Outcome reference = OpenWorkAndClose(fault.plainHost, fault.dayRule, nullptr);
        // Without the fault, after it: everything works.
        ASSERT_TRUE(reference.bound);
        ASSERT_TRUE(reference.tipShown);
        ASSERT_EQ(reference.description, kSentence);
        ASSERT_EQ(reference.text, "2007-01-16");
        ASSERT_EQ(reference.pasted, "2007-01-20");
        ASSERT_TRUE(reference.explainedAfter);

        EXPECT_EQ(faulty.bound, fault.bound);
        EXPECT_EQ(faulty.tipShown, fault.tipShows);
        EXPECT_EQ(faulty.description == kSentence, fault.described);
        EXPECT_EQ(faulty.text, fault.picks ? "2007-01-16" : "2007-01-15");
        EXPECT_EQ(faulty.pasted, fault.pastes ? "2007-01-20" : faulty.text);
        EXPECT_TRUE(faulty.beforePick->Matches(ExactlyAsLogged(reference.beforePick->Log())));
        if (fault.picks) {
            EXPECT_TRUE(faulty.fromPick->Matches(ExactlyAsLogged(reference.fromPick->Log())));
        }
        EXPECT_EQ(faulty.windowsAfterWork, reference.windowsAfterWork);
        EXPECT_TRUE(faulty.explainedAfter);
        EXPECT_EQ(faulty.windowsAtEnd, faulty.windowsAtStart);
    }
}

} // namespace
} // namespace test
