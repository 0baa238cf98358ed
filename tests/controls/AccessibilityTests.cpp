// What an accessibility client reads from the date controls and the popup
// button, through the system's own in-process accessibility layer.
#include "platform/core/ClockForTesting.h"
#include "tests/controls/DatumCtrlFixture.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/PopupDriver.h"

#include <oleacc.h>

#include <functional>

namespace test {
namespace {

// What a client reads from a window's client object; role 0 when it got none.
struct Reading {
    LONG role = 0;
    CString name;
    CString value;
    CString description;
    bool unavailable = false;
};

// What the object answers now.
Reading Read(IAccessible* object)
{
    Reading reading;
    if (object == nullptr)
        return reading;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        reading.role = role.lVal;
    VARIANT state{};
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        reading.unavailable = (state.lVal & STATE_SYSTEM_UNAVAILABLE) != 0;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(self, &text)))
        reading.name = TakeText(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accValue(self, &text)))
        reading.value = TakeText(text);
    text = nullptr;
    if (object->get_accDescription(self, &text) == S_OK)
        reading.description = TakeText(text);
    return reading;
}

Reading Read(HWND window)
{
    IAccessible* object = ClientObjectOf(window);
    const Reading reading = Read(object);
    if (object != nullptr)
        object->Release();
    return reading;
}

// The date controls read as editable text whose value is the field's text,
// like the plain edit beside them, and as unavailable when disabled. The
// popup button reads as a push button named after what it does, and is
// unavailable with its control; its window text stays its own.
TEST_F(DatumCtrlTest, ScreenReadersReadTheFieldsAsTextAndTheButtonAsAPushButton)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    RegisterDatumEditClass();
    HostDialog& ctrls = Open({.initial = "2007-01-15"}, {.initial = "2007-02-01"});
    HostDialog edits("DatumEdit", {.initial = "20070115"}, {.initial = "20070201"});
    ASSERT_TRUE(edits.Open());
    ::EnableWindow(ctrls.Item(kCtrlIds.second), FALSE);
    ::EnableWindow(edits.Item(kSecondId), FALSE);
    ::SetWindowTextA(ctrls.Item(kCtrlIds.plainEdit), "plain");

    struct Case {
        const char* what;
        HWND window;
        LONG role;
        const char* value;
        const char* name;   // null: the system's own
        bool unavailable;
    };
    const Case cases[] = {
        {"plain edit", ctrls.Item(kCtrlIds.plainEdit), ROLE_SYSTEM_TEXT, "plain", nullptr, false},
        {"DatumCtrl", ctrls.Item(kCtrlIds.first), ROLE_SYSTEM_TEXT, "2007-01-15", nullptr, false},
        {"disabled DatumCtrl", ctrls.Item(kCtrlIds.second), ROLE_SYSTEM_TEXT, "2007-02-01", nullptr, true},
        {"DatumEdit", edits.Item(kFirstId), ROLE_SYSTEM_TEXT, "20070115", nullptr, false},
        {"disabled DatumEdit", edits.Item(kSecondId), ROLE_SYSTEM_TEXT, "20070201", nullptr, true},
        {"popup button", Button(kCtrlIds.first), ROLE_SYSTEM_PUSHBUTTON, "", "Open calendar", false},
        {"popup button of the disabled DatumCtrl", Button(kCtrlIds.second), ROLE_SYSTEM_PUSHBUTTON, "",
         "Open calendar", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Reading reading = Read(c.window);
        EXPECT_EQ(reading.role, c.role);
        EXPECT_EQ(reading.value, c.value);
        if (c.name != nullptr) {
            EXPECT_EQ(reading.name, c.name);
        }
        EXPECT_EQ(reading.unavailable, c.unavailable);
    }
    EXPECT_EQ(TextOf(Button(kCtrlIds.first)), "Kodpopup");
    ::OleUninitialize();
}

// The description changes that the system announced for one window's client object.
struct DescriptionChanges {
    static inline HWND watched = nullptr;
    static inline int count = 0;
    static void CALLBACK Event(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        if (window == watched && object == OBJID_CLIENT && child == CHILDID_SELF)
            ++count;
    }
};

// Blocks 15 August, giving the holiday's name in the single-byte code page.
unsigned CALLBACK AssumptionDay(const CDateValue& day, void*, char* reason, int reasonSize)
{
    if (day.month != 8 || day.day != 15)
        return 0;
    ::lstrcpynA(reason, "Mari\xE4 Himmelfahrt", reasonSize);
    return DATUM_DAY_BLOCKED;
}

// With DCF_EXPLAIN, each refusal shows its own sentence in a balloon
// tooltip under the field as soon as it is refused, at focus-out and for
// DCM_VERIFY alike, and an accessibility client reads the sentence as the
// field's description while it shows, announced as a description change.
// The next key, click or focus change takes it away, from an object the
// client kept as well, and announces that too. Without the bit, or when
// the focus went to Cancel, nothing shows. A tip that was shown without a
// sentence leaves no tooltip window behind either.
TEST_F(DatumCtrlTest, ARefusalExplainsItselfInOneSentence)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    RegisterDatumEditClass();
    enum class Refuse { Tab, Verify, Cancel };
    enum class Dismiss { Key, Click, Focus };
    struct Case {
        const char* className;
        int flags;
        const char* earliest;
        const char* latest;
        const char* text;
        Refuse refuse;
        Dismiss dismiss;
        const char* sentence;   // empty: no tip
        DatumDayRule rule = nullptr;
    };
    constexpr int kExplain = DCF_EXPLAIN;
    const char* const kForms = "Type a date as yyyy-mm-dd, yyyymmdd or yymmdd.";
    const char* const kQuickForms = "Type a date as yyyy-mm-dd, yyyymmdd, yymmdd, D, G, M, or as +7, -2w, +3m, +1y.";
    const char* const kYearInFull = "Type the year in full here: 2026-12-08 or 20261208.";
    constexpr int kQuick = DCF_EXPLAIN | DCF_QUICKENTRY;
    platform::testing::FixedClock clock(2026, 12, 8);
    const Case cases[] = {
        {"DatumCtrl", kExplain, "", "", "2007-02-31", Refuse::Tab, Dismiss::Key,
         "2007-02-31 is not a date: February 2007 has 28 days."},
        {"DatumEdit", kExplain, "", "", "070231", Refuse::Verify, Dismiss::Click,
         "2007-02-31 is not a date: February 2007 has 28 days."},
        {"DatumEdit", kExplain, "", "", "20240230", Refuse::Tab, Dismiss::Focus,
         "2024-02-30 is not a date: February 2024 has 29 days."},
        {"DatumCtrl", kExplain, "", "", "2024-04-31", Refuse::Tab, Dismiss::Key,
         "2024-04-31 is not a date: April 2024 has 30 days."},
        {"DatumEdit", kExplain, "", "", "20071232", Refuse::Verify, Dismiss::Key,
         "2007-12-32 is not a date: December 2007 has 31 days."},
        {"DatumEdit", kExplain, "", "", "20241301", Refuse::Tab, Dismiss::Key,
         "2024-13-01 is not a date: a year has 12 months."},
        {"DatumEdit", kExplain, "", "", "abc", Refuse::Verify, Dismiss::Key, kForms},
        {"DatumCtrl", kExplain, "", "", "200115", Refuse::Tab, Dismiss::Click, kYearInFull},
        {"DatumCtrl", kQuick, "", "", "261208", Refuse::Verify, Dismiss::Key, kYearInFull},
        {"DatumEdit", kExplain, "", "", "\t2026-12-3", Refuse::Tab, Dismiss::Key, kForms},   // no parser's numbers
        {"DatumCtrl", kExplain, "", "", "2026-1 -32", Refuse::Verify, Dismiss::Key, kForms},
        {"DatumCtrl", kQuick, "", "", "+5q", Refuse::Tab, Dismiss::Key, kQuickForms},
        {"DatumEdit", kQuick, "", "", "dg", Refuse::Verify, Dismiss::Key, kQuickForms},
        {"DatumCtrl", kQuick, "2026-12-08", "", "-1w", Refuse::Tab, Dismiss::Key, "Choose a date on or after 2026-12-08."},
        {"DatumEdit", kQuick, "", "", "20261232", Refuse::Tab, Dismiss::Key,
         "2026-12-32 is not a date: December 2026 has 31 days."},
        {"DatumCtrl", kExplain, "2026-01-01", "2026-12-31", "2027-01-01", Refuse::Tab, Dismiss::Key,
         "Choose a date from 2026-01-01 to 2026-12-31."},
        {"DatumEdit", kExplain, "2026-01-01", "", "251231", Refuse::Verify, Dismiss::Focus,
         "Choose a date on or after 2026-01-01."},
        {"DatumCtrl", kExplain, "", "2026-12-31", "20270101", Refuse::Tab, Dismiss::Key,
         "Choose a date on or before 2026-12-31."},
        {"DatumCtrl", kExplain | DCF_REQUIRED, "", "", "", Refuse::Tab, Dismiss::Key, "A date is required here."},
        {"DatumEdit", kExplain | DCF_REQUIRED, "", "", "", Refuse::Verify, Dismiss::Key, "A date is required here."},
        {"DatumCtrl", 0, "", "", "2007-02-31", Refuse::Tab, Dismiss::Key, ""},
        {"DatumEdit", DCF_REQUIRED, "2026-01-01", "", "20250101", Refuse::Verify, Dismiss::Key, ""},
        {"DatumCtrl", kExplain, "", "", "2007-02-31", Refuse::Cancel, Dismiss::Key, ""},
        {"DatumEdit", kExplain, "", "", "20260815", Refuse::Tab, Dismiss::Key,
         "2026-08-15 cannot be chosen: Mari\xE4 Himmelfahrt.", AssumptionDay},
    };
    auto day = [](const char* dashed) {
        CDateValue date;
        date.Parse(dashed);
        return date;
    };
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                          &DescriptionChanges::Event, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.className << " \"" << c.text << "\" flags " << c.flags);
        HostDialog dlg(c.className,
                       {.flags = c.flags, .minDate = day(c.earliest), .maxDate = day(c.latest), .dayRule = c.rule}, {},
                       kCtrlIds);
        ASSERT_TRUE(dlg.Open());
        // This program has no manifest for common controls 6: its edits have
        // no balloon of their own, so the tooltip window of the tip is tested.
        EDITBALLOONTIP balloon{sizeof balloon, L"", L"x", TTI_NONE};
        ASSERT_EQ(::SendMessageA(dlg.Item(kCtrlIds.plainEdit), EM_SHOWBALLOONTIP, 0, win32::ToLParam(&balloon)), 0);
        const HWND field = dlg.Item(kCtrlIds.first);
        dlg.Focus(kCtrlIds.first);
        ::SetWindowTextA(field, c.text);
        DescriptionChanges::watched = field;
        DescriptionChanges::count = 0;
        switch (c.refuse) {
        case Refuse::Tab: dlg.Tab(); break;
        case Refuse::Verify: ::SendMessageA(field, DCM_VERIFY, 0, 0); break;
        case Refuse::Cancel: ::SetFocus(dlg.Item(IDCANCEL)); break;
        }
        if (*c.sentence != '\0') {   // the balloon shows at once, its stem at the middle of the field's bottom edge
            RECT fieldRect{};
            RECT tipRect{};
            ::GetWindowRect(field, &fieldRect);
            ::GetWindowRect(ShownTooltip(), &tipRect);
            const POINT stem{(fieldRect.left + fieldRect.right) / 2, fieldRect.bottom};
            EXPECT_TRUE(::PtInRect(&tipRect, stem));
            EXPECT_GE(tipRect.left, stem.x - 20);   // the stem lies near the tip's left end
        }
        dlg.Pump();
        const CString sentence(c.sentence);
        EXPECT_EQ(ShownTooltipText(), sentence);
        IAccessible* kept = ClientObjectOf(field);
        EXPECT_EQ(Read(kept).description, sentence);
        EXPECT_EQ(DescriptionChanges::count, sentence.IsEmpty() ? 0 : 1);
        if (sentence.IsEmpty()) {
            if (kept != nullptr)
                kept->Release();
            continue;
        }

        switch (c.dismiss) {
        case Dismiss::Key: PressKey(VK_END); break;
        case Dismiss::Click: ClickAt(CentreOf(field)); break;
        case Dismiss::Focus: ::SetFocus(dlg.Item(IDCANCEL)); break;
        }
        dlg.PumpUntil([] { return ShownTooltipText().IsEmpty(); });
        dlg.Pump();
        EXPECT_EQ(ShownTooltipText(), "");
        EXPECT_NE(Read(field).description, sentence);
        EXPECT_NE(Read(kept).description, sentence);
        EXPECT_EQ(DescriptionChanges::count, 2);
        if (kept != nullptr)
            kept->Release();
    }
    ::UnhookWinEvent(hook);

    HostDialog dlg("DatumCtrl", {}, {}, kCtrlIds);
    ASSERT_TRUE(dlg.Open());
    const int tooltips = TooltipCount();
    for (const bool hidden : {true, false}) {
        CRefusalTip tip;
        tip.Show(dlg.Control(kCtrlIds.first), "");
        if (hidden)
            tip.Hide();
    }
    EXPECT_EQ(TooltipCount(), tooltips);
    ::OleUninitialize();
}

} // namespace
} // namespace test
