// TypingAids.cpp: the date field's locale, step keys, hint and preview
// (DCF_LOCALFORMS, DCF_STEPKEYS, DCF_HINT). The rules are the text rules'
// (LocalForms.h, StepKeys.h); here are the keys, the painting and the tips.
#include "controls/DatumEntry.h"

bool CDatumEntry::SetLocale(const wchar_t* name, DatumPartial partial)
{
    if (static_cast<unsigned>(partial) > static_cast<unsigned>(DatumPartial::Future) || !m_locale.Load(name))
        return false;
    m_partial = partial;
    ApplyHint();
    return true;
}

// DCM_SETLOCALE: wParam is how a date typed in part is completed, lParam
// points at the locale's wide name (null: the user's default). Answers 1
// when both are stored; 0 for an unknown name or way, storing nothing.
LRESULT CDatumEntry::OnSetLocale(WPARAM partial, LPARAM name)
{
    if (partial > static_cast<WPARAM>(DatumPartial::Future))
        return 0;
    return SetLocale(win32::FromLParam<const wchar_t>(name), static_cast<DatumPartial>(partial)) ? 1 : 0;
}

void CDatumEntry::ApplyHint()
{
    if ((m_wFlags & DCF_HINT) == 0)
        return;
    const CString hint = FormHint(OwnRules());
    m_hint.assign(hint.GetString(), hint.GetString() + hint.GetLength());   // the forms are plain ASCII
    // The edit of common controls 6 draws a cue banner, with wParam TRUE
    // also while it has the focus; an older edit does not know the message
    // and answers 0.
    m_drawsHint = SendMessage(EM_SETCUEBANNER, TRUE, win32::ToLParam(m_hint.c_str())) == FALSE;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// WM_PAINT: the edit paints, then an empty field that draws its own hint
// draws it where the edit's text would begin, in the edit's font and the
// system's grey text colour. The caret is hidden meanwhile, so that drawing
// under it leaves no trace.
LRESULT CDatumEntry::OnPaint(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (!m_drawsHint || GetWindowTextLength() != 0)
        return result;
    RECT text{};
    SendMessage(EM_GETRECT, 0, win32::ToLParam(&text));
    const HDC dc = ::GetDC(m_hWnd);
    const auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    const HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    ::HideCaret(m_hWnd);
    ::DrawTextW(dc, m_hint.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
    ::ShowCaret(m_hWnd);
    if (previous != nullptr)
        ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    return result;
}

// The edit repaints only what a key changed: the hint drawn by OnPaint
// needs the whole field. The preview follows the text while the field has
// the focus and no refusal is explained.
void CDatumEntry::AfterTextChange(const CString& text)
{
    if ((m_wFlags & DCF_HINT) == 0)
        return;
    if (m_drawsHint)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    const bool previews = CWnd::GetFocus() == this && m_tip.Sentence().IsEmpty();
    const std::optional<CDateValue> date = previews ? PreviewDate(OwnRules(), text) : std::nullopt;
    if (date)
        m_preview.Show(m_hWnd, m_locale.LongDate(*date));
    else
        m_preview.Hide();
}

bool CDatumEntry::StepsOnSign(WPARAM character)
{
    if ((m_wFlags & DCF_STEPKEYS) == 0 || (character != '+' && character != '-'))
        return false;
    const CString text = WindowText();
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), win32::ToLParam(&end));
    if (start != end || end != static_cast<DWORD>(text.GetLength()) ||
        !SignSteps(OwnRules(), text, static_cast<char>(character)))
        return false;
    return StepDate(character == '+' ? DateStep::DayLater : DateStep::DayEarlier);
}

bool CDatumEntry::StepDate(DateStep step)
{
    const EntryRules rules = OwnRules();
    const std::optional<CDateValue> from = StepStart(rules, WindowText());
    if (!from)
        return false;
    const std::optional<CDateValue> to = SteppedDate(rules, *from, step);
    if (!to) {
        ::MessageBeep(MB_OK);
        return true;
    }
    const CString display = DisplayText(rules, *to);
    m_bSettingText = TRUE;
    SetWindowText(display);
    SetSel(display.GetLength(), display.GetLength());
    // Screen readers read the new date as the field's value.
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    return true;
}

// WM_KEYDOWN under DCF_STEPKEYS: PageUp and PageDown step a month later and
// earlier, with Ctrl a year. Any other key, and these on a text that is no
// date, are the edit's.
LRESULT CDatumEntry::OnKeyDown(WPARAM virtualKey, LPARAM)
{
    if ((m_wFlags & DCF_STEPKEYS) != 0 && (virtualKey == VK_PRIOR || virtualKey == VK_NEXT)) {
        const bool year = ::GetKeyState(VK_CONTROL) < 0;
        const DateStep step = virtualKey == VK_PRIOR ? (year ? DateStep::YearLater : DateStep::MonthLater)
                                                     : (year ? DateStep::YearEarlier : DateStep::MonthEarlier);
        if (StepDate(step))
            return 0;
    }
    return Default();
}

// WM_MOUSEWHEEL under DCF_STEPKEYS: over the field that has the focus, a
// day per notch, up being later; a high-resolution wheel's turns add up to
// notches, and a turn the other way starts afresh. Over a field without the
// focus, or with the pointer elsewhere, the wheel is the edit's (which
// hands it to the parent) and leaves the date alone.
LRESULT CDatumEntry::OnMouseWheel(WPARAM keysAndDelta, LPARAM point)
{
    const POINT pointer{static_cast<short>(win32::LowWord(static_cast<ULONG_PTR>(point))),
                        static_cast<short>(win32::HighWord(static_cast<ULONG_PTR>(point)))};
    RECT field{};
    GetWindowRect(&field);
    if ((m_wFlags & DCF_STEPKEYS) == 0 || CWnd::GetFocus() != this || ::PtInRect(&field, pointer) == FALSE ||
        !StepStart(OwnRules(), WindowText()))
        return Default();
    const short turn = static_cast<short>(win32::HighWord(keysAndDelta));
    if ((turn > 0) != (m_wheelDelta > 0))
        m_wheelDelta = 0;
    m_wheelDelta += turn;
    for (; m_wheelDelta >= WHEEL_DELTA; m_wheelDelta -= WHEEL_DELTA)
        StepDate(DateStep::DayLater);
    for (; m_wheelDelta <= -WHEEL_DELTA; m_wheelDelta += WHEEL_DELTA)
        StepDate(DateStep::DayEarlier);
    return 0;
}
