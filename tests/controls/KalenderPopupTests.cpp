// The calendar popup of the date control: its placement, the start date,
// a day picked with the real mouse or the keyboard, closing without a pick,
// and the roads through the button and the opening keys. The popup is modal: each test acts
// on it from inside its loop through a PopupDriver, which has a watchdog.
#include "platform/core/ClockForTesting.h"
#include "tests/controls/DatumCtrlFixture.h"
#include "tests/controls/support/PopupDriver.h"
#include "tests/win32/support/Pump.h"
#include "tests/controls/support/ClientView.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace test {
namespace {

constexpr int kField = kCtrlIds.first;

CString SelectionOf(CKalenderPopupDlg& popup)
{
    SYSTEMTIME day{};
    ::SendDlgItemMessageA(popup.m_hWnd, IDC_CALENDAR, MCM_GETCURSEL, 0, win32::ToLParam(&day));
    CString text;
    text.Format("%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    return text;
}

// A calendar that answers it has no selection, as a multi-selection one does.
LRESULT CALLBACK WithoutSelection(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return message == MCM_GETCURSEL ? 0 : ::DefSubclassProc(window, message, wParam, lParam);
}

// Counts the dialog's WM_PAINT that come once the popup window is gone.
struct PaintsAfterPopup {
    HWND popup = nullptr;
    int count = 0;
};

LRESULT CALLBACK CountPaintsAfterPopup(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data)
{
    auto* paints = reinterpret_cast<PaintsAfterPopup*>(data);
    if (message == WM_PAINT && paints->popup != nullptr && !::IsWindow(paints->popup))
        ++paints->count;
    return ::DefSubclassProc(window, message, wParam, lParam);
}

// --- placement ---

// A 164 x 155 calendar requested at (1200, 900) with a maximised size of
// 1288 x 1002 and borders of 1 ends up at 1123, 846, 1287, 1001; one pixel
// over an edge moves it by one. Inside the limits, exactly at them, or
// beyond the left and top edges, nothing moves.
TEST(PopupPlacement, PullsBackOverTheRightAndBottomEdgesOnly)
{
    const ScreenLimits limits{1288, 1002, 1, 1};
    const struct {
        RECT requested;
        RECT placed;
    } cases[] = {
        {{1200, 900, 1364, 1055}, {1123, 846, 1287, 1001}},
        {{1200, 10, 1364, 165}, {1123, 10, 1287, 165}},
        {{10, 847, 174, 1002}, {10, 846, 174, 1001}},
        {{1124, 20, 1288, 175}, {1123, 20, 1287, 175}},
        {{10, 20, 174, 175}, {10, 20, 174, 175}},
        {{1123, 846, 1287, 1001}, {1123, 846, 1287, 1001}},
        {{-50, -30, 114, 125}, {-50, -30, 114, 125}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PullBackOnScreen(c.requested, limits), c.placed) << c.requested.left << ", " << c.requested.top;
}

// On the primary monitor the maximised size bounds the popup, whatever its
// work area; on any other monitor its work area's right and bottom edges
// do, less the borders, and there is still no correction towards the left
// or the top. A popup inside a monitor right of the primary stays there.
TEST(PopupPlacement, KeepsThePopupOnTheFieldsMonitor)
{
    const ScreenLimits primary{1288, 1002, 1, 1};
    const struct {
        const char* monitor;
        RECT work;
        DWORD flags;
        RECT requested;
        RECT placed;
    } cases[] = {
        {"primary", {0, 0, 1280, 984}, MONITORINFOF_PRIMARY, {1200, 900, 1364, 1055}, {1123, 846, 1287, 1001}},
        {"right", {1280, 0, 2560, 984}, 0, {1400, 100, 1564, 255}, {1400, 100, 1564, 255}},
        {"right", {1280, 0, 2560, 984}, 0, {2400, 900, 2564, 1055}, {2395, 828, 2559, 983}},
        {"left", {-1280, 0, 0, 1024}, 0, {-200, 950, -36, 1105}, {-200, 868, -36, 1023}},
        {"left", {-1280, 0, 0, 1024}, 0, {-100, 100, 64, 255}, {-165, 100, -1, 255}},
        {"left", {-1280, 0, 0, 1024}, 0, {-1400, -30, -1236, 125}, {-1400, -30, -1236, 125}},
        {"above", {0, -1024, 1280, -40}, 0, {100, -100, 264, 55}, {100, -196, 264, -41}},
        {"above", {0, -1024, 1280, -40}, 0, {100, -1100, 264, -945}, {100, -1100, 264, -945}},
        {"larger, lower", {1280, 200, 3200, 1280}, 0, {3100, 1200, 3264, 1355}, {3035, 1124, 3199, 1279}},
    };
    for (const auto& c : cases) {
        MONITORINFO monitor{sizeof monitor, {}, c.work, c.flags};
        EXPECT_EQ(PullBackOnScreen(c.requested, ScreenLimits::OnMonitor(monitor, primary)), c.placed)
            << c.monitor << " monitor, requested " << c.requested;
    }
}

// Placed by the limits, the popup is then moved only where it would still
// leave the work area, into it: back from the right and the bottom, on from
// the left and the top, to its left and top edges when it is larger.
// Without a work area the limits alone place it.
TEST(PopupPlacement, KeepsThePopupInsideTheWorkArea)
{
    const struct {
        RECT work;
        RECT requested;
        RECT placed;
    } cases[] = {
        {{0, 0, 1280, 1024}, {300, 940, 464, 1095}, {300, 869, 464, 1024}},
        {{0, 0, 1280, 1024}, {1200, 100, 1364, 255}, {1116, 100, 1280, 255}},
        {{0, 0, 1280, 1024}, {-100, 100, 64, 255}, {0, 100, 164, 255}},
        {{0, 40, 1280, 1024}, {100, 20, 264, 175}, {100, 40, 264, 195}},
        {{0, 0, 1280, 1024}, {100, 100, 264, 255}, {100, 100, 264, 255}},
        {{0, 0, 100, 100}, {50, 50, 214, 205}, {0, 0, 164, 155}},
        {{}, {1200, 1000, 1364, 1155}, {1123, 906, 1287, 1061}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacePopup(c.requested, {1288, 1062, 1, 1, c.work}), c.placed) << c.requested << " in " << c.work;
}

// The one monitor that Wine gives is the primary one: every area on it or
// off every monitor gets the system metrics' limits.
TEST(PopupPlacement, TheSystemsMonitorIsThePrimaryOne)
{
    auto fields = [](const ScreenLimits& l) { return std::tuple{l.cxMaximized, l.cyMaximized, l.cxBorder, l.cyBorder}; };
    for (const RECT& area : {RECT{10, 10, 11, 11}, RECT{5000, 5000, 5001, 5001}, RECT{-5000, -5000, -4999, -4999}})
        EXPECT_EQ(fields(ScreenLimits::ForArea(area)), fields(ScreenLimits::FromSystem())) << area;
}

// The navigation keys move by a day, a week or a month, carrying into the
// month and the year; a month step lands on the shorter month's last day;
// Home and End go to the ends of the month; other keys move nothing.
TEST(PopupKeys, MoveTheHighlightByDayWeekAndMonth)
{
    struct Case {
        WPARAM key;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {VK_RIGHT, "2007-01-15", "2007-01-16"}, {VK_LEFT, "2007-03-01", "2007-02-28"},
        {VK_DOWN, "2007-12-28", "2008-01-04"},  {VK_UP, "2008-03-06", "2008-02-28"},
        {VK_NEXT, "2008-01-31", "2008-02-29"},  {VK_PRIOR, "2007-01-15", "2006-12-15"},
        {VK_NEXT, "2007-12-31", "2008-01-31"},  {VK_HOME, "2007-02-15", "2007-02-01"},
        {VK_END, "2008-02-15", "2008-02-29"},   {VK_SPACE, "2007-01-15", "2007-01-15"},
    };
    for (const Case& c : cases) {
        SYSTEMTIME from{};
        from.wYear = static_cast<WORD>(std::atoi(c.from));
        from.wMonth = static_cast<WORD>(std::atoi(c.from + 5));
        from.wDay = static_cast<WORD>(std::atoi(c.from + 8));
        const SYSTEMTIME to = DayAfterKey(from, c.key);
        CString moved;
        moved.Format("%04d-%02d-%02d", to.wYear, to.wMonth, to.wDay);
        EXPECT_EQ(moved, c.to) << "key " << c.key << " from " << c.from;
    }
}

// The real popup has the calendar's smallest full size and its top-left
// corner at the field's bottom-left corner, pulled back over the screen's
// right and bottom edges, and wholly inside the monitor's work area, also
// for a field near the bottom of the screen and one partly off its left.
TEST_F(DatumCtrlTest, PopupOpensUnderTheFieldInsideTheScreen)
{
    const ScreenLimits limits = ScreenLimits::FromSystem();
    // The popup at the left edge must stay partly on a monitor: SetWindowPlacement
    // itself brings back a window that would lie wholly off every monitor.
    const POINT dialogPositions[] = {
        {100, 100}, {limits.cxMaximized - 40, limits.cyMaximized - 60}, {-100, 100}, {300, 880}};
    for (const POINT& at : dialogPositions) {
        SCOPED_TRACE(::testing::Message() << "dialog at " << at.x << ", " << at.y);
        HostDialog& dlg = Open();
        ::SetWindowPos(dlg.m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT field{};
        ::GetWindowRect(dlg.Item(kField), &field);
        RECT calendar{};
        RECT minimal{};
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            HWND calendarWindow = ::GetDlgItem(popup.m_hWnd, IDC_CALENDAR);
            ::GetWindowRect(calendarWindow, &calendar);
            ::SendMessageA(calendarWindow, MCM_GETMINREQRECT, 0, win32::ToLParam(&minimal));
            popup.SendMessage(WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0), 0);
        ASSERT_TRUE(driver.scriptRan);
        const LONG width = calendar.right - calendar.left;
        const LONG height = calendar.bottom - calendar.top;
        EXPECT_EQ(width, minimal.right - minimal.left);
        EXPECT_EQ(height, minimal.bottom - minimal.top);
        const RECT expected = PlacePopup({field.left, field.bottom, field.left + width, field.bottom + height}, limits);
        EXPECT_EQ(driver.shownRect, expected);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoA(::MonitorFromPoint({field.left, field.bottom - 1}, MONITOR_DEFAULTTONEAREST), &monitor);
        RECT inside{};
        ::IntersectRect(&inside, &driver.shownRect, &monitor.rcWork);
        EXPECT_EQ(inside, driver.shownRect) << "the work area is " << monitor.rcWork;
    }
}

// With a second monitor of 1024x768 beside the primary one of 1280x1024
// (the runner's two-monitor display, CORVANEL_WINE_MONITORS=right or left:
// the side of the second), the popup opens on the monitor of the field's
// bottom-left pixel and is pulled back over that monitor's right and
// bottom edges only, never past its work area. A field across the boundary
// belongs to the monitor it starts on, even in that monitor's last pixel
// column. The rows give the
// field's bottom-left corner and where the popup's right and bottom edges
// end when pulled back (kStays: not pulled, the left or top edge stays at
// the corner). Skipped on a display with one monitor.
TEST_F(DatumCtrlTest, PopupOpensOnTheFieldsMonitorOfTwo)
{
    const char* side = std::getenv("CORVANEL_WINE_MONITORS");
    if (side == nullptr)
        GTEST_SKIP() << "one monitor here; the two-monitor run sets CORVANEL_WINE_MONITORS";
    const bool secondOnRight = std::string(side) == "right";
    ASSERT_EQ(::GetSystemMetrics(SM_CMONITORS), 2);
    const POINT secondCorner{secondOnRight ? 1280 : -1024, 0};
    MONITORINFO second{};
    second.cbSize = sizeof second;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromPoint(secondCorner, MONITOR_DEFAULTTONULL), &second));
    ASSERT_EQ(second.rcMonitor, (RECT{secondCorner.x, 0, secondCorner.x + 1024, 768}));

    constexpr LONG kStays = LONG_MIN;
    struct Case {
        const char* what;
        POINT corner;   // the field's bottom-left corner
        LONG right;     // where the popup's right edge is pulled back to
        LONG bottom;    // where its bottom edge is pulled back to
    };
    const Case onTheRight[] = {
        {"near the second's right edge", {2250, 300}, 2303, kStays},
        {"near the second's bottom edge", {1400, 740}, kStays, 767},
        {"in the second's bottom-right corner", {2280, 760}, 2303, 767},
        {"across the boundary, from the second's first column", {1280, 740}, kStays, 767},
        {"across the boundary, from the primary's last column", {1279, 740}, 1280, kStays},   // its work area's edge
    };
    const Case onTheLeft[] = {
        {"near the second's right edge", {-100, 300}, -1, kStays},
        {"near the second's bottom edge", {-900, 740}, kStays, 767},
        {"in the second's bottom-right corner", {-50, 760}, -1, 767},
        {"across the boundary, from the second's last column", {-1, 740}, -1, 767},
        {"across the boundary, from the primary's first column", {0, 740}, kStays, kStays},
    };
    for (const Case& c : secondOnRight ? std::span<const Case>(onTheRight) : std::span<const Case>(onTheLeft)) {
        SCOPED_TRACE(::testing::Message() << c.what << ", the second monitor on the " << side);
        HostDialog& dlg = Open();
        RECT field{};
        ::GetWindowRect(dlg.Item(kField), &field);
        RECT dialog{};
        ::GetWindowRect(dlg.m_hWnd, &dialog);
        ::SetWindowPos(dlg.m_hWnd, nullptr, dialog.left + c.corner.x - field.left,
                       dialog.top + c.corner.y - field.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::GetWindowRect(dlg.Item(kField), &field);
        ASSERT_EQ(field.left, c.corner.x);
        ASSERT_EQ(field.bottom, c.corner.y);
        PopupDriver driver([](CKalenderPopupDlg& popup) { popup.SendMessage(WM_COMMAND, IDCANCEL, 0); });
        ::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0);
        ASSERT_TRUE(driver.scriptRan);
        const RECT& shown = driver.shownRect;
        const LONG width = shown.right - shown.left;
        const LONG height = shown.bottom - shown.top;
        EXPECT_EQ(shown.right, c.right == kStays ? c.corner.x + width : c.right);
        EXPECT_EQ(shown.bottom, c.bottom == kStays ? c.corner.y + height : c.bottom);
    }
}

// --- opening ---

// An empty field opens the calendar on today, with the dialog disabled
// behind it. Only the first day-state request presets the selection: a
// later one leaves the user's choice alone. Closing without a pick leaves
// the field empty and gives it the focus back.
TEST_F(DatumCtrlTest, EmptyFieldOpensOnToday)
{
    platform::testing::FixedClock clock(2007, 11, 25);   // two-digit month and day: every piece is read in full
    HostDialog& dlg = Open();
    dlg.Focus(kField);
    CString preset;
    CString afterLaterRequest;
    PopupDriver driver([&](CKalenderPopupDlg& popup) {
        preset = SelectionOf(popup);
        HWND calendar = ::GetDlgItem(popup.m_hWnd, IDC_CALENDAR);
        SYSTEMTIME chosen{2007, 2, 0, 10, 0, 0, 0, 0};
        ::SendMessageA(calendar, MCM_SETCURSEL, 0, win32::ToLParam(&chosen));
        NMDAYSTATE request{};
        request.nmhdr = {calendar, IDC_CALENDAR, static_cast<UINT>(MCN_GETDAYSTATE)};
        popup.SendMessage(WM_NOTIFY, IDC_CALENDAR, win32::ToLParam(&request));
        afterLaterRequest = SelectionOf(popup);
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0), 0);

    ASSERT_TRUE(driver.scriptRan);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(preset, "2007-11-25");
    EXPECT_EQ(afterLaterRequest, "2007-02-10");
    EXPECT_EQ(driver.ownerWhileShown, dlg.m_hWnd);
    EXPECT_FALSE(driver.ownerEnabledWhileShown);
    EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
    EXPECT_EQ(TextOf(dlg.Item(kField)), "");
    EXPECT_EQ(dlg.FocusId(), kField);
}

// Every accepted form opens the calendar on its own day, whichever way it
// is opened: the short form with its year window, the compact and dashed
// forms, the keyword letters (pasted, as letters cannot be typed without
// DCF_QUICKENTRY) and, under that option, the relative forms. The
// button leaves the text in the field as it was; the keys rewrite it on the
// way out, as a Tab would.
TEST_F(DatumCtrlTest, CalendarOpensOnTheTypedDayInEveryForm)
{
    platform::testing::FixedClock clock(2007, 11, 25);
    enum class Opener { Button, Down, F4, AltDown };
    const struct {
        const char* text;
        Opener opener;
        const char* day;
        const char* textAfter;
        int flags = 0;
    } cases[] = {
        {"070115", Opener::Down, "2007-01-15", "2007-01-15"},
        {"070115", Opener::Button, "2007-01-15", "070115"},
        {"550315", Opener::F4, "1955-03-15", "1955-03-15"},
        {"20070115", Opener::AltDown, "2007-01-15", "2007-01-15"},
        {"20070115", Opener::Button, "2007-01-15", "20070115"},
        {"2007-01-15", Opener::F4, "2007-01-15", "2007-01-15"},
        {"D", Opener::Button, "2007-11-25", "D"},
        {"G", Opener::Down, "2007-11-24", "2007-11-24"},
        {"M", Opener::AltDown, "2007-11-26", "2007-11-26"},
        {"M", Opener::Button, "2007-11-26", "M"},
        {"+1m", Opener::Button, "2007-12-25", "+1m", DCF_QUICKENTRY},
        {"-1w", Opener::Down, "2007-11-18", "2007-11-18", DCF_QUICKENTRY},
        {"g", Opener::F4, "2007-11-24", "2007-11-24", DCF_QUICKENTRY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.text << " opened by " << static_cast<int>(c.opener));
        HostDialog& dlg = Open({.flags = c.flags});
        dlg.Focus(kField);
        ::SetWindowTextA(dlg.Item(kField), c.text);
        CString selection;
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            selection = SelectionOf(popup);
            PressKey(VK_ESCAPE);
        });
        switch (c.opener) {
        case Opener::Button: ClickAt(CentreOf(Button(kField))); break;
        case Opener::Down: PressKey(VK_DOWN); break;
        case Opener::F4: PressKey(VK_F4); break;
        case Opener::AltDown: PressKey(VK_DOWN, VK_MENU); break;
        }
        ASSERT_TRUE(dlg.PumpUntil([&] { return driver.scriptRan; }));
        EXPECT_EQ(driver.popupsSeen, 1);
        EXPECT_EQ(selection, c.day);
        EXPECT_EQ(TextOf(dlg.Item(kField)), c.textAfter);
    }
}

// A refused text such as 200115 opens no popup, whether the Down key, a
// click on the button or the request itself asks, and stays as it is.
TEST_F(DatumCtrlTest, RefusedTextOpensNoPopup)
{
    HostDialog& dlg = Open();
    HWND field = dlg.Item(kField);
    dlg.Focus(kField);
    ::SetWindowTextA(field, "200115");
    ::SendMessageA(field, EM_SETSEL, 0, 0);
    PopupDriver driver([](CKalenderPopupDlg& popup) { popup.SendMessage(WM_COMMAND, IDCANCEL, 0); }, 0);

    PressKey(VK_DOWN);
    EXPECT_TRUE(dlg.PumpUntil([&] { return ::SendMessageA(field, EM_GETSEL, 0, 0) != 0; }));   // the key arrived
    ClickAt(CentreOf(Button(kField)));
    EXPECT_TRUE(dlg.PumpUntil([&] { return ::GetFocus() == Button(kField); }));   // the click arrived
    ::SendMessageA(field, DCM_OPENPOPUP, 0, 0);
    dlg.Pump();

    EXPECT_EQ(driver.popupsSeen, 0);
    EXPECT_EQ(TextOf(field), "200115");
}

// --- picking and closing ---

// Real mouse clicks on the popup button and then on a day: the button takes
// the focus before it asks for the popup, the field gets the day in the
// dashed form and the focus back, and the next focus loss reports a change,
// because the entry text from before the popup was kept.
TEST_F(DatumCtrlTest, DayPickedWithTheMouseBecomesTheText)
{
    HostDialog& dlg = Open({.initial = "2007-01-15"});
    dlg.Focus(kField);
    ProtocolLog log(dlg);
    bool dayShown = false;
    PopupDriver driver([&](CKalenderPopupDlg& popup) {
        POINT day{};
        dayShown = CalendarDayPoint(::GetDlgItem(popup.m_hWnd, IDC_CALENDAR), 2007, 1, 24, &day);
        if (dayShown)
            ClickAt(day);
    });
    ClickAt(CentreOf(Button(kField)));
    ASSERT_TRUE(dlg.PumpUntil([&] { return driver.scriptRan; }));

    EXPECT_TRUE(dayShown);
    EXPECT_FALSE(driver.timedOut);
    EXPECT_EQ(TextOf(dlg.Item(kField)), "2007-01-24");
    EXPECT_EQ(dlg.FocusId(), kField);
    // The dialog manager gives the focus back to the button as the dialog
    // becomes active again, before the field takes it.
    const Expect clicked[] = {Request(DCM_BUTTONFOCUS, kRoleFirst), Request(DCM_OPENPOPUP, kRoleFirst),
                              Optional(Request(DCM_BUTTONFOCUS, kRoleFirst)), Change(kField)};
    EXPECT_TRUE(log.Matches(clicked));

    log.Clear();
    dlg.Tab();
    const Expect leaving[] = {NextControl(), Change(kField), ExitChanged(kField)};
    EXPECT_TRUE(log.Matches(leaving));
}

// Down opens the popup after a full focus-out, as the focus goes into the
// popup and not to the button: the text is rewritten and the exit reported
// while the popup opens. Escape closes it; the field gets the focus back.
TEST_F(DatumCtrlTest, DownOpensThePopupAfterAFullFocusOut)
{
    HostDialog& dlg = Open();
    dlg.Focus(kField);
    dlg.Type(kField, "070115");
    ProtocolLog log(dlg);
    CString textWhileOpen;
    PopupDriver driver([&](CKalenderPopupDlg&) {
        textWhileOpen = TextOf(dlg.Item(kField));
        PressKey(VK_ESCAPE);
    });
    PressKey(VK_DOWN);
    ASSERT_TRUE(dlg.PumpUntil([&] { return driver.scriptRan; }));

    EXPECT_EQ(textWhileOpen, "2007-01-15");
    EXPECT_EQ(TextOf(dlg.Item(kField)), "2007-01-15");
    EXPECT_EQ(dlg.FocusId(), kField);
    const Expect expected[] = {Request(DCM_OPENPOPUP, kRoleFirst), Change(kField), ExitChanged(kField)};
    EXPECT_TRUE(log.Matches(expected));
}

// Escape, a move, a resize, a re-ordering of the shown popup and Enter on a
// calendar without a selection each close it without a pick: the dialog
// under the popup is repainted at once, the field keeps its text and gets
// the focus back.
// Being shown is no move: the popup is still open when the script acts.
TEST_F(DatumCtrlTest, PopupClosesUnpickedOnEscapeOrAnyMove)
{
    struct Case {
        const char* name;
        std::function<void(HWND popup)> act;
    };
    const Case cases[] = {
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }},
        {"move", [](HWND popup) {
             RECT at{};
             ::GetWindowRect(popup, &at);
             ::SetWindowPos(popup, nullptr, at.left + 10, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"resize", [](HWND popup) {
             ::SetWindowPos(popup, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"re-order", [](HWND popup) {
             ::SetWindowPos(popup, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
         }},
        {"Enter without a selection", [](HWND popup) {
             ::SetWindowSubclass(::GetDlgItem(popup, IDC_CALENDAR), WithoutSelection, 1, 0);
             PressKey(VK_RETURN);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostDialog& dlg = Open({.initial = "2007-01-15"});
        dlg.Focus(kField);
        bool openWhenActing = false;
        PaintsAfterPopup paints;
        ::SetWindowSubclass(dlg.m_hWnd, CountPaintsAfterPopup, 1, reinterpret_cast<DWORD_PTR>(&paints));
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            openWhenActing = popup.IsWindowVisible() != FALSE;
            paints.popup = popup.m_hWnd;
            c.act(popup.m_hWnd);
        }, 300);
        EXPECT_EQ(::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0), 0);
        ::RemoveWindowSubclass(dlg.m_hWnd, CountPaintsAfterPopup, 1);

        EXPECT_GT(paints.count, 0) << "the dialog is repainted before the call returns";
        EXPECT_TRUE(openWhenActing);
        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(TextOf(dlg.Item(kField)), "2007-01-15");
        EXPECT_EQ(dlg.FocusId(), kField);
    }
}

// The keyboard alone, with real keys: each opening key opens the calendar
// on the field's day, the arrows move the highlight, Enter and Space pick it
// as a click does (the next exit reports a change), and Escape, F4 and
// Alt+Up close the calendar without one. The field has the focus back and
// takes the keys typed next; the dialog does not go into menu mode, also
// not when Alt is held on after Alt+Up, until Alt is pressed alone.
TEST_F(DatumCtrlTest, CalendarWorksFromTheKeyboardAlone)
{
    struct Key {
        WORD key;
        WORD modifier = 0;
        int modifierRepeats = 0;   // the modifier held on after the key, as a person holds it a moment
    };
    struct Case {
        const char* name;
        Key open;
        std::vector<Key> inPopup;
        const char* text;   // the field's text afterwards
    };
    const Case cases[] = {
        {"Down, Right, Right, Enter", {VK_DOWN}, {{VK_RIGHT}, {VK_RIGHT}, {VK_RETURN}}, "2007-01-17"},
        {"F4, Down, Space", {VK_F4}, {{VK_DOWN}, {VK_SPACE}}, "2007-01-22"},
        {"Alt+Down, Left, Enter", {VK_DOWN, VK_MENU}, {{VK_LEFT}, {VK_RETURN}}, "2007-01-14"},
        {"F4, Enter", {VK_F4}, {{VK_RETURN}}, "2007-01-15"},
        {"Down, Right, Escape", {VK_DOWN}, {{VK_RIGHT}, {VK_ESCAPE}}, "2007-01-15"},
        {"F4, Right, F4", {VK_F4}, {{VK_RIGHT}, {VK_F4}}, "2007-01-15"},
        {"Alt+Down, Right, Alt+Up", {VK_DOWN, VK_MENU}, {{VK_RIGHT}, {VK_UP, VK_MENU}}, "2007-01-15"},
        {"Down, Right, Alt+Up with Alt held on", {VK_DOWN}, {{VK_RIGHT}, {VK_UP, VK_MENU, 3}}, "2007-01-15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostDialog& dlg = Open({.initial = "2007-01-15"});
        dlg.Focus(kField);
        MenuModeWatch menuMode;
        PopupDriver driver([&](CKalenderPopupDlg&) {
            for (const Key& key : c.inPopup)
                PressKey(key.key, key.modifier, key.modifierRepeats);
        });
        PressKey(c.open.key, c.open.modifier);
        ASSERT_TRUE(dlg.PumpUntil([&] { return driver.scriptRan; }));

        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(driver.popupsSeen, 1);
        EXPECT_EQ(TextOf(dlg.Item(kField)), CString(c.text));
        EXPECT_EQ(dlg.FocusId(), kField);
        // The keys typed next reach the field at once: BackSpace takes the
        // last digit off, and typing it puts it back.
        const CString text(c.text);
        PressKey(VK_END);
        PressKey(VK_BACK);
        EXPECT_TRUE(dlg.PumpUntil([&] { return TextOf(dlg.Item(kField)) == text.Left(9); }));
        PressKey(static_cast<WORD>(text.GetAt(9)));
        EXPECT_TRUE(dlg.PumpUntil([&] { return TextOf(dlg.Item(kField)) == text; }));
        EXPECT_FALSE(menuMode.Entered());
        // Alt pressed alone afterwards is the system's again: the menu loop starts.
        PressKey(VK_MENU);
        EXPECT_TRUE(dlg.PumpUntil([&] { return menuMode.Entered(); }));
        ProtocolLog log(dlg);
        dlg.Tab();
        const bool changed = CString(c.text) != "2007-01-15";
        const Expect leaving[] = {NextControl(), Change(kField), changed ? ExitChanged(kField) : ExitUnchanged(kField)};
        EXPECT_TRUE(log.Matches(leaving));
    }
}

// With a range, the calendar offers only its days (MCM_SETRANGE) and opens
// on the field's date, or on the nearest allowed day when today or the
// field's date lies outside; Page Up moves a month back only where the range allows, and
// Enter writes the day it is on.
TEST_F(DatumCtrlTest, CalendarOffersOnlyTheRange)
{
    platform::testing::FixedClock clock(2026, 6, 15);
    struct Case {
        const char* earliest;
        const char* latest;
        const char* field;
        const char* start;        // the calendar's selection when it opens
        const char* afterPageUp;  // the field's text after Page Up and Enter
    };
    const Case cases[] = {
        {"2026-07-01", "2026-12-31", "", "2026-07-01", "2026-07-01"},   // today before the earliest
        {"2026-01-01", "2026-05-31", "", "2026-05-31", "2026-04-30"},   // today after the latest
        {"2026-01-01", "2026-12-31", "", "2026-06-15", "2026-05-15"},
        {"2026-01-01", "2026-12-31", "2026-01-20", "2026-01-20", "2026-01-20"},   // the field's date
        {"2026-01-01", "2026-12-31", "2027-03-31", "2026-12-31", "2026-11-30"},   // the field's date after the latest
        {"2026-01-01", "2026-12-31", "2025-11-20", "2026-01-01", "2026-01-01"},
        {"2026-01-01", "2026-12-31", "991231", "2026-01-01", "2026-01-01"},   // 1999-12-31
        {"", "2026-06-15", "M", "2026-06-15", "2026-05-15"},                  // tomorrow
        {"", "2026-05-31", "", "2026-05-31", "2026-04-30"},
        {"2026-07-01", "", "", "2026-07-01", "2026-07-01"},
        {"", "", "", "2026-06-15", "2026-05-15"},   // no range: the calendar gets none
    };
    auto day = [](const char* dashed) {
        CDateValue date;
        date.Parse(dashed);
        return date;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.earliest << ".." << c.latest << " field \"" << c.field << "\"");
        HostDialog& dlg = Open({.initial = c.field, .minDate = day(c.earliest), .maxDate = day(c.latest)});
        dlg.Focus(kField);
        CString start;
        SYSTEMTIME limits[2] = {};
        LRESULT sides = 0;
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            start = SelectionOf(popup);
            sides = ::SendDlgItemMessageA(popup.m_hWnd, IDC_CALENDAR, MCM_GETRANGE, 0, win32::ToLParam(limits));
            PressKey(VK_PRIOR);
            PressKey(VK_RETURN);
        });
        EXPECT_EQ(::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0), 0);
        ASSERT_TRUE(driver.scriptRan);
        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(start, c.start);
        const LRESULT expectedSides = (*c.earliest != '\0' ? GDTR_MIN : 0) | (*c.latest != '\0' ? GDTR_MAX : 0);
        EXPECT_EQ(sides, expectedSides);
        CString earliest;
        CString latest;
        earliest.Format("%04d-%02d-%02d", limits[0].wYear, limits[0].wMonth, limits[0].wDay);
        latest.Format("%04d-%02d-%02d", limits[1].wYear, limits[1].wMonth, limits[1].wDay);
        if ((sides & GDTR_MIN) != 0) {
            EXPECT_EQ(earliest, c.earliest);
        }
        if ((sides & GDTR_MAX) != 0) {
            EXPECT_EQ(latest, c.latest);
        }
        EXPECT_EQ(TextOf(dlg.Item(kField)), c.afterPageUp);
    }
}

// Weekends blocked, Christmas Eve and Day blocked and marked, New Year's
// Eve marked only.
unsigned CALLBACK HolidaysAndWeekends(const CDateValue& day, void* context, char* reason, int reasonSize)
{
    if (day.month == 12 && (day.day == 24 || day.day == 25)) {
        std::snprintf(reason, static_cast<std::size_t>(reasonSize), "a public holiday");
        return DATUM_DAY_BLOCKED | DATUM_DAY_MARKED;
    }
    if (day.month == 12 && day.day == 31)
        return DATUM_DAY_MARKED;
    return DatumWeekdaysOnly(day, context, reason, reasonSize);
}

// Under a day rule the calendar asks for day states (MCS_DAYSTATE) and its
// answer for each month it shows has the marked days the range holds bold.
// It opens on the field's day even when that day is blocked. A click,
// Enter or Space on a blocked day leaves the popup open and the field as
// it was, with DCF_EXPLAIN a tip at the calendar says why; an allowed day,
// marked or not, is picked as without a rule. Without a rule the calendar
// asks nothing and a Saturday is picked like any day.
TEST_F(DatumCtrlTest, CalendarUnderADayRule)
{
    platform::testing::FixedClock clock(2026, 12, 8);
    enum class Act { Click, Enter, Space };
    constexpr MONTHDAYSTATE kDecember = (1u << 23) | (1u << 24) | (1u << 30);   // the 24th, 25th and 31st
    struct Case {
        const char* name;
        DatumDayRule rule;
        int flags;
        const char* latest;
        const char* field;
        const char* start;        // the calendar's selection when it opens
        MONTHDAYSTATE december;   // the answer for December, between November and January
        Act act;
        const char* day;
        const char* textAfter;    // the field's text afterwards
        const char* tip;          // the tip at the calendar; empty: none
    };
    const Case cases[] = {
        {"click on a Saturday", HolidaysAndWeekends, DCF_EXPLAIN, "", "2026-12-08", "2026-12-08", kDecember, Act::Click,
         "2026-12-12", "2026-12-08", "2026-12-12 cannot be chosen: a Saturday."},
        {"Enter on a holiday", HolidaysAndWeekends, DCF_EXPLAIN, "", "", "2026-12-08", kDecember, Act::Enter,
         "2026-12-24", "", "2026-12-24 cannot be chosen: a public holiday."},
        {"Space on a Sunday, unexplained", HolidaysAndWeekends, 0, "", "2026-12-08", "2026-12-08", kDecember,
         Act::Space, "2026-12-13", "2026-12-08", ""},
        {"click on a marked weekday", HolidaysAndWeekends, DCF_EXPLAIN, "", "2026-12-08", "2026-12-08", kDecember,
         Act::Click, "2026-12-31", "2026-12-31", ""},
        {"Enter on a weekday, opened on a blocked day", HolidaysAndWeekends, DCF_EXPLAIN, "", "2026-12-26",
         "2026-12-26", kDecember, Act::Enter, "2026-12-28", "2026-12-28", ""},
        {"a marked day past the range is not bold", HolidaysAndWeekends, 0, "2026-12-30", "2026-12-08",
         "2026-12-08", (1u << 23) | (1u << 24), Act::Space, "2026-12-29", "2026-12-29", ""},
        {"no rule", nullptr, DCF_EXPLAIN, "", "2026-12-08", "2026-12-08", 0, Act::Click, "2026-12-12", "2026-12-12",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDateValue latest;
        latest.Parse(c.latest);
        HostDialog& dlg = Open({.flags = c.flags, .initial = c.field, .maxDate = latest, .dayRule = c.rule});
        dlg.Focus(kField);
        CString start;
        bool dayStates = false;
        MONTHDAYSTATE answer[3] = {1, 1, 1};
        bool openAfterPick = false;
        CString tooltip;   // the standard tooltip that screen readers announce
        bool popupsFont = false;   // the calendar, made anew or not, draws in the popup's font
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            start = SelectionOf(popup);
            const HWND calendar = ::GetDlgItem(popup.m_hWnd, IDC_CALENDAR);
            dayStates = (::GetWindowLongPtrA(calendar, GWL_STYLE) & MCS_DAYSTATE) != 0;
            popupsFont = ::SendMessageA(calendar, WM_GETFONT, 0, 0) == popup.SendMessage(WM_GETFONT);
            NMDAYSTATE request{};
            request.nmhdr = {calendar, IDC_CALENDAR, static_cast<UINT>(MCN_GETDAYSTATE)};
            request.stStart = {2026, 11, 0, 1, 0, 0, 0, 0};
            request.cDayState = 3;
            request.prgDayState = answer;
            popup.SendMessage(WM_NOTIFY, IDC_CALENDAR, win32::ToLParam(&request));
            std::copy_n(request.prgDayState, 3, answer);

            CDateValue day;
            day.Parse(c.day);
            SYSTEMTIME target{day.year, day.month, 0, day.day, 0, 0, 0, 0};
            if (c.act == Act::Click) {
                POINT at{};
                ASSERT_TRUE(CalendarDayPoint(calendar, target.wYear, target.wMonth, target.wDay, &at));
                ClickAt(at);
            } else {
                ::SendMessageA(calendar, MCM_SETCURSEL, 0, win32::ToLParam(&target));
                PressKey(c.act == Act::Enter ? VK_RETURN : VK_SPACE);
            }
            const bool refused = !CString(c.tip).IsEmpty() || CString(c.textAfter) == CString(c.field);
            DialogSteps{popup.m_hWnd}.PumpUntil([&] { return refused && !ShownTooltipText().IsEmpty(); }, 1000);
            openAfterPick = popup.IsWindowVisible() != FALSE && SelectionOf(popup) == c.day;
            tooltip = ShownTooltipText();
            if (openAfterPick)
                PressKey(VK_ESCAPE);
        });
        EXPECT_EQ(::SendMessageA(dlg.Item(kField), DCM_OPENPOPUP, 0, 0), 0);
        ASSERT_TRUE(driver.scriptRan);
        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(dayStates, c.rule != nullptr);
        EXPECT_TRUE(popupsFont);
        if (c.rule != nullptr) {
            EXPECT_EQ(answer[0], 0u);
            EXPECT_EQ(answer[1], c.december);
            EXPECT_EQ(answer[2], 0u);
        }
        EXPECT_EQ(openAfterPick, CString(c.textAfter) == CString(c.field));
        EXPECT_EQ(tooltip, c.tip);
        EXPECT_EQ(TextOf(dlg.Item(kField)), c.textAfter);
    }
}

// The calendars of a linked pair: the end's opens on its own date, or when
// it is empty on the start's, and offers no day before the start; the
// start's opens on its own date, or on the end's. Both show the days from
// the start to the end bold. A day the pair refuses leaves the calendar
// open with the reason, as a blocked day does.
TEST_F(DatumCtrlTest, CalendarsOfALinkedPair)
{
    platform::testing::FixedClock clock(2026, 11, 2);
    constexpr int kEnd = kCtrlIds.second;
    struct Case {
        bool end;                 // the end's calendar, else the start's
        const char* start;
        const char* endDate;
        int longest;
        const char* opensOn;
        const char* earliest;     // the first day offered; empty: no limit
        int boldFrom, boldTo;     // the days of December shown bold; 0: none
        const char* day;          // picked with Enter
        const char* tip;          // empty: picked
    };
    const Case cases[] = {
        {true, "2026-12-08", "", 0, "2026-12-08", "2026-12-08", 0, 0, "2026-12-10", ""},
        {true, "2026-12-08", "2026-12-20", 0, "2026-12-20", "2026-12-08", 8, 20, "2026-12-22", ""},
        {true, "2026-12-08", "2026-12-10", 5, "2026-12-10", "2026-12-08", 8, 10, "2026-12-20",
         "The span may be at most 5 days: 2026-12-08 to 2026-12-20 is 12."},
        {false, "", "2026-12-20", 0, "2026-12-20", "", 0, 0, "2026-12-21", "2026-12-21 is after the end, 2026-12-20."},
        {false, "2026-12-08", "2026-12-10", 0, "2026-12-08", "", 8, 10, "2026-12-09", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.end ? "end" : "start") << " " << c.start << " to " << c.endDate);
        HostDialog& dlg = Open({.flags = DCF_EXPLAIN, .initial = c.start}, {.flags = DCF_EXPLAIN, .initial = c.endDate});
        ASSERT_TRUE(Ctrl(kField).LinkEnd(Ctrl(kEnd), 0, c.longest));
        const int field = c.end ? kEnd : kField;
        dlg.Focus(field);
        CString opensOn;
        SYSTEMTIME limits[2] = {};
        LRESULT sides = 0;
        MONTHDAYSTATE answer[3] = {1, 1, 1};
        bool openAfterPick = false;
        CString tip;
        PopupDriver driver([&](CKalenderPopupDlg& popup) {
            opensOn = SelectionOf(popup);
            const HWND calendar = ::GetDlgItem(popup.m_hWnd, IDC_CALENDAR);
            sides = ::SendMessageA(calendar, MCM_GETRANGE, 0, win32::ToLParam(limits));
            NMDAYSTATE request{};
            request.nmhdr = {calendar, IDC_CALENDAR, static_cast<UINT>(MCN_GETDAYSTATE)};
            request.stStart = {2026, 11, 0, 1, 0, 0, 0, 0};
            request.cDayState = 3;
            request.prgDayState = answer;
            popup.SendMessage(WM_NOTIFY, IDC_CALENDAR, win32::ToLParam(&request));
            std::copy_n(request.prgDayState, 3, answer);
            const CDateValue day = CDateValue().Parse(c.day);
            SYSTEMTIME target{day.year, day.month, 0, day.day, 0, 0, 0, 0};
            ::SendMessageA(calendar, MCM_SETCURSEL, 0, win32::ToLParam(&target));
            PressKey(VK_RETURN);
            DialogSteps{popup.m_hWnd}.PumpUntil([&] { return *c.tip != '\0' && !ShownTooltipText().IsEmpty(); }, 1000);
            openAfterPick = popup.IsWindowVisible() != FALSE;
            tip = ShownTooltipText();
            if (openAfterPick)
                PressKey(VK_ESCAPE);
        });
        EXPECT_EQ(::SendMessageA(dlg.Item(field), DCM_OPENPOPUP, 0, 0), 0);
        ASSERT_TRUE(driver.scriptRan);
        EXPECT_FALSE(driver.timedOut);
        EXPECT_EQ(opensOn, c.opensOn);
        CString earliest;
        if ((sides & GDTR_MIN) != 0)
            earliest.Format("%04d-%02d-%02d", limits[0].wYear, limits[0].wMonth, limits[0].wDay);
        EXPECT_EQ(earliest, c.earliest);
        MONTHDAYSTATE december = 0;
        for (int d = c.boldFrom; d >= 1 && d <= c.boldTo; ++d)
            december |= MONTHDAYSTATE{1} << (d - 1);
        EXPECT_TRUE(answer[0] == 0 && answer[1] == december && answer[2] == 0) << std::hex << answer[1];
        EXPECT_EQ(openAfterPick, *c.tip != '\0');
        EXPECT_EQ(tip, c.tip);
        EXPECT_EQ(TextOf(dlg.Item(field)), *c.tip != '\0' ? CString(c.end ? c.endDate : c.start) : CString(c.day));
    }
}

} // namespace

} // namespace test
