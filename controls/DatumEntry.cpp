// DatumEntry.cpp: the handlers and operations that both date controls share.
#include "controls/DatumEntry.h"

#include "platform/window/Accessible.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ParentReflection.h"

#include <cstring>

// The text and value that a control bound without the framework keeps in
// place of a dialog's members, and the reflection by its parent.
struct CDatumEntry::OwnedBinding {
    CString text;
    CDateValue date;
    CDateTimeValue dateTime;
    CParentReflection reflection;
};

CDatumEntry::CDatumEntry() = default;

CDatumEntry::~CDatumEntry() = default;

void CDatumEntry::ExchangeData(CDataExchange* pDX, int nID, std::uint16_t nMaxLen, CString& text, void* pValue,
                               int nFlags, const char* pszInitial)
{
    if (m_pText == nullptr)
        Bind(this, pDX->m_pDlgWnd, nID, nMaxLen, &text, pValue, nFlags, pszInitial);
    DDX_Text(pDX, m_nID, *m_pText);
    if (m_nMaxLen != 0)
        DDV_MaxChars(pDX, *m_pText, m_nMaxLen);
}

CString CDatumEntry::WindowText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

namespace {

// Parses the control's window text into either kind of date value.
template <class Value>
int ParseTextInto(const CString& text, Value* pValue)
{
    if (pValue == nullptr)
        return 0;
    pValue->Parse(text.GetString());
    return text.GetLength();
}

} // namespace

int CDatumEntry::GetDateTimeValue(CDateTimeValue* pValue) { return ParseTextInto(WindowText(), pValue); }

int CDatumEntry::GetDateValue(CDateValue* pValue) { return ParseTextInto(WindowText(), pValue); }

int CDatumEntry::GetText(char* buffer, int capacity)
{
    if (buffer == nullptr || capacity < 1)
        return 0;
    const CString text = WindowText();
    const int count = text.GetLength() < capacity - 1 ? text.GetLength() : capacity - 1;
    std::memcpy(buffer, text.GetString(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

void CDatumEntry::SetCtrlFocus() { SetFocus(); }

void CDatumEntry::FocusOut()
{
    if (!IsBound() || FocusWentToCompanion())
        return;
    if (!m_bCheckOnKillFocus) {
        m_bCheckOnKillFocus = TRUE;
        return;
    }
    CheckOnExit(WindowText());
}

CDateValue CDatumEntry::ParseText(const CString& text, bool* textWithoutDate)
{
    CDateValue date;
    date.Parse(text.GetString());
    *textWithoutDate = !text.IsEmpty() && date.day == 0 && date.month == 0 && date.year == 0;
    return date;
}

// A minus sign in the year piece gives a five-digit year (the piece is
// stored in 16 bits: -123 becomes 65413). The calendar rule has no year
// limit, but the rewrite of such a date (65413-01-01) is a text the control
// itself refuses, which would trap the focus in a field the control wrote.
// So the controls refuse it as typed.
DatumRefusal CDatumEntry::DateTextRefusal(const CString& text)
{
    constexpr unsigned kLastDisplayableYear = 9999;
    bool textWithoutDate = false;
    const CDateValue date = ParseText(text, &textWithoutDate);
    if (textWithoutDate || date.year > kLastDisplayableYear)
        return DatumRefusal::NoForm;
    return date.IsValid() ? DatumRefusal::None : DatumRefusal::NoDate;
}

DatumRefusal CDatumEntry::FormRefusal(const CString& text) const { return DateTextRefusal(text); }

// The range judges the date as the display form will show it: a two-digit
// year windowed, a keyword letter as the day it stands for.
DatumRefusal CDatumEntry::RefusalOf(const CString& text) const
{
    if (text.IsEmpty())
        return DatumRefusal::None;
    const DatumRefusal form = FormRefusal(text);
    if (form != DatumRefusal::None)
        return form;
    return m_range.Holds(WindowedDate(text)) ? DatumRefusal::None : DatumRefusal::OutOfRange;
}

bool CDatumEntry::SetRange(const CDateValue& min, const CDateValue& max)
{
    const DateRange range{min, max};
    if (!range.IsAllowed())
        return false;
    m_range = range;
    return true;
}

// Called after every refusal. The tip shows only at a field that has the
// focus: not when the user went to Cancel or out of the dialog.
void CDatumEntry::ExplainRefusal()
{
    if ((m_wFlags & DCF_EXPLAIN) == 0 || CWnd::GetFocus() != this)
        return;
    const CString text = WindowText();
    const bool missing = text.IsEmpty() && (m_wFlags & DCF_REQUIRED) != 0;
    const CString sentence =
        RefusalSentence(missing ? DatumRefusal::Missing : RefusalOf(text), WindowedDate(text), m_range);
    if (!sentence.IsEmpty())
        m_tip.Show(*this, sentence);
}

CDateValue CDatumEntry::WindowedDate(const CString& text)
{
    bool unused = false;
    CDateValue date = ParseText(text, &unused);
    return date.ApplyYearWindow();
}

CString CDatumEntry::Rewritten(const CString& text, TextForm form)
{
    const CDateValue date = WindowedDate(text);
    return form == TextForm::Dashed ? date.FormatDashed() : date.FormatCompact();
}

void CDatumEntry::NormalizeTo(TextForm form)
{
    const CString text = Rewritten(WindowText(), form);
    m_bSettingText = TRUE;
    SetWindowText(text);
}

void CDatumEntry::ParseBoundValue()
{
    if (m_bDateTimeValue)
        static_cast<CDateTimeValue*>(m_pValue)->Parse(m_pText->GetString());
    else
        static_cast<CDateValue*>(m_pValue)->Parse(m_pText->GetString());
}

// --- binding without the framework ---

// The same steps as the first data exchange of a framework dialog: bind,
// the bound text into the window (its change runs the change rules), then
// the limit. The notifications need the parent's reflection from the start.
bool CDatumEntry::BindOwned(std::uint16_t nMaxLen, int nFlags, const char* pszInitial, bool dateTime)
{
    if (IsBound())
        return false;
    auto owned = std::make_unique<OwnedBinding>();
    CWnd* parent = owned->reflection.Start(*this);
    if (parent == nullptr)
        return false;
    ReflectCompanions(owned->reflection);
    m_pOwned = std::move(owned);
    m_bDateTimeValue = dateTime;
    void* value = dateTime ? static_cast<void*>(&m_pOwned->dateTime) : static_cast<void*>(&m_pOwned->date);
    Bind(this, parent, GetDlgCtrlID(), nMaxLen, &m_pOwned->text, value, nFlags, pszInitial);
    ParseBoundValue();
    SetWindowText(*m_pText);
    if (m_nMaxLen != 0)
        LimitText(m_nMaxLen);
    return true;
}

bool CDatumEntry::ReadAccepted(CString* display) const
{
    const CString text = WindowText();
    if (text.IsEmpty()) {
        if ((m_wFlags & DCF_REQUIRED) != 0)
            return false;
        display->Empty();
        return true;
    }
    if (!AcceptsText(text))
        return false;
    *display = Rewritten(text, DisplayForm());
    return true;
}

bool CDatumEntry::SetAccepted(const CString& text)
{
    if (!IsBound() || (!text.IsEmpty() && !AcceptsText(text)))
        return false;
    const CString display = Rewritten(text, DisplayForm());
    m_bSettingText = TRUE;
    SetWindowText(display);
    *m_pText = display;
    if (m_pValue != nullptr)
        ParseBoundValue();
    return true;
}

LRESULT CDatumEntry::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KILLFOCUS:
        m_tip.Hide();
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

// Letters never reach the edit; digits, separators and control keys do.
// Only typed characters pass here: pasted and set text is not filtered.
LRESULT CDatumEntry::OnChar(WPARAM character, LPARAM)
{
    if (IsCharAlphaA(static_cast<CHAR>(character)))
        return 0;
    return Default();
}

LRESULT CDatumEntry::OnEnChange()
{
    if (IsBound())
        OnTextChange(WindowText());
    return 0;
}

// DCM_CLEAR: empties the bound text and the window; the change rules run on
// the empty text like on any other change.
LRESULT CDatumEntry::OnClear(WPARAM, LPARAM)
{
    if (IsBound())
        SetWindowText(*ClearBoundText());
    return 0;
}

// DCM_VALUETOTEXT: the bound value, in the control's form, into the bound
// text. The window follows at the host's next exchange towards the controls.
LRESULT CDatumEntry::OnValueToText(WPARAM, LPARAM)
{
    const TextForm form = BoundValueForm();
    if (!IsBound() || m_pValue == nullptr || form == TextForm::None)
        return 0;

    if (m_bDateTimeValue) {
        const auto& value = *static_cast<const CDateTimeValue*>(m_pValue);
        *m_pText = form == TextForm::Dashed    ? value.FormatDashed()
                   : form == TextForm::Compact ? value.FormatCompact()
                                               : value.FormatShort();
    } else {
        const auto& value = *static_cast<const CDateValue*>(m_pValue);
        *m_pText = form == TextForm::Dashed    ? value.FormatDashed()
                   : form == TextForm::Compact ? value.FormatCompact()
                                               : value.FormatShort();
    }
    return 0;
}

// DCM_TEXTTOVALUE: a refused text takes the focus back and changes nothing;
// an accepted one is normalised, stored as the bound text and parsed into
// the bound value.
LRESULT CDatumEntry::OnTextToValue(WPARAM, LPARAM)
{
    if (!IsBound() || m_pValue == nullptr)
        return 0;
    if (!m_pCtrl->IsValid()) {
        Refuse();
        return 0;
    }
    m_pCtrl->Normalize();
    *m_pText = WindowText();
    ParseBoundValue();
    return 0;
}

// DCM_SETRANGE: lParam points at the earliest and the latest date. Answers
// 1 when the range is stored; 0 for no range and for one SetRange refuses.
LRESULT CDatumEntry::OnSetRange(WPARAM, LPARAM range)
{
    const auto* dates = win32::FromLParam<const CDateValue>(range);
    return dates != nullptr && SetRange(dates[0], dates[1]) ? 1 : 0;
}

// DCM_VERIFY: an empty required text takes the focus back silently; any
// other refused text also reports DCN_INVALID.
LRESULT CDatumEntry::OnVerify(WPARAM, LPARAM)
{
    if (!IsBound())
        return 0;
    if (WindowText().IsEmpty() && (m_wFlags & DCF_REQUIRED) != 0)
        Refuse();
    else
        CheckValid();
    return 0;
}

LRESULT CDatumEntry::OnCheckModified(WPARAM, LPARAM)
{
    if (IsBound()) {
        const CString text = WindowText();
        CheckModified(&text);
    }
    return 0;
}

// WM_GETOBJECT: asked which class it is, the control answers as the system's
// edit does, so that accessibility clients read it as editable text whose
// value is the window text. While the refusal tip shows, the client object
// is the standard one whose description is the tip's sentence for as long
// as the tip shows. Every other request is the edit's.
LRESULT CDatumEntry::OnGetObject(WPARAM flags, LPARAM objectId)
{
    constexpr LRESULT kEditClassIndex = 65536 + 4;   // the system edit's index among the known classes
    if (static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_QUERYCLASSNAMEIDX))
        return kEditClassIndex;
    if (static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT) && !m_tip.Sentence().IsEmpty()) {
        if (const LRESULT object = platform::LresultFromStdAccessible(m_hWnd, flags, {.description = &ShownSentence}))
            return object;
    }
    return Default();
}

// The sentence of the tip at a date-control window now; null once the window has gone.
LPCWSTR CDatumEntry::ShownSentence(HWND window)
{
    const auto* entry = dynamic_cast<const CDatumEntry*>(CWnd::FromHandlePermanent(window));
    return entry != nullptr ? entry->m_tip.WideSentence().c_str() : nullptr;
}

// Another control takes the focus back from this one: skip the next check.
LRESULT CDatumEntry::OnYieldFocus(WPARAM, LPARAM)
{
    m_bCheckOnKillFocus = FALSE;
    return 0;
}

const MessageMap* CDatumEntry::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnReflectedCommand<&CDatumEntry::OnEnChange>(EN_CHANGE),
        OnMessage<&CDatumEntry::OnChar>(WM_CHAR),
        OnMessage<&CDatumEntry::OnClear>(DCM_CLEAR),
        OnMessage<&CDatumEntry::OnValueToText>(DCM_VALUETOTEXT),
        OnMessage<&CDatumEntry::OnTextToValue>(DCM_TEXTTOVALUE),
        OnMessage<&CDatumEntry::OnSetRange>(DCM_SETRANGE),
        OnMessage<&CDatumEntry::OnVerify>(DCM_VERIFY),
        OnMessage<&CDatumEntry::OnCheckModified>(DCM_CHECKMODIFIED),
        OnMessage<&CDatumEntry::OnYieldFocus>(DCM_YIELDFOCUS),
        OnMessage<&CDatumEntry::OnGetObject>(WM_GETOBJECT),
    };
    static const MessageMap kMap{CEdit::GetMessageMap(), kEntries};
    return &kMap;
}

void CDatumEntry::PostNcDestroy()
{
    delete this;
}
