// StormEvents.cpp: the events of a storm, each made of steps that plan
// what they may change, and what a user or host does to a popup.
#include "tests/storm/support/StormRunner.h"

#include "controls/DatumCtrl.h"
#include "controls/KalenderPopupDlg.h"
#include "tests/controls/support/PopupDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace storm {
namespace {

// --- random texts ---

// Wine's 64-bit gdi32 faults while shaping U+02DC (0x98 in the ANSI code
// page) in an edit; a bare EDIT window shows the same crash and the 32-bit
// one draws it. A 64-bit storm under Wine uses the next character instead,
// so that the generator's sequence stays the same.
char Drawable(char c)
{
#if defined(_WIN64)
    static const bool underWine =
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (underWine && static_cast<unsigned char>(c) == 0x98)
        return static_cast<char>(0x99);
#endif
    return c;
}

char RandomByte(Prng& rng)
{
    return Drawable(static_cast<char>(1 + rng.Below(255)));
}

char RandomTypedChar(Prng& rng)
{
    static const char kLetters[] = {'D', 'G', 'M', 'd', 'g', 'm', 'x', 'A', 'z'};
    // Ctrl+A, copy, paste, cut, undo, delete, tab, Escape and Enter as characters.
    static const char kControls[] = {0x01, 0x03, 0x16, 0x18, 0x1A, 0x7F, 0x09, 0x1B, 0x0D};
    static const char kSeparators[] = {'-', '-', '/', ' ', '.'};
    const std::uint32_t r = rng.Below(100);
    if (r < 55)
        return static_cast<char>('0' + rng.Below(10));
    if (r < 67)
        return rng.Pick(kSeparators);
    if (r < 77)
        return '\b';
    if (r < 86)
        return rng.Pick(kLetters);
    if (r < 92)
        return rng.Pick(kControls);
    return Drawable(static_cast<char>(0x80 + rng.Below(0x80)));
}

// Mostly dates that a field accepts in one of its forms, some that the
// calendar rule refuses, some of odd lengths.
CString RandomDateText(Prng& rng)
{
    const std::uint32_t y = rng.Below(100);
    const int year = y < 60 ? rng.Between(1950, 2049) : y < 80 ? rng.Between(1000, 2999)
                   : y < 90 ? rng.Between(100, 9999) : rng.Between(0, 99);
    const int month = rng.Percent(90) ? rng.Between(1, 12) : rng.Between(0, 13);
    const int day = rng.Percent(80) ? rng.Between(1, 28) : rng.Between(0, 32);
    static const char kSeparators[] = {'/', ' ', '.', '-'};
    CString text;
    const std::uint32_t form = rng.Below(100);
    if (form < 35)
        text.Format("%04d-%02d-%02d", year, month, day);
    else if (form < 45)
        text.Format("%04d%c%02d%c%02d", year, rng.Pick(kSeparators), month, rng.Pick(kSeparators), day);
    else if (form < 65)
        text.Format("%04d%02d%02d", year, month, day);
    else if (form < 90)
        text.Format("%02d%02d%02d", year % 100, month, day);
    else
        text.Format("%d%02d%02d", year, month, day);
    return text;
}

CString RandomShortText(Prng& rng, int length)
{
    static const char kAlphabet[] = "0123456789--//  ..DGMdgm";
    CString text;
    for (int i = 0; i < length; ++i) {
        if (rng.Percent(8))
            text += RandomByte(rng);
        else
            text += kAlphabet[rng.Below(sizeof kAlphabet - 1)];
    }
    return text;
}

CString RandomKeywordText(Prng& rng)
{
    static const char* const kTexts[] = {"D", "G", "M", "d", "D1", "Dag", "M-1", "GGGGGG", "DDDDDDDD", "G 2007"};
    return rng.Pick(kTexts);
}

// 64 KiB of random bytes; half of them carry a NUL somewhere, which ends the
// text that a window takes from them.
std::string RandomBlock(Prng& rng)
{
    std::string block(65536, '\0');
    for (char& c : block)
        c = RandomByte(rng);
    if (rng.Percent(50))
        block[rng.Below(static_cast<std::uint32_t>(block.size()))] = '\0';
    return block;
}

} // namespace

// --- popups ---

// One of the ways a user or a host ends a popup; sometimes a host first
// sends commands to the fields while the popup runs.
void Storm::ActOnPopup(HWND popup)
{
    HWND calendar = ::GetDlgItem(popup, IDC_CALENDAR);
    auto& seen = *std::find_if(m_popups.begin(), m_popups.end(),
                               [&](const SeenPopup& p) { return p.window == popup; });
    // A day the field's rules refuse may leave the popup open.
    const int field = m_plan != nullptr ? m_plan->popupField : -1;
    auto picking = [&](const CString& picked) {
        m_picks.push_back(picked);
        ++m_report.picks;
        seen.pickMayBeRefused = field < 0 || !Accepts(m_fields[static_cast<std::size_t>(field)], picked);
    };
    auto select = [&](const char* how) {
        const std::uint32_t y = m_rng.Below(100);
        SYSTEMTIME day{};
        day.wYear = static_cast<WORD>(y < 70 ? m_rng.Between(1990, 2030) : y < 90 ? m_rng.Between(1601, 9999)
                                                                                   : m_rng.Between(100, 1600));
        day.wMonth = static_cast<WORD>(m_rng.Between(1, 12));
        day.wDay = static_cast<WORD>(m_rng.Between(1, 28));
        NMSELCHANGE change{};
        change.nmhdr.hwndFrom = calendar;
        change.nmhdr.idFrom = IDC_CALENDAR;
        change.nmhdr.code = static_cast<UINT>(MCN_SELECT);
        change.stSelStart = day;
        change.stSelEnd = day;
        CString picked;
        picked.Format("%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
        picking(picked);
        seen.action = std::string(how) + " " + Show(picked);
        Log("      popup: " + seen.action);
        ::SendMessageA(popup, WM_NOTIFY, IDC_CALENDAR, win32::ToLParam(&change));
    };
    auto escape = [&](const char* how) {
        seen.action = how;
        Log(std::string("      popup: ") + how);
        ::PostMessageA(::GetFocus() != nullptr ? ::GetFocus() : calendar, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };

    const std::uint32_t r = m_rng.Below(100);
    if (r < 28) {
        escape("Escape");
    } else if (r < 35) {
        // Keys that walk the calendar, then Enter (the popup's OK, which picks
        // the highlighted day) or Escape. The walking keys go straight to the
        // calendar, so that the day Enter picks is known before it is pressed.
        struct Key {
            WPARAM key;
            const char* name;
        };
        static const Key kKeys[] = {{VK_LEFT, "Left"}, {VK_RIGHT, "Right"},      {VK_UP, "Up"},     {VK_DOWN, "Down"},
                                    {VK_PRIOR, "PageUp"}, {VK_NEXT, "PageDown"}, {VK_HOME, "Home"}, {VK_END, "End"}};
        const int count = m_rng.Between(1, 4);
        std::string keys;
        for (int i = 0; i < count; ++i) {
            const Key& key = m_rng.Pick(kKeys);
            keys += std::string(" ") + key.name;
            ::SendMessageA(calendar, WM_KEYDOWN, key.key, 1);
            ::SendMessageA(calendar, WM_KEYUP, key.key, static_cast<LPARAM>(0xC0000001u));
        }
        const bool enter = m_rng.Percent(50);
        seen.action = "keys" + keys + ", then Escape";
        if (enter) {
            SYSTEMTIME day{};
            ::SendMessageA(calendar, MCM_GETCURSEL, 0, win32::ToLParam(&day));
            CString picked;
            picked.Format("%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
            picking(picked);
            seen.action = "keys" + keys + ", then Enter on " + Show(picked);
        }
        Log("      popup: " + seen.action);
        ::PostMessageA(calendar, WM_KEYDOWN, enter ? VK_RETURN : VK_ESCAPE, 1);
    } else if (r < 65) {
        select("MCN_SELECT of");
    } else if (r < 75) {
        // A real click on a day of a month that the calendar is made to show.
        SYSTEMTIME month{};
        month.wYear = static_cast<WORD>(m_rng.Between(1995, 2025));
        month.wMonth = static_cast<WORD>(m_rng.Between(1, 12));
        month.wDay = 1;
        ::SendMessageA(calendar, MCM_SETCURSEL, 0, win32::ToLParam(&month));
        const WORD day = static_cast<WORD>(m_rng.Between(1, 28));
        POINT point{};
        if (test::CalendarDayPoint(calendar, month.wYear, month.wMonth, day, &point)) {
            CString picked;
            picked.Format("%04d-%02d-%02d", month.wYear, month.wMonth, day);
            picking(picked);
            seen.action = "click on the day " + Show(picked);
            Log("      popup: " + seen.action);
            test::ClickAt(point);
        } else {
            escape("Escape (the day to click was not shown)");
        }
    } else if (r < 85) {
        RECT at{};
        ::GetWindowRect(popup, &at);
        const std::uint32_t how = m_rng.Below(3);
        seen.action = how == 0 ? "move" : how == 1 ? "resize" : "re-order";
        Log("      popup: " + seen.action);
        if (how == 0)
            ::SetWindowPos(popup, nullptr, at.left + 10, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else if (how == 1)
            ::SetWindowPos(popup, nullptr, 0, 0, 90, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
            ::SetWindowPos(popup, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (r < 95) {
        Meddle();
        if (m_rng.Percent(50))
            escape("Escape after the host commands");
        else
            select("MCN_SELECT after the host commands of");
    } else {
        seen.action = "the Escape key";
        Log("      popup: the Escape key");
        test::PressKey(VK_ESCAPE);
    }
}

// A host that sends its commands while a popup runs: the fields that get
// them may end up with any text; they must survive it.
void Storm::Meddle()
{
    static const UINT kCommands[] = {DCM_CLEAR,  DCM_VALUETOTEXT, DCM_TEXTTOVALUE, DCM_VERIFY,
                                     DCM_CHECKMODIFIED, DCM_EXITCHECK, DCM_YIELDFOCUS, DCM_BUTTONFOCUS};
    const int count = m_rng.Between(1, 3);
    for (int i = 0; i < count; ++i) {
        const std::size_t index = RandomField();
        const UINT command = m_rng.Pick(kCommands);
        Log("      popup: the host sends " + std::string(CommandName(command)) + " to " +
            std::to_string(m_fields[index].id));
        if (m_plan != nullptr) {
            m_meddled[index] = true;
            m_plan->fields[index].text.any = true;
            m_plan->fields[index].bound = BoundRule::Any;
        }
        SendToField(index, command, 0, 0);
    }
}

// A message from the host to a field. A date control asked for its
// focus-loss check may report an exit for it.
void Storm::SendToField(std::size_t index, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DCM_EXITCHECK && m_fields[index].kind == Kind::Ctrl)
        ArmExit(index);
    ::SendMessageA(m_fieldWindows[index], message, wParam, lParam);
}

// --- real input ---

bool Storm::WaitForRetrieved(UINT message, WPARAM wParam)
{
    const DWORD start = ::GetTickCount();
    m_arrived = 0;
    m_waitMessage = message;
    m_waitParam = wParam;
    while (m_arrived == 0 && ::GetTickCount() - start < kRealInputLimitMs) {
        Pump();
        if (m_arrived == 0)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    m_waitMessage = 0;
    Pump();
    if (m_arrived == 0) {
        m_inputLost = true;
        ++m_report.lostInputs;
        Log("      (the real input did not arrive)");
    }
    return m_arrived != 0;
}

void Storm::Click(HWND window, bool twice)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    if (window == m_dialog) {
        // The dialog itself: a corner of its client area where no control lies.
        RECT client{};
        ::GetClientRect(m_dialog, &client);
        POINT corner{client.right - 4, client.bottom - 4};
        ::ClientToScreen(m_dialog, &corner);
        rect = {corner.x, corner.y, corner.x + 1, corner.y + 1};
    }
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    POINT point{rect.left + width / 2, rect.top + height / 2};
    if (width > 6 && height > 6) {
        point.x = rect.left + 3 + static_cast<LONG>(m_rng.Below(static_cast<std::uint32_t>(width - 6)));
        point.y = rect.top + 3 + static_cast<LONG>(m_rng.Below(static_cast<std::uint32_t>(height - 6)));
    }
    test::ClickAt(point);
    if (!twice) {
        WaitForRetrieved(WM_LBUTTONUP, 0);
        return;
    }
    // The second click of a double-click that opened a popup goes to the
    // disabled dialog and is never seen: it gets a short while only.
    test::ClickAt(point);
    if (WaitForRetrieved(WM_LBUTTONUP, 0)) {
        const DWORD start = ::GetTickCount();
        m_waitMessage = WM_LBUTTONUP;
        while (m_arrived < 2 && ::GetTickCount() - start < 100) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            Pump();
        }
        m_waitMessage = 0;
    }
}

void Storm::PressKey(WORD key, bool shift)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD virtualKey, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (shift)
        add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift)
        add(VK_SHIFT, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
    WaitForRetrieved(WM_KEYUP, shift ? VK_SHIFT : key);
}

// The thread's own view of the Shift key, which the dialog manager reads
// to tell Tab from Shift+Tab.
void Storm::SetShift(bool down)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    state[VK_LSHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

void Storm::SetClipboard(const std::string& bytes)
{
    if (!::OpenClipboard(m_dialog))
        return;
    ::EmptyClipboard();
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1)) {
        auto* data = static_cast<char*>(::GlobalLock(memory));
        std::memcpy(data, bytes.data(), bytes.size());
        data[bytes.size()] = '\0';
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(CF_TEXT, memory))
            ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

// --- events ---

void Storm::NextEvent()
{
    struct EventKind {
        int weight;
        void (Storm::*run)();
    };
    static const EventKind kEvents[] = {
        {24, &Storm::EventTypeChars},    {12, &Storm::EventTypeDate}, {12, &Storm::EventTab},
        {4, &Storm::EventNextDlgCtl},    {5, &Storm::EventDown},      {9, &Storm::EventFocus},
        {4, &Storm::EventRealClick},     {3, &Storm::EventButtonClicked}, {16, &Storm::EventHostCommand},
        {9, &Storm::EventPaste},         {4, &Storm::EventEditMessage},   {3, &Storm::EventRealKeys},
        {3, &Storm::EventExchange},      {1, &Storm::EventOutside},   {1, &Storm::EventClose},
    };
    int total = 0;
    for (const EventKind& kind : kEvents)
        total += kind.weight;
    int r = static_cast<int>(m_rng.Below(static_cast<std::uint32_t>(total)));
    for (const EventKind& kind : kEvents) {
        if (r < kind.weight) {
            (this->*kind.run)();
            return;
        }
        r -= kind.weight;
    }
}

// One character through the queue to the window with the focus.
void Storm::TypeChar(char c)
{
    RunStep("type " + Show(c), [&](StepPlan& plan) {
        HWND focus = ::GetFocus();
        if (const int i = FieldIndexOf(focus); i >= 0) {
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            auto& rule = plan.fields[static_cast<std::size_t>(i)].text;
            if (letter)
                rule.strict = true;   // letters never reach the text
            else
                rule.any = true;
            if (!letter)
                plan.typedField = i;
        }
        if (focus != nullptr)
            ::PostMessageA(focus, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    });
}

void Storm::EventTypeChars()
{
    const int count = m_rng.Between(1, 4);
    std::string chars;
    for (int i = 0; i < count; ++i)
        chars += RandomTypedChar(m_rng);
    LogEvent(" type " + Show(CString(chars.c_str(), static_cast<int>(chars.size()))));
    for (char c : chars)
        TypeChar(c);
}

void Storm::EventTypeDate()
{
    const CString text = RandomDateText(m_rng);
    const bool selectAll = m_rng.Percent(60);
    LogEvent(" type the date " + Show(text) + (selectAll ? " over the whole text" : ""));
    if (selectAll)
        RunStep("select all", [&](StepPlan&) { ::SendMessageA(::GetFocus(), EM_SETSEL, 0, -1); });
    for (int i = 0; i < text.GetLength(); ++i)
        TypeChar(text.GetAt(i));
}

// Where Tab must take the focus: on, unless the field being left refuses
// its text and may take the focus back, which it may from every window but
// Cancel.
void Storm::PlanTab(StepPlan& plan, bool backwards)
{
    const HWND focus = ::GetFocus();
    if (!InDialog(focus) || focus == m_dialog)
        return;
    const HWND next = ::GetNextDlgTabItem(m_dialog, focus, backwards ? TRUE : FALSE);
    plan.focusKnown = true;
    plan.expectFocus = next;
    const int i = FieldIndexOf(focus);
    if (i < 0 || next == focus || next == nullptr)
        return;
    const auto index = static_cast<std::size_t>(i);
    if (m_before[index].checks && !AcceptsOnExit(m_fields[index], m_before[index].window) &&
        ::GetDlgCtrlID(next) != IDCANCEL)
        plan.expectFocus = focus;
}

void Storm::EventTab()
{
    const bool backwards = m_rng.Percent(40);
    LogEvent((backwards ? " Shift+Tab" : " Tab"));
    RunStep(backwards ? "Shift+Tab, posted" : "Tab, posted", [&](StepPlan& plan) {
        PlanTab(plan, backwards);
        HWND focus = ::GetFocus();
        if (focus == nullptr)
            return;
        SetShift(backwards);
        ::PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
        ::PostMessageA(focus, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001u));
        Pump();
        SetShift(false);
    });
}

void Storm::EventNextDlgCtl()
{
    const bool backwards = m_rng.Percent(40);
    const bool post = m_rng.Percent(50);
    LogEvent(std::string(" WM_NEXTDLGCTL ") + (backwards ? "back" : "on") + (post ? ", posted" : ", sent"));
    RunStep("WM_NEXTDLGCTL", [&](StepPlan& plan) {
        PlanTab(plan, backwards);
        if (post)
            ::PostMessageA(m_dialog, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
        else
            ::SendMessageA(m_dialog, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
    });
}

// A popup of this field may open: it opens exactly when the field's forms
// take its text (a date outside the range or on a blocked day opens it
// too), and a picked day may become the text.
void Storm::PlanPopup(StepPlan& plan, int index)
{
    const auto i = static_cast<std::size_t>(index);
    plan.fields[i].text.picks = true;
    plan.expectPopups = m_fields[i].kind == Kind::Ctrl && Accepts(Kind::Ctrl, m_before[i].window) ? 1 : 0;
    plan.popupField = index;
    plan.popupHolder = ::GetFocus();
}

void Storm::EventDown()
{
    LogEvent(" Down");
    RunStep("Down, posted", [&](StepPlan& plan) {
        HWND focus = ::GetFocus();
        if (focus == nullptr)
            return;
        if (const int i = FieldIndexOf(focus); i >= 0) {
            PlanPopup(plan, i);
        } else if (InDialog(focus)) {
            plan.expectPopups = 0;
        }
        ::PostMessageA(focus, WM_KEYDOWN, VK_DOWN, 0x01500001);
        ::PostMessageA(focus, WM_KEYUP, VK_DOWN, static_cast<LPARAM>(0xC1500001u));
    });
}

// Where the focus must go when it is given to target: there, unless the
// field being left refuses its text and may take the focus back. A move to
// the field's own popup button is no leaving.
void Storm::PlanFocusMove(StepPlan& plan, HWND target)
{
    const HWND focus = ::GetFocus();
    if (!InDialog(focus) || focus == m_dialog || target == m_dialog)
        return;
    plan.focusKnown = true;
    plan.expectFocus = target;
    const int i = FieldIndexOf(focus);
    if (i < 0 || target == focus)
        return;
    const auto index = static_cast<std::size_t>(i);
    if (m_buttonWindows[index] == target)
        return;
    if (m_before[index].checks && !AcceptsOnExit(m_fields[index], m_before[index].window) &&
        ::GetDlgCtrlID(target) != IDCANCEL)
        plan.expectFocus = focus;
}

void Storm::EventFocus()
{
    std::vector<HWND> targets(m_fieldWindows.begin(), m_fieldWindows.end());
    for (HWND button : m_buttonWindows)
        if (button != nullptr)
            targets.push_back(button);
    for (int id : {IDOK, IDCANCEL})
        if (HWND button = ::GetDlgItem(m_dialog, id))
            targets.push_back(button);
    targets.push_back(m_dialog);
    const HWND target = targets[m_rng.Below(static_cast<std::uint32_t>(targets.size()))];
    const bool setFocus = target == m_dialog || m_rng.Percent(50);
    LogEvent(" focus to " + NameOf(target) + (setFocus ? " by SetFocus" : " by WM_NEXTDLGCTL"));
    RunStep("focus", [&](StepPlan& plan) {
        PlanFocusMove(plan, target);
        if (setFocus)
            ::SetFocus(target);
        else
            ::SendMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    });
}

void Storm::EventRealClick()
{
    std::vector<HWND> targets(m_fieldWindows.begin(), m_fieldWindows.end());
    for (HWND button : m_buttonWindows)
        if (button != nullptr) {
            targets.push_back(button);
            targets.push_back(button);
        }
    targets.push_back(m_dialog);
    // OK and Cancel close the dialog: less often.
    if (m_rng.Percent(10)) {
        HWND button = ::GetDlgItem(m_dialog, m_rng.Percent(50) ? IDOK : IDCANCEL);
        if (button != nullptr)
            targets = {button};
    }
    const HWND target = targets[m_rng.Below(static_cast<std::uint32_t>(targets.size()))];
    const bool twice = m_rng.Percent(15);
    LogEvent((twice ? " double-click on " : " click on ") + NameOf(target));
    RunStep("real click", [&](StepPlan& plan) {
        if (const int i = FieldIndexOfButton(target); i >= 0) {
            PlanPopup(plan, i);
            plan.expectPopups = -1;   // the click may not end as a click: the field left may take the focus back
            plan.popupByClick = true;
        }
        if (::GetDlgCtrlID(target) == IDOK && target != m_dialog) {
            plan.exchangeMayShowBox = true;
            for (FieldPlan& field : plan.fields)
                field.bound = BoundRule::Exchanged;
        }
        Click(target, twice);
    });
}

void Storm::EventButtonClicked()
{
    std::vector<int> withButtons;
    for (std::size_t i = 0; i < m_buttonWindows.size(); ++i)
        if (m_buttonWindows[i] != nullptr)
            withButtons.push_back(static_cast<int>(i));
    if (withButtons.empty())
        return;
    const int index = withButtons[m_rng.Below(static_cast<std::uint32_t>(withButtons.size()))];
    HWND button = m_buttonWindows[static_cast<std::size_t>(index)];
    LogEvent(" BN_CLICKED from the button of " +
        std::to_string(m_fields[static_cast<std::size_t>(index)].id));
    RunStep("BN_CLICKED", [&](StepPlan& plan) {
        PlanPopup(plan, index);
        ::SendMessageA(m_dialog, WM_COMMAND, win32::MakeWParam(IDC_POPUPBUTTON, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
    });
}

void Storm::PlanHostCommand(StepPlan& plan, int index, UINT command, HWND focusBefore)
{
    const auto i = static_cast<std::size_t>(index);
    const Field& field = m_fields[i];
    const CString& text = m_before[i].window;
    FieldPlan& target = plan.fields[i];
    const bool ctrl = field.kind == Kind::Ctrl;
    // A refused text takes the focus back from every window of the dialog but Cancel.
    const bool mayReclaim = InDialog(focusBefore) && focusBefore != m_dialog && ::GetDlgCtrlID(focusBefore) != IDCANCEL;
    const bool accepted = Accepts(field, text);
    switch (command) {
    case DCM_CLEAR:
        target.text = {.strict = true, .bases = {CString()}};
        target.bound = BoundRule::Exactly;
        break;
    case DCM_VALUETOTEXT: {
        target.text.strict = true;
        CString formatted;
        if (FormatBound(field, &formatted)) {
            target.bound = BoundRule::Exactly;
            target.boundText = formatted;
        }
        break;
    }
    case DCM_TEXTTOVALUE:
        target.text.strict = true;
        if (field.value == nullptr)
            break;
        plan.focusKnown = InDialog(focusBefore) || Outside(focusBefore);
        plan.expectFocus = focusBefore;
        if (accepted) {
            target.text.bases = {Normalized(field.kind, text)};
            target.bound = BoundRule::TextToValue;
        } else if (mayReclaim) {
            plan.expectFocus = m_fieldWindows[i];
        }
        break;
    case DCM_VERIFY:
        target.text.strict = true;
        plan.verifyField = index;
        plan.expectInvalid = !accepted;
        plan.focusKnown = InDialog(focusBefore) || Outside(focusBefore);
        plan.expectFocus = focusBefore;
        if ((!accepted || (text.IsEmpty() && (field.flags & DCF_REQUIRED) != 0)) && mayReclaim)
            plan.expectFocus = m_fieldWindows[i];
        break;
    case DCM_CHECKMODIFIED:
        target.text.strict = true;
        plan.modifiedField = index;
        plan.expectModified = text != m_before[i].bound;
        break;
    case DCM_OPENPOPUP:
        if (ctrl)
            PlanPopup(plan, index);
        else
            plan.expectPopups = 0;
        break;
    case DCM_EXITCHECK:
        if (!ctrl)
            target.text.strict = true;
        break;
    case DCM_BUTTONFOCUS:
    case DCM_YIELDFOCUS:
    case DCM_SETRANGE:
    case DCM_SETDAYRULE:
        target.text.strict = true;
        plan.focusKnown = InDialog(focusBefore) || Outside(focusBefore);
        plan.expectFocus = focusBefore;
        break;
    default:
        break;
    }
}

void Storm::EventHostCommand()
{
    struct Weighted {
        int weight;
        UINT command;
    };
    static const Weighted kCommands[] = {
        {10, DCM_CLEAR},   {12, DCM_VALUETOTEXT}, {20, DCM_TEXTTOVALUE}, {15, DCM_VERIFY},
        {10, DCM_CHECKMODIFIED}, {8, DCM_EXITCHECK}, {4, DCM_BUTTONFOCUS}, {4, DCM_YIELDFOCUS},
        {8, DCM_OPENPOPUP}, {8, DCM_SETRANGE}, {8, DCM_SETDAYRULE}, {5, 0},
    };
    int total = 0;
    for (const Weighted& w : kCommands)
        total += w.weight;
    int r = static_cast<int>(m_rng.Below(static_cast<std::uint32_t>(total)));
    UINT command = 0;
    for (const Weighted& w : kCommands) {
        if (r < w.weight) {
            command = w.command;
            break;
        }
        r -= w.weight;
    }
    // Any other message of the protocol's range, notifications included.
    if (command == 0)
        command = DCN_EXITCHANGEDALT + m_rng.Below(DCM_YIELDFOCUS - DCN_EXITCHANGEDALT + 1);
    // Often the field being typed into, whose text is most likely typed and
    // not yet rewritten.
    std::size_t index = RandomField();
    if (const int focused = FieldIndexOf(::GetFocus()); focused >= 0 && m_rng.Percent(40))
        index = static_cast<std::size_t>(focused);
    const auto wParam = static_cast<WPARAM>(m_rng.Percent(70) ? 0 : m_rng.Next());
    // The requests that read a pointer from lParam get the host's own data
    // or a null one, never a random number.
    if (command == DCM_SETRANGE || command == DCM_SETDAYRULE) {
        EventRules(index, command, wParam);
        return;
    }
    const auto lParam = static_cast<LPARAM>(command == DCM_SETLOCALE || m_rng.Percent(70) ? 0 : m_rng.Next());
    const char* name = CommandName(command);
    char text[96];
    std::snprintf(text, sizeof text, " %s (0x%X) to %d", name != nullptr ? name : "message", command,
                  m_fields[index].id);
    LogEvent(text);
    RunStep("send", [&](StepPlan& plan) {
        PlanHostCommand(plan, static_cast<int>(index), command, ::GetFocus());
        SendToField(index, command, wParam, lParam);
    });
}

namespace {

// A side of a range around the storm's today, 2007-01-15: empty, a date, or
// now and then one that no range may have.
CDateValue RandomSide(Prng& rng)
{
    CDateValue side;
    const std::uint32_t kind = rng.Below(100);
    if (kind < 25)
        return side;
    side.year = static_cast<std::uint16_t>(kind < 30 ? rng.Between(0, 99) : rng.Between(2005, 2009));
    side.month = static_cast<std::uint8_t>(rng.Between(1, 12));
    side.day = static_cast<std::uint8_t>(kind < 35 ? 31 : rng.Between(1, 28));
    return side;
}

DayPattern RandomDays(Prng& rng)
{
    DayPattern pattern;
    for (int day = 0; day < 31; ++day) {
        pattern.blocked |= rng.Percent(15) ? 1u << day : 0u;
        pattern.marked |= rng.Percent(20) ? 1u << day : 0u;
    }
    return pattern;
}

} // namespace

// A host sets a field's range or day rule: its own data, drawn at random,
// sometimes a range the field refuses, or a null lParam, which it refuses
// too. What the field takes, the storm's rules of the field take too.
void Storm::EventRules(std::size_t index, UINT command, WPARAM wParam)
{
    const bool range = command == DCM_SETRANGE;
    const bool null = m_rng.Percent(15);
    CDateValue sides[2];
    DatumDayRuleSpec rule{};
    std::string data = "a null lParam";
    if (!null && range) {
        sides[0] = RandomSide(m_rng);
        sides[1] = RandomSide(m_rng);
        data = Show(sides[0].FormatDashed()) + ".." + Show(sides[1].FormatDashed());
    } else if (!null && m_rng.Percent(80)) {
        m_dayPatterns.push_back(std::make_unique<DayPattern>(RandomDays(m_rng)));
        rule = {&DayPattern::Rule, m_dayPatterns.back().get()};
        data = m_dayPatterns.back()->Describe();
    } else if (!null) {
        data = "no rule";
    }
    LogEvent(std::string(" ") + CommandName(command) + " " + data + " to " + std::to_string(m_fields[index].id));
    RunStep("send", [&](StepPlan& plan) {
        PlanHostCommand(plan, static_cast<int>(index), command, ::GetFocus());
        const LPARAM lParam = null ? 0 : range ? win32::ToLParam(sides) : win32::ToLParam(&rule);
        const bool takes = !null && (!range || RangeAllowed(sides[0], sides[1]));
        if (::SendMessageA(m_fieldWindows[index], command, wParam, lParam) != (takes ? 1 : 0))
            Fail(std::string(CommandName(command)) + " with " + data + " was " + (takes ? "refused" : "taken"));
        Field& field = m_fields[index];
        if (takes && range) {
            field.earliest = sides[0];
            field.latest = sides[1];
        } else if (takes) {
            field.days = static_cast<const DayPattern*>(rule.context);
        }
    });
}

void Storm::EventPaste()
{
    std::string bytes;
    const std::uint32_t kind = m_rng.Below(100);
    if (kind < 3)
        bytes = RandomBlock(m_rng);
    else if (kind < 10)
        bytes.clear();
    else if (kind < 45)
        bytes = RandomShortText(m_rng, m_rng.Between(0, 12)).GetString();
    else if (kind < 85)
        bytes = RandomDateText(m_rng).GetString();
    else
        bytes = RandomKeywordText(m_rng).GetString();
    const CString text(bytes.c_str());   // what a window takes: up to the first NUL
    const std::uint32_t how = m_rng.Below(4);
    const bool toFocus = how == 3 || m_rng.Percent(30);
    const std::size_t index = RandomField();
    static const char* const kHow[] = {"WM_SETTEXT", "EM_REPLACESEL", "the clipboard and WM_PASTE",
                                       "the clipboard and Ctrl+V"};
    LogEvent(" paste " + Show(CString(bytes.c_str(), static_cast<int>(bytes.size()))) +
        " by " + kHow[how] + " into " + (toFocus ? std::string("the focus") : std::to_string(m_fields[index].id)));
    const DWORD start = static_cast<DWORD>(m_rng.Below(14));
    const LONG end = m_rng.Percent(30) ? -1 : static_cast<LONG>(m_rng.Below(14));
    RunStep("paste", [&](StepPlan& plan) {
        const HWND target = toFocus ? ::GetFocus() : m_fieldWindows[index];
        if (target == nullptr)
            return;
        const int i = FieldIndexOf(target);
        if (i >= 0) {
            auto& rule = plan.fields[static_cast<std::size_t>(i)].text;
            bool plain = how == 0 && text.GetLength() <= 12;
            for (int k = 0; k < text.GetLength(); ++k)
                if (text.GetAt(k) == '\r' || text.GetAt(k) == '\n')
                    plain = false;
            if (plain)
                rule.bases = {text};
            else
                rule.any = true;
            if (target == ::GetFocus())
                plan.typedField = i;
        }
        switch (how) {
        case 0:
            ::SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
            break;
        case 1:
            ::SendMessageA(target, EM_SETSEL, start, end);
            ::SendMessageA(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
            break;
        case 2:
            SetClipboard(bytes);
            ::SendMessageA(target, WM_PASTE, 0, 0);
            break;
        default:
            SetClipboard(bytes);
            ::PostMessageA(target, WM_CHAR, 0x16, 1);
            break;
        }
    });
}

void Storm::EventEditMessage()
{
    struct Message {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool posted;
        bool changesText;
    };
    static const Message kMessages[] = {
        {"EM_SETSEL", EM_SETSEL, 0, false, false},     {"Left", WM_KEYDOWN, VK_LEFT, true, false},
        {"Right", WM_KEYDOWN, VK_RIGHT, true, false},  {"Home", WM_KEYDOWN, VK_HOME, true, false},
        {"End", WM_KEYDOWN, VK_END, true, false},      {"Delete", WM_KEYDOWN, VK_DELETE, true, true},
        {"Up", WM_KEYDOWN, VK_UP, true, false},        {"EM_UNDO", EM_UNDO, 0, false, true},
        {"WM_CUT", WM_CUT, 0, false, true},            {"WM_CLEAR", WM_CLEAR, 0, false, true},
        {"WM_COPY", WM_COPY, 0, false, false},
    };
    const Message& m = m_rng.Pick(kMessages);
    const auto start = static_cast<WPARAM>(m_rng.Below(12));
    const auto end = static_cast<LPARAM>(m_rng.Percent(30) ? -1 : static_cast<LONG>(m_rng.Below(12)));
    LogEvent(std::string(" ") + m.name + " to the focus");
    RunStep(m.name, [&](StepPlan& plan) {
        const HWND focus = ::GetFocus();
        if (focus == nullptr)
            return;
        if (const int i = FieldIndexOf(focus); i >= 0 && m.changesText) {
            plan.fields[static_cast<std::size_t>(i)].text.any = true;
            plan.typedField = i;
        }
        if (m.message == EM_SETSEL)
            ::SendMessageA(focus, EM_SETSEL, start, end);
        else if (m.posted)
            ::PostMessageA(focus, m.message, m.wParam, 1);
        else
            ::SendMessageA(focus, m.message, m.wParam, 0);
    });
}

void Storm::EventRealKeys()
{
    if (::GetForegroundWindow() != m_dialog) {
        LogEvent(" (real keys skipped: the dialog is not in the foreground)");
        return;
    }
    struct Keys {
        const char* name;
        WORD key;
        bool shift;
    };
    static const Keys kKeys[] = {
        {"1", '1', false},          {"2", '2', false},           {"0", '0', false},
        {"7", '7', false},          {"Backspace", VK_BACK, false}, {"Delete", VK_DELETE, false},
        {"Left", VK_LEFT, false},   {"End", VK_END, false},      {"A", 'A', false},
        {"minus", VK_OEM_MINUS, false}, {"Tab", VK_TAB, false},  {"Shift+Tab", VK_TAB, true},
        {"Down", VK_DOWN, false},
    };
    const Keys& keys = m_rng.Pick(kKeys);
    LogEvent(std::string(" the key ") + keys.name);
    RunStep(std::string("real key ") + keys.name, [&](StepPlan& plan) {
        const HWND focus = ::GetFocus();
        if (keys.key == VK_TAB) {
            PlanTab(plan, keys.shift);
        } else if (const int i = FieldIndexOf(focus); i >= 0) {
            auto& rule = plan.fields[static_cast<std::size_t>(i)].text;
            rule.any = true;
            if (keys.key == VK_DOWN)
                PlanPopup(plan, i);
        }
        PressKey(keys.key, keys.shift);
    });
}

void Storm::EventExchange()
{
    const bool save = m_rng.Percent(50);
    LogEvent((save ? " the host saves (UpdateData TRUE)" : " the host loads (UpdateData FALSE)"));
    RunStep("exchange", [&](StepPlan& plan) {
        if (save) {
            // The exchange stops at the first text longer than its limit,
            // with one message box; texts do not change.
            int boxes = 0;
            for (std::size_t i = 0; i < m_fields.size(); ++i) {
                plan.fields[i].bound = BoundRule::Exchanged;
                if (m_fields[i].maxLen != 0 && m_before[i].window.GetLength() > m_fields[i].maxLen)
                    boxes = 1;
            }
            plan.expectBoxes = boxes;
        } else {
            for (std::size_t i = 0; i < m_fields.size(); ++i)
                plan.fields[i].text.bases = {m_before[i].bound};
        }
        m_host->Dialog().UpdateData(save ? TRUE : FALSE);
    });
}

void Storm::EventOutside()
{
    LogEvent(" focus to a window outside the dialog");
    RunStep("focus outside", [&](StepPlan& plan) {
        plan.focusMayLeave = true;
        plan.focusKnown = true;
        plan.expectFocus = m_outsideEdit;
        ::SetFocus(m_outsideEdit);
    });
}

void Storm::EventClose()
{
    const std::uint32_t how = m_rng.Below(5);
    static const char* const kHow[] = {"Enter", "Escape", "IDOK", "IDCANCEL", "WM_CLOSE"};
    LogEvent(std::string(" close by ") + kHow[how]);
    RunStep(kHow[how], [&](StepPlan& plan) {
        HWND focus = ::GetFocus();
        // Enter clicks the button with the focus when that is the default
        // push button, and the dialog's default button (OK) otherwise. OK
        // saves every text, stopping with one message box at the first that
        // is longer than its limit; the others save nothing.
        int enterId = IDOK;
        const auto defaultId = static_cast<ULONG_PTR>(::SendMessageA(m_dialog, DM_GETDEFID, 0, 0));
        if ((::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0)
            enterId = ::GetDlgCtrlID(focus);
        else if (win32::HighWord(defaultId) == DC_HASDEFID)
            enterId = win32::LowWord(defaultId);
        const bool saves = how == 2 || (how == 0 && InDialog(focus) && enterId == IDOK);
        if (saves) {
            int boxes = 0;
            for (std::size_t i = 0; i < m_fields.size(); ++i) {
                plan.fields[i].bound = BoundRule::Exchanged;
                if (m_fields[i].maxLen != 0 && m_before[i].window.GetLength() > m_fields[i].maxLen)
                    boxes = 1;
            }
            plan.expectBoxes = boxes;
        }
        switch (how) {
        case 0:
            if (focus != nullptr)
                ::PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            break;
        case 1:
            if (focus != nullptr)
                ::PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        case 2:
            ::SendMessageA(m_dialog, WM_COMMAND, IDOK, 0);
            break;
        case 3:
            ::SendMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        default:
            ::SendMessageA(m_dialog, WM_CLOSE, 0, 0);
            break;
        }
    });
}

} // namespace storm
