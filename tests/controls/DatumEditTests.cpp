// The date edit in a host dialog: the road of a typed date, the focus rules,
// the host commands, the binding, class registration and the key filter.
#include "controls/ControlClasses.h"
#include "controls/DatumEdit.h"
#include "platform/core/ClockForTesting.h"
#include "platform/window/Module.h"
#include "platform/window/DataExchange.h"
#include "tests/win32/support/DeletionWatch.h"
#include "tests/controls/support/HostDialog.h"
#include "tests/controls/support/ImportPatch.h"
#include "tests/win32/support/MessageBoxCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace test {
namespace {

constexpr Expect YieldTo(int role) { return Request(DCM_YIELDFOCUS, role); }

std::vector<Expect> Changes(int id, int count) { return std::vector<Expect>(static_cast<std::size_t>(count), Change(id)); }

std::vector<Expect> Join(std::initializer_list<std::vector<Expect>> parts)
{
    std::vector<Expect> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class DatumEditTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_registered = RegisterDatumEditClass(); }
    static inline BOOL s_registered = FALSE;   // the process's first registration

    // Opens a host dialog whose two date edits are bound as given.
    HostDialog& Open(Binding first = {}, Binding second = {})
    {
        m_dialog = std::make_unique<HostDialog>("DatumEdit", first, second);
        EXPECT_TRUE(m_dialog->Open());
        return *m_dialog;
    }

    std::unique_ptr<HostDialog> m_dialog;
};

// --- the road of a typed date ---

// Typing reports each change; leaving rewrites the text in the eight-digit
// form (a DCN_CHANGE of its own) and then reports the exit as changed.
TEST_F(DatumEditTest, TypedDateIsNormalisedAndReportedChangedOnExit)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstId);
    ProtocolLog log(dlg);
    dlg.Type(kFirstId, "070115");
    dlg.Tab();

    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20070115");
    EXPECT_EQ(dlg.FocusId(), kSecondId);
    EXPECT_TRUE(log.Matches(Join({Changes(kFirstId, 6), {NextControl(), Change(kFirstId), ExitChanged(kFirstId)}})));
}

// With DCF_ALTEXIT the exit notifications are the ALT variants.
TEST_F(DatumEditTest, AltExitUsesTheAltNotifications)
{
    HostDialog& dlg = Open({.flags = DCF_ALTEXIT});
    dlg.Focus(kFirstId);
    dlg.Type(kFirstId, "20240105");
    ProtocolLog log(dlg);
    dlg.Tab();
    dlg.Focus(kFirstId);
    dlg.Tab();

    const Expect expected[] = {
        NextControl(), Change(kFirstId), Notice(DCN_EXITCHANGEDALT, kFirstId),
        NextControl(), ExitUnchanged(kSecondId),   // the second control has no ALT binding
        NextControl(), Change(kFirstId), Notice(DCN_EXITUNCHANGEDALT, kFirstId),
    };
    EXPECT_TRUE(log.Matches(expected));
}

// Whether the text changed is judged on the text as typed, before the rewrite:
// retyping the entry date in another form is a change.
TEST_F(DatumEditTest, ChangeIsJudgedOnTheTypedText)
{
    HostDialog& dlg = Open({.initial = "20240105"});
    dlg.Focus(kFirstId);
    ::SetWindowTextA(dlg.Item(kFirstId), "240105");
    ProtocolLog log(dlg);
    dlg.Tab();
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20240105");
    const Expect expected[] = {NextControl(), Change(kFirstId), ExitChanged(kFirstId)};
    EXPECT_TRUE(log.Matches(expected));

    // Edited and restored before leaving: unchanged.
    dlg.Focus(kFirstId);
    ::SetWindowTextA(dlg.Item(kFirstId), "2024");
    ::SetWindowTextA(dlg.Item(kFirstId), "20240105");
    log.Clear();
    dlg.Tab();
    const Expect restored[] = {NextControl(), Change(kFirstId), ExitUnchanged(kFirstId)};
    EXPECT_TRUE(log.Matches(restored));
}

// An empty text is valid: no rewrite, and the exit compares it with the entry text.
TEST_F(DatumEditTest, EmptyTextLeavesWithoutRewrite)
{
    HostDialog& dlg = Open({.initial = "20240105"});
    dlg.Focus(kFirstId);
    ::SetWindowTextA(dlg.Item(kFirstId), "");
    ProtocolLog log(dlg);
    dlg.Tab();
    const Expect emptied[] = {NextControl(), ExitChanged(kFirstId)};
    EXPECT_TRUE(log.Matches(emptied));

    dlg.Focus(kFirstId);
    log.Clear();
    dlg.Tab();
    const Expect stillEmpty[] = {NextControl(), ExitUnchanged(kFirstId)};
    EXPECT_TRUE(log.Matches(stillEmpty));
}

// --- refused texts and the focus ---

// A refused text is never reported: the control takes the focus back from
// the other date edit, which is told to skip its own next check.
TEST_F(DatumEditTest, RefusedTextTakesTheFocusBackSilently)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstId);
    dlg.Type(kFirstId, "20240230");
    ProtocolLog log(dlg);
    dlg.Tab();

    EXPECT_EQ(dlg.FocusId(), kFirstId);
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20240230");
    const Expect expected[] = {NextControl(), YieldTo(kRoleSecond)};
    EXPECT_TRUE(log.Matches(expected));

    // The second control skipped one check only: its next visit checks again.
    ::SetWindowTextA(dlg.Item(kFirstId), "20240229");
    dlg.Tab();
    log.Clear();
    dlg.Tab();
    const Expect secondChecks[] = {NextControl(), ExitUnchanged(kSecondId)};
    EXPECT_TRUE(log.Matches(secondChecks));
}

// Taking the focus back runs the normal focus entry, so the refused text
// becomes the entry text and a later exit compares against it.
TEST_F(DatumEditTest, ReentryStoresTheRefusedTextAsEntryText)
{
    HostDialog& dlg = Open({.initial = "20240228"});
    dlg.Focus(kFirstId);
    ::SetWindowTextA(dlg.Item(kFirstId), "20240230");
    dlg.Tab();
    ASSERT_EQ(dlg.FocusId(), kFirstId);
    EXPECT_EQ(dlg.Control(kFirstId).m_strEntry, "20240230");

    ::SetWindowTextA(dlg.Item(kFirstId), "20240228");
    ProtocolLog log(dlg);
    dlg.Tab();
    const Expect expected[] = {NextControl(), Change(kFirstId), ExitChanged(kFirstId)};
    EXPECT_TRUE(log.Matches(expected));
}

// A minus sign in the year piece would give a five-digit year whose rewrite
// the field itself refuses; such a text is refused as typed instead.
TEST_F(DatumEditTest, NegativeYearPieceIsRefusedAsTyped)
{
    HostDialog& dlg = Open();
    for (const char* typed : {"-1230101", "-90101", "-001-01-01"}) {
        SCOPED_TRACE(typed);
        dlg.Focus(kFirstId);
        ::SetWindowTextA(dlg.Item(kFirstId), typed);
        dlg.Tab();
        EXPECT_EQ(dlg.FocusId(), kFirstId);
        EXPECT_EQ(TextOf(dlg.Item(kFirstId)), typed);
    }
    ::SetWindowTextA(dlg.Item(kFirstId), "99991231");
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kSecondId);
}

// Where the focus went decides whether it comes back: the OK button and a
// control inside a child window of the dialog yield it; Cancel, a window
// without an id, a window with one of the four reserved ids, a window
// outside the dialog and no window at all keep it.
TEST_F(DatumEditTest, FocusComesBackOnlyFromWindowsInsideTheDialog)
{
    HostDialog& dlg = Open();
    auto child = [&](int id) {
        return ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 200, 100, 40, 14, dlg.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    HWND outsideFrame = ::CreateWindowExA(0, "STATIC", "outside", WS_POPUP | WS_VISIBLE, 400, 400, 100, 60, nullptr,
                                          nullptr, nullptr, nullptr);
    HWND outside = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, outsideFrame,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(4242)), nullptr, nullptr);
    HWND group = ::CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_CHILD | WS_VISIBLE, 200, 130, 80, 30,
                                   dlg.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(4300)), nullptr, nullptr);
    HWND inGroup = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 14, group,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(4301)), nullptr, nullptr);

    struct Case {
        const char* name;
        HWND target;
        bool comesBack;
        bool yieldWatched = true;   // the log watches the window that is asked to yield
    };
    const Case cases[] = {
        {"OK", dlg.Item(IDOK), true},
        {"a control inside a child window", inGroup, true, false},
        {"Cancel", dlg.Item(IDCANCEL), false},
        {"id 0", child(0), false},
        {"DCID_KEEPFOCUS1", child(DCID_KEEPFOCUS1), false},
        {"DCID_KEEPFOCUS2", child(DCID_KEEPFOCUS2), false},
        {"DCID_KEEPFOCUS3", child(DCID_KEEPFOCUS3), false},
        {"DCID_KEEPFOCUS4", child(DCID_KEEPFOCUS4), false},
        {"outside the dialog", outside, false},
        {"no window", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::SetActiveWindow(dlg.m_hWnd);
        dlg.Focus(kFirstId);
        ::SetWindowTextA(dlg.Item(kFirstId), "20241301");
        ProtocolLog log(dlg);
        ::SetFocus(c.target);
        dlg.Pump();
        EXPECT_EQ(::GetFocus() == dlg.Item(kFirstId), c.comesBack);
        if (c.comesBack && c.yieldWatched) {
            const Expect yielded[] = {YieldTo(kRoleOk)};
            EXPECT_TRUE(log.Matches(yielded));
        } else {
            EXPECT_TRUE(log.Matches({}));
        }
    }
    ::DestroyWindow(outsideFrame);
}

// Two empty required fields: leaving the first for the second brings the
// focus back to the first, once, with nothing sent to the parent.
TEST_F(DatumEditTest, TwoEmptyRequiredFieldsDoNotBounce)
{
    HostDialog& dlg = Open({.flags = DCF_REQUIRED}, {.flags = DCF_REQUIRED});
    dlg.Focus(kFirstId);
    ProtocolLog log(dlg);
    dlg.Tab();
    dlg.Pump();
    EXPECT_EQ(dlg.FocusId(), kFirstId);
    const Expect expected[] = {NextControl(), YieldTo(kRoleSecond)};
    EXPECT_TRUE(log.Matches(expected));
}

// An empty required field lets the user reach Cancel, so the dialog can
// always be cancelled.
TEST_F(DatumEditTest, EmptyRequiredFieldLetsCancelHaveTheFocus)
{
    HostDialog& dlg = Open({.flags = DCF_REQUIRED});
    dlg.Focus(kFirstId);
    ProtocolLog log(dlg);
    ::SetFocus(dlg.Item(IDCANCEL));
    dlg.Pump();
    EXPECT_EQ(dlg.FocusId(), IDCANCEL);
    EXPECT_TRUE(log.Matches({}));
}

// Auto-advance: the keystroke that makes the text valid moves the focus on,
// and the exit notification precedes that keystroke's DCN_CHANGE. The
// rewrite on leaving does not advance again.
TEST_F(DatumEditTest, AutoAdvanceReportsTheExitBeforeTheKeystrokesChange)
{
    HostDialog& dlg = Open({.flags = DCF_AUTOADVANCE});
    dlg.Focus(kFirstId);
    ProtocolLog log(dlg);
    dlg.Type(kFirstId, "070115");

    EXPECT_EQ(dlg.FocusId(), kSecondId);
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20070115");
    EXPECT_TRUE(log.Matches(Join({Changes(kFirstId, 5),
                                  {NextControl(), Change(kFirstId), ExitChanged(kFirstId), Change(kFirstId)}})));
}

// Under DCF_QUICKENTRY a relative form never advances while it is typed:
// each further digit or unit letter makes it another date ("+1" on the way
// to "+14"). A keyword letter is complete and advances like a whole date.
TEST_F(DatumEditTest, AutoAdvanceWaitsForTheEndOfARelativeForm)
{
    platform::testing::FixedClock clock(2026, 1, 31);
    const struct {
        const char* typed;
        int focus;
        const char* text;
    } cases[] = {
        {"+14", kFirstId, "+14"},
        {"-2m", kFirstId, "-2m"},
        {"g", kSecondId, "20260130"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        HostDialog& dlg = Open({.flags = DCF_AUTOADVANCE | DCF_QUICKENTRY});
        dlg.Focus(kFirstId);
        dlg.Type(kFirstId, c.typed);
        EXPECT_EQ(dlg.FocusId(), c.focus);
        EXPECT_EQ(TextOf(dlg.Item(kFirstId)), c.text);
    }
}

// --- host commands ---

// DCM_VALUETOTEXT writes the bound value in the form the limit selects, for
// both kinds of bound value; the window text is not touched.
TEST_F(DatumEditTest, ValueToTextFormFollowsTheLimit)
{
    struct Case {
        int maxLen;
        const char* expected;
    };
    const Case cases[] = {{10, "2024-01-05"}, {9, "2024-01-05"}, {8, "20240105"}, {7, "20240105"},
                          {6, "240105"},      {5, "unchanged"},  {0, "unchanged"}};
    for (bool dateTime : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "limit " << c.maxLen << (dateTime ? " date-time" : " date"));
            HostDialog& dlg = Open({.maxLen = c.maxLen, .dateTime = dateTime});
            dlg.date[0].Parse("20240105");
            dlg.dateTime[0].Parse("20240105");
            dlg.text[0] = "unchanged";
            EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_VALUETOTEXT, 0, 0), 0);
            EXPECT_EQ(dlg.text[0], c.expected);
            EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "");
        }
    }

    // The empty date gives the empty text; without a bound value nothing happens.
    HostDialog& empty = Open();
    empty.text[0] = "x";
    ::SendMessageA(empty.Item(kFirstId), DCM_VALUETOTEXT, 0, 0);
    EXPECT_EQ(empty.text[0], "");
    HostDialog& unbound = Open({.value = false});
    unbound.text[0] = "x";
    ::SendMessageA(unbound.Item(kFirstId), DCM_VALUETOTEXT, 0, 0);
    EXPECT_EQ(unbound.text[0], "x");
}

// DCM_TEXTTOVALUE normalises the window text, stores it and parses it into
// the bound value; a refused text takes the focus back and changes nothing.
TEST_F(DatumEditTest, TextToValueStoresAcceptedTextsOnly)
{
    HostDialog& dlg = Open({}, {.dateTime = true});
    ::SetWindowTextA(dlg.Item(kFirstId), "240105");
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_TEXTTOVALUE, 0, 0), 0);
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20240105");
    EXPECT_EQ(dlg.text[0], "20240105");
    EXPECT_EQ(dlg.date[0].year, 2024);
    EXPECT_EQ(dlg.date[0].month, 1);
    EXPECT_EQ(dlg.date[0].day, 5);

    ::SetWindowTextA(dlg.Item(kSecondId), "2024-02-29");
    EXPECT_EQ(::SendMessageA(dlg.Item(kSecondId), DCM_TEXTTOVALUE, 0, 0), 0);
    EXPECT_EQ(dlg.text[1], "20240229");
    EXPECT_EQ(dlg.dateTime[1].status, CDateTimeValue::Valid);
    EXPECT_EQ(dlg.dateTime[1].FormatDashed(), "2024-02-29");

    dlg.Focus(kPlainEditId);
    ::SetWindowTextA(dlg.Item(kFirstId), "20230229");
    ProtocolLog log(dlg);
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_TEXTTOVALUE, 0, 0), 0);
    dlg.Pump();
    EXPECT_EQ(dlg.FocusId(), kFirstId);
    EXPECT_EQ(dlg.text[0], "20240105");
    EXPECT_EQ(dlg.date[0].FormatCompact(), "20240105");
    const Expect expected[] = {{DCM_TEXTTOVALUE, kRoleFirst, 0}, YieldTo(kRolePlainEdit)};
    EXPECT_TRUE(log.Matches(expected));
}

// DCM_CLEAR empties the bound text and the window; the change rules run.
TEST_F(DatumEditTest, ClearEmptiesTextAndWindow)
{
    HostDialog& dlg = Open({.initial = "20240105"});
    ProtocolLog log(dlg);
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_CLEAR, 0, 0), 0);
    EXPECT_EQ(dlg.text[0], "");
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "");
    const Expect expected[] = {{DCM_CLEAR, kRoleFirst, 0}, Change(kFirstId)};
    EXPECT_TRUE(log.Matches(expected));
}

// DCM_VERIFY reports a refused text with DCN_INVALID after taking the focus
// back where it may; an empty required text is taken back silently; a valid
// one is quiet.
// Verifying the focused control yields to itself, so its next loss skips the check.
TEST_F(DatumEditTest, VerifyReportsRefusedTexts)
{
    HostDialog& dlg = Open({.flags = DCF_REQUIRED});
    dlg.Focus(kFirstId);
    ::SetWindowTextA(dlg.Item(kFirstId), "20240431");
    ProtocolLog log(dlg);
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_VERIFY, 0, 0), 0);
    const Expect refused[] = {{DCM_VERIFY, kRoleFirst, 0}, YieldTo(kRoleFirst), Notice(DCN_INVALID, kFirstId)};
    EXPECT_TRUE(log.Matches(refused));
    EXPECT_EQ(dlg.FocusId(), kFirstId);
    EXPECT_FALSE(dlg.Control(kFirstId).m_bCheckOnKillFocus);

    log.Clear();
    dlg.Tab();   // the skipped check: the refused text may leave this once
    EXPECT_EQ(dlg.FocusId(), kSecondId);
    const Expect skipped[] = {NextControl()};
    EXPECT_TRUE(log.Matches(skipped));

    ::SetWindowTextA(dlg.Item(kFirstId), "");
    log.Clear();
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_VERIFY, 0, 0), 0);
    const Expect emptyRequired[] = {{DCM_VERIFY, kRoleFirst, 0}, YieldTo(kRoleSecond)};
    EXPECT_TRUE(log.Matches(emptyRequired));
    EXPECT_EQ(dlg.FocusId(), kFirstId);

    ::SetWindowTextA(dlg.Item(kFirstId), "20240430");
    log.Clear();
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_VERIFY, 0, 0), 0);
    const Expect valid[] = {{DCM_VERIFY, kRoleFirst, 0}};
    EXPECT_TRUE(log.Matches(valid));

    // A refused text is reported whatever holds the focus: from Cancel and
    // from a window outside the dialog the focus is not taken back, and the
    // parent hears of the refusal all the same.
    ::SetWindowTextA(dlg.Item(kFirstId), "20240431");
    HWND outside = ::CreateWindowExA(0, "STATIC", "outside", WS_POPUP | WS_VISIBLE, 400, 400, 100, 60, nullptr,
                                     nullptr, nullptr, nullptr);
    for (HWND holder : {dlg.Item(IDCANCEL), outside}) {
        ::SetFocus(holder);
        dlg.Pump();
        log.Clear();
        EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_VERIFY, 0, 0), 0);
        const Expect reported[] = {{DCM_VERIFY, kRoleFirst, 0}, Notice(DCN_INVALID, kFirstId)};
        EXPECT_TRUE(log.Matches(reported));
        EXPECT_EQ(::GetFocus(), holder);
    }
    ::DestroyWindow(outside);
}

// DCM_CHECKMODIFIED compares texts, not dates.
TEST_F(DatumEditTest, CheckModifiedComparesTexts)
{
    HostDialog& dlg = Open({.initial = "20240105"});
    ProtocolLog log(dlg);
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_CHECKMODIFIED, 0, 0), 0);
    ::SetWindowTextA(dlg.Item(kFirstId), "2024-01-05");
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), DCM_CHECKMODIFIED, 0, 0), 0);
    const Expect expected[] = {{DCM_CHECKMODIFIED, kRoleFirst, 0},
                               {DCM_CHECKMODIFIED, kRoleFirst, 0},
                               Notice(DCN_MODIFIED, kFirstId)};
    // The SetWindowTextA between them raised a change.
    std::vector<Expect> withChange(std::begin(expected), std::end(expected));
    withChange.insert(withChange.begin() + 1, Change(kFirstId));
    EXPECT_TRUE(log.Matches(withChange));
}

// --- the binding ---

// The first exchange binds and replaces the text member by the initial text
// (or the empty text); later exchanges keep the first binding.
TEST_F(DatumEditTest, FirstExchangeBindsLaterOnesKeepTheBinding)
{
    auto dialog = std::make_unique<HostDialog>("DatumEdit", Binding{.initial = "20240105"}, Binding{});
    dialog->text[0] = "put there by the dialog";
    dialog->text[1] = "also replaced";
    ASSERT_TRUE(dialog->Open());
    EXPECT_EQ(dialog->text[0], "20240105");
    EXPECT_EQ(TextOf(dialog->Item(kFirstId)), "20240105");
    EXPECT_EQ(dialog->text[1], "");

    dialog->binding[0] = {.maxLen = 4, .flags = DCF_REQUIRED, .initial = "x"};
    ASSERT_TRUE(dialog->UpdateData(FALSE));
    CDatumEntry& first = dialog->Control(kFirstId);
    EXPECT_EQ(first.m_nID, kFirstId);
    EXPECT_EQ(first.m_nMaxLen, 10);
    EXPECT_EQ(first.m_wFlags, 0);
    EXPECT_EQ(first.m_pText, &dialog->text[0]);
    EXPECT_EQ(dialog->text[0], "20240105");
}

// The limit reaches the edit on loading; a longer text fails the save with
// one message box and the focus on the control. Limit 0 is no limit: a text
// of any length saves without a box.
TEST_F(DatumEditTest, MaxCharsLimitsAndValidates)
{
    const struct {
        int maxLen;
        const char* text;
        bool saved;
    } cases[] = {
        {10, "2024-01-05xx", false},
        {10, "2024-01-05", true},
        {0, "2024-01-05, and a text longer than any limit a date field has", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.maxLen << " \"" << c.text << "\"");
        HostDialog& dlg = Open({.maxLen = c.maxLen});
        if (c.maxLen != 0) {
            EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), EM_GETLIMITTEXT, 0, 0), c.maxLen);
        }
        dlg.Focus(kPlainEditId);
        ::SetWindowTextA(dlg.Item(kFirstId), c.text);
        MessageBoxCounter boxes;
        EXPECT_EQ(dlg.UpdateData(TRUE) != FALSE, c.saved);
        EXPECT_EQ(boxes.count, c.saved ? 0 : 1);
        EXPECT_EQ(dlg.FocusId(), c.saved ? kPlainEditId : kFirstId);
        if (c.saved) {
            EXPECT_EQ(dlg.text[0], c.text);
        }
    }
}

// An unbound control filters keys but reacts to nothing else; the host
// commands still answer 0.
TEST_F(DatumEditTest, UnboundControlStaysQuiet)
{
    HostDialog& dlg = Open({.bind = false});
    dlg.Focus(kFirstId);
    ProtocolLog log(dlg);
    dlg.Type(kFirstId, "2x0240230");
    dlg.Tab();
    for (UINT command : {DCM_CLEAR, DCM_VALUETOTEXT, DCM_TEXTTOVALUE, DCM_VERIFY, DCM_CHECKMODIFIED})
        EXPECT_EQ(::SendMessageA(dlg.Item(kFirstId), command, 0, 0), 0) << command;
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20240230");
    EXPECT_EQ(dlg.FocusId(), kSecondId);
    for (const Recorded& entry : log.Log())
        EXPECT_TRUE(entry.role != kRoleParent || entry.message == WM_NEXTDLGCTL) << log.Describe(entry);
}

// --- registration and object lifetime ---

ATOM WINAPI RegisterClassFails(const WNDCLASSA*)
{
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

// The first registration and a second both succeed; the second finds the
// class with its own procedure. A registration that the system refuses is
// reported as failed, and the next one, with the system willing, succeeds.
TEST_F(DatumEditTest, RegisteringTwiceSucceedsWithoutASecondClass)
{
    EXPECT_TRUE(s_registered);
    EXPECT_TRUE(RegisterDatumEditClass());
    WNDCLASSA record{};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "DatumEdit", &record));
    EXPECT_EQ(record.lpfnWndProc, &DatumEditClassProc);
    WNDCLASSA edit{};
    ::GetClassInfoA(nullptr, "edit", &edit);
    EXPECT_EQ(record.style, edit.style);
    EXPECT_EQ(record.cbWndExtra, edit.cbWndExtra);

    UnregisterDatumClasses();
    {
        const ImportPatch refusing("user32.dll", "RegisterClassA", reinterpret_cast<void*>(&RegisterClassFails));
        ASSERT_TRUE(refusing.Applied());
        EXPECT_FALSE(RegisterDatumEditClass());
        EXPECT_FALSE(RegisterDatumCtrlClass());
    }
    EXPECT_TRUE(RegisterDatumEditClass());
    EXPECT_TRUE(RegisterDatumCtrlClass());
}

// Every "DatumEdit" window gets its object at creation, which the dialog
// finds by id; plain edits get none; destroying the dialog deletes each
// control object exactly once.
TEST_F(DatumEditTest, ObjectsLiveAndDieWithTheirWindows)
{
    DeletionWatch deletions;
    HostDialog& dlg = Open();
    const HWND fields[] = {dlg.Item(kFirstId), dlg.Item(kSecondId)};
    for (HWND field : fields) {
        EXPECT_NE(dynamic_cast<CDatumEdit*>(CWnd::FromHandlePermanent(field)), nullptr);
        deletions.Watch(field);
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.Item(kFirstId)), dlg.GetDlgItem(kFirstId));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.Item(kPlainEditId)), nullptr);
    m_dialog.reset();
    for (HWND field : fields)
        EXPECT_EQ(deletions.Deletions(field), 1);
}

// --- keys and text ---

// Letters typed are dropped; digits, the hyphen, other punctuation and
// control characters pass, by the queue and by direct sends alike.
TEST_F(DatumEditTest, TypedLettersAreDropped)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstId);
    dlg.Type(kFirstId, "2a0B2z4-0\xE4" "1/");
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "2024-01/");
    dlg.SendChars(kFirstId, "\b\bx5");
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "2024-05");
}

// Pasted text is not filtered; it is judged when the user leaves.
TEST_F(DatumEditTest, PastedTextIsNotFiltered)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstId);
    ::SendMessageA(dlg.Item(kFirstId), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "abc");
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kFirstId);   // refused: a text that is no date

    // A pasted keyword letter is today's date.
    platform::testing::FixedClock clock(2024, 2, 29);
    ::SetWindowTextA(dlg.Item(kFirstId), "D");
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kSecondId);
    EXPECT_EQ(TextOf(dlg.Item(kFirstId)), "20240229");
}

// GetText copies at most capacity - 1 characters and always terminates, at
// every capacity around the text's length; the base class, which has no
// text, terminates too, and a control without a rule of its own accepts
// whatever it holds.
TEST_F(DatumEditTest, GetTextIsBoundedByTheBuffer)
{
    HostDialog& dlg = Open({.initial = "2024-01-05"});
    CDatumEntry& control = dlg.Control(kFirstId);
    const struct {
        int capacity;
        int count;
        const char* text;
    } cases[] = {{1, 0, ""}, {2, 1, "2"}, {5, 4, "2024"}, {10, 9, "2024-01-0"},
                 {11, 10, "2024-01-05"}, {12, 10, "2024-01-05"}, {16, 10, "2024-01-05"}};
    for (const auto& c : cases) {
        char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(control.GetText(buffer, c.capacity), c.count) << c.capacity;
        EXPECT_STREQ(buffer, c.text) << c.capacity;
        if (c.count + 1 < 16) {
            EXPECT_EQ(buffer[c.count + 1], '#') << c.capacity;
        }
    }
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(control.GetText(buffer, 0), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(control.GetText(nullptr, 16), 0);
    CCustomCtrl base;
    EXPECT_EQ(base.GetText(buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_TRUE(base.IsValid());

    CDateValue date;
    CDateTimeValue dateTime;
    EXPECT_EQ(control.GetDateValue(&date), 10);
    EXPECT_EQ(date.FormatCompact(), "20240105");
    EXPECT_EQ(control.GetDateTimeValue(&dateTime), 10);
    EXPECT_EQ(dateTime.FormatCompact(), "20240105");
    EXPECT_EQ(control.GetDateValue(nullptr), 0);
}

} // namespace
// The protocol's numbers are fixed: hosts built against another copy of the
// protocol header, and plain programs that write the numbers, rely on them.
TEST(DatumProtocolNumbers, EveryMessageAndIdKeepsItsNumber)
{
    const struct {
        unsigned value;
        unsigned number;
    } cases[] = {{DCN_EXITCHANGEDALT, 0x46C}, {DCN_EXITCHANGED, 0x46D}, {DCN_CHANGE, 0x46E},
                 {DCN_EXITUNCHANGEDALT, 0x46F}, {DCN_EXITUNCHANGED, 0x470}, {DCN_INVALID, 0x471},
                 {DCN_MODIFIED, 0x478}, {DCM_EXITCHECK, 0x470}, {DCM_CLEAR, 0x472},
                 {DCM_VALUETOTEXT, 0x473}, {DCM_TEXTTOVALUE, 0x474}, {DCM_SETRANGE, 0x475}, {DCM_VERIFY, 0x476},
                 {DCM_CHECKMODIFIED, 0x477}, {DCM_SETDAYRULE, 0x479}, {DCM_OPENPOPUP, 0x47A}, {DCM_SETLOCALE, 0x47B},
                 {DCM_BUTTONFOCUS, 0x485}, {DCM_YIELDFOCUS, 0x487}, {DCF_ALTEXIT, 1}, {DCF_AUTOADVANCE, 2},
                 {DCF_REQUIRED, 4}, {DCF_EXPLAIN, 8}, {DCF_QUICKENTRY, 0x10}, {DCF_LOCALFORMS, 0x20},
                 {DCF_STEPKEYS, 0x40}, {DCF_HINT, 0x80},
                 {IDC_POPUPBUTTON, 1001}, {IDC_CALENDAR, 1002}, {DCID_KEEPFOCUS1, 0x8765},
                 {DCID_KEEPFOCUS2, 0xBEA1}, {DCID_KEEPFOCUS3, 0xBEC1}, {DCID_KEEPFOCUS4, 0xBEE7}};
    for (const auto& c : cases)
        EXPECT_EQ(c.value, c.number) << std::hex << c.number;
}

} // namespace test
