// DatumEntry.cpp: the handlers and operations that both date controls share.
#include "controls/DatumEntry.h"

#include "platform/window/Accessible.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ParentReflection.h"

#include "textrules/QuickForms.h"

#include <cstring>
#include <string>
#include <string_view>

// The text and value that a control bound without the framework keeps in
// place of a dialog's members, and the reflection by its parent.
struct CDatumEntry::OwnedBinding {
    CString text;
    CDateValue date;
    CDateTimeValue dateTime;
    CParentReflection reflection;
};

CDatumEntry::CDatumEntry() = default;

CDatumEntry::~CDatumEntry() { Unlink(); }

void CDatumEntry::ExchangeData(CDataExchange* pDX, int nID, std::uint16_t nMaxLen, CString& text, void* pValue,
                               int nFlags, const char* pszInitial)
{
    if (m_pText == nullptr) {
        Bind(this, pDX->m_pDlgWnd, nID, nMaxLen, &text, pValue, nFlags, pszInitial);
        ApplyHint();
    }
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

std::string_view ViewOf(const CString& text)
{
    return std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

// Parses the control's window text into either kind of date value: as the
// value's own Parse reads it where that is the date the field reads, else
// the date the field's judge reads in it (a quick form, yy-mm-dd), or the
// empty date for a text in no form.
template <class Value>
int ParseTextInto(const CString& text, const EntryRules& rules, Value* pValue)
{
    if (pValue == nullptr)
        return 0;
    if (ParseReadsAsTyped(rules, ViewOf(text)))
        pValue->Parse(text.GetString());
    else
        pValue->Parse(JudgeText(rules, text).date.FormatDashed().GetString());
    return text.GetLength();
}

} // namespace

int CDatumEntry::GetDateTimeValue(CDateTimeValue* pValue) { return ParseTextInto(WindowText(), OwnRules(), pValue); }

int CDatumEntry::GetDateValue(CDateValue* pValue) { return ParseTextInto(WindowText(), OwnRules(), pValue); }

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

EntryRules CDatumEntry::OwnRules() const
{
    return {.kind = Kind(),
            .quickEntry = (m_wFlags & DCF_QUICKENTRY) != 0,
            .required = (m_wFlags & DCF_REQUIRED) != 0,
            .range = m_range,
            .dayRule = m_dayRule,
            .local = {(m_wFlags & DCF_LOCALFORMS) != 0, m_locale.Order(), m_partial}};
}

bool CDatumEntry::SetRange(const CDateValue& min, const CDateValue& max)
{
    const DateRange range{min, max};
    if (!range.IsAllowed())
        return false;
    m_range = range;
    return true;
}

namespace {

// The code page's rule for two-byte characters, by which a long reason of
// the day rule is cut.
bool IsLeadByte(char byte) { return ::IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE; }

} // namespace

void CDatumEntry::SetDayRule(DatumDayRule rule, void* context) { m_dayRule = {rule, context, &IsLeadByte}; }

// Called after every refusal. The tip shows only at a field that has the
// focus, or whose pair's refusal let it go to the other side: not when the
// user went to Cancel or out of the dialog.
void CDatumEntry::ExplainRefusal()
{
    if ((m_wFlags & DCF_EXPLAIN) == 0 || (CWnd::GetFocus() != this && !LetsFocusGo()))
        return;
    const EntryRules rules = Rules();
    const CString sentence = RefusalSentence(rules, JudgeLeaving(rules, WindowText()));
    if (sentence.IsEmpty())
        return;
    m_preview.Hide();
    m_tip.Show(*this, sentence);
    if (CDatumEntry* other = Partner())   // one tip for a pair
        other->m_tip.Hide();
}

CString CDatumEntry::Rewritten(const CString& text) const
{
    const EntryRules rules = OwnRules();
    return DisplayText(rules, JudgeText(rules, text).date);
}

void CDatumEntry::RewriteInDisplayForm()
{
    const CString text = Rewritten(WindowText());
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
    ApplyHint();
    ParseBoundValue();
    SetWindowText(*m_pText);
    if (m_nMaxLen != 0)
        LimitText(m_nMaxLen);
    return true;
}

bool CDatumEntry::ReadAccepted(CString* display) const
{
    const EntryRules rules = Rules();
    const Judgement judgement = JudgeLeaving(rules, WindowText());
    if (judgement.refusal != DatumRefusal::None)
        return false;
    *display = DisplayText(rules, judgement.date);
    return true;
}

bool CDatumEntry::SetAccepted(const CString& text)
{
    if (!IsBound() || (!text.IsEmpty() && !AcceptsText(text)))
        return false;
    const CString display = Rewritten(text);
    m_bSettingText = TRUE;
    SetWindowText(display);
    *m_pText = display;
    if (m_pValue != nullptr)
        ParseBoundValue();
    TextAccepted();
    return true;
}

LRESULT CDatumEntry::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_tip.HideAtInput(message);
    if (message == WM_KILLFOCUS)
        m_preview.Hide();
    return CEdit::WindowProc(message, wParam, lParam);
}

// Letters never reach the edit; digits, separators and control keys do.
// Under DCF_QUICKENTRY the letters of the quick forms do too, and Ctrl+A
// (the control character 1) selects the whole text, which the system's
// edit does only under common controls 6. Under DCF_STEPKEYS a + or - at
// the end of an accepted date steps it instead. Only typed characters pass
// here: pasted and set text is not filtered.
LRESULT CDatumEntry::OnChar(WPARAM character, LPARAM)
{
    if (StepsOnSign(character))
        return 0;
    constexpr WPARAM kCtrlA = 0x01;
    const bool quick = (m_wFlags & DCF_QUICKENTRY) != 0;
    if (quick && character == kCtrlA) {
        SetSel(0, -1);
        return 0;
    }
    const auto typed = static_cast<CHAR>(character);
    if (IsCharAlphaA(typed) && !(quick && IsQuickEntryLetter(typed)))
        return 0;
    return Default();
}

// WM_PASTE: under DCF_QUICKENTRY the clipboard's first line goes in without
// the blanks around it (a date copied from a spreadsheet or a mail often
// carries a space or a line break); otherwise the edit pastes as it is. As
// the system's paste, a read-only field takes nothing, and a clipboard that
// cannot be read leaves the text alone.
LRESULT CDatumEntry::OnPaste(WPARAM, LPARAM)
{
    if ((m_wFlags & DCF_QUICKENTRY) == 0 || (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & ES_READONLY) != 0 ||
        !::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return Default();
    if (!::OpenClipboard(m_hWnd))
        return 0;
    bool read = false;
    std::string text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const std::wstring_view trimmed = TrimmedPaste(wide);
            const std::wstring line(TrimmedPaste(trimmed.substr(0, trimmed.find_first_of(L"\r\n"))));
            const int size = ::WideCharToMultiByte(CP_ACP, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<std::size_t>(size > 0 ? size : 1));
            ::WideCharToMultiByte(CP_ACP, 0, line.c_str(), -1, text.data(), size, nullptr, nullptr);
            ::GlobalUnlock(data);
            read = true;
        }
    }
    ::CloseClipboard();
    if (read)
        SendMessage(EM_REPLACESEL, TRUE, win32::ToLParam(text.c_str()));
    return 0;
}

LRESULT CDatumEntry::OnEnChange()
{
    if (IsBound()) {
        const CString text = WindowText();
        OnTextChange(text, !MayGrowIntoAnotherDate(OwnRules(), ViewOf(text)));
        AfterTextChange(text);
    }
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
    TextAccepted();
    return 0;
}

// DCM_SETRANGE: lParam points at the earliest and the latest date. Answers
// 1 when the range is stored; 0 for a null lParam and for a range SetRange
// refuses.
LRESULT CDatumEntry::OnSetRange(WPARAM, LPARAM range)
{
    const auto* dates = win32::FromLParam<const CDateValue>(range);
    return dates != nullptr && SetRange(dates[0], dates[1]) ? 1 : 0;
}

// DCM_SETDAYRULE: lParam points at the rule and its context. Answers 1 when
// the rule is stored (a null rule removes it), 0 for a null lParam.
LRESULT CDatumEntry::OnSetDayRule(WPARAM, LPARAM ruleSpec)
{
    const auto* rule = win32::FromLParam<const DatumDayRuleSpec>(ruleSpec);
    if (rule == nullptr)
        return 0;
    SetDayRule(rule->rule, rule->context);
    return 1;
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
// value is the window text. While the refusal tip or the preview shows, or
// under DCF_HINT, the client object is the standard one whose description
// is the tip's sentence, the preview or the hint's form, read live. Every
// other request is the edit's.
LRESULT CDatumEntry::OnGetObject(WPARAM flags, LPARAM objectId)
{
    constexpr LRESULT kEditClassIndex = 65536 + 4;   // the system edit's index among the known classes
    if (static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_QUERYCLASSNAMEIDX))
        return kEditClassIndex;
    if (static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT) && *Description(m_hWnd) != L'\0') {
        if (const LRESULT object = platform::LresultFromStdAccessible(m_hWnd, flags, {.description = &Description}))
            return object;
    }
    return Default();
}

// The description of a date-control window now; null once the window has gone.
LPCWSTR CDatumEntry::Description(HWND window)
{
    const auto* entry = dynamic_cast<const CDatumEntry*>(CWnd::FromHandlePermanent(window));
    if (entry == nullptr)
        return nullptr;
    if (!entry->m_tip.WideSentence().empty())
        return entry->m_tip.WideSentence().c_str();
    return !entry->m_preview.Text().empty() ? entry->m_preview.Text().c_str() : entry->m_hint.c_str();
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
        OnMessage<&CDatumEntry::OnPaste>(WM_PASTE),
        OnMessage<&CDatumEntry::OnClear>(DCM_CLEAR),
        OnMessage<&CDatumEntry::OnValueToText>(DCM_VALUETOTEXT),
        OnMessage<&CDatumEntry::OnTextToValue>(DCM_TEXTTOVALUE),
        OnMessage<&CDatumEntry::OnSetRange>(DCM_SETRANGE),
        OnMessage<&CDatumEntry::OnSetDayRule>(DCM_SETDAYRULE),
        OnMessage<&CDatumEntry::OnLink>(DCM_LINK),
        OnMessage<&CDatumEntry::OnSetLocale>(DCM_SETLOCALE),
        OnMessage<&CDatumEntry::OnVerify>(DCM_VERIFY),
        OnMessage<&CDatumEntry::OnCheckModified>(DCM_CHECKMODIFIED),
        OnMessage<&CDatumEntry::OnYieldFocus>(DCM_YIELDFOCUS),
        OnMessage<&CDatumEntry::OnGetObject>(WM_GETOBJECT),
        OnMessage<&CDatumEntry::OnKeyDown>(WM_KEYDOWN),
        OnMessage<&CDatumEntry::OnMouseWheel>(WM_MOUSEWHEEL),
        OnMessage<&CDatumEntry::OnPaint>(WM_PAINT),
    };
    static const MessageMap kMap{CEdit::GetMessageMap(), kEntries};
    return &kMap;
}

void CDatumEntry::PostNcDestroy()
{
    delete this;
}
