// DatumCtrl.cpp: the date control's button, rules, focus handling and popup.
#include "controls/DatumCtrl.h"

#include "controls/ControlResources.h"
#include "controls/KalenderPopupDlg.h"
#include "controls/KodPopupButton.h"
#include "platform/window/Dpi.h"
#include "platform/window/ParentReflection.h"
#include "textrules/DateSteps.h"

namespace {
constexpr LONG kButtonWidth = 15;   // at 96 DPI
// The width of the faces' frame: the black edge and the bevel inside it,
// three pixels on every side; the triangle and its grey ground lie inside.
constexpr int kFaceFrame = 3;
} // namespace

CDatumCtrl::CDatumCtrl() = default;

CDatumCtrl::~CDatumCtrl() = default;

BOOL CDatumCtrl::IsValid() { return AcceptsText(WindowText()); }

void CDatumCtrl::ReflectCompanions(CParentReflection& reflection)
{
    if (m_pPopupButton != nullptr && m_pPopupButton->m_hWnd != nullptr)
        reflection.Add(*m_pPopupButton);
}

void CDatumCtrl::Normalize() { RewriteInDisplayForm(); }

LONG CDatumCtrl::ButtonWidthAt(UINT dpi)
{
    return ::MulDiv(kButtonWidth, static_cast<int>(dpi), static_cast<int>(platform::kDefaultDpi));
}

void CDatumCtrl::MoveControl(const RECT* rect, BOOL repaint)
{
    WINDOWPLACEMENT button{};
    m_pPopupButton->GetWindowPlacement(&button);
    const RECT& old = button.rcNormalPosition;
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    m_pPopupButton->MoveWindow(rect->right, old.top, old.right - old.left, old.bottom - old.top, TRUE);
}

const MessageMap* CDatumCtrl::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CDatumCtrl::OnCreate>(WM_CREATE),
        OnMessage<&CDatumCtrl::OnDpiChangedAfterParent>(WM_DPICHANGED_AFTERPARENT),
        OnReflectedCommand<&CDatumCtrl::OnEnKillFocus>(EN_KILLFOCUS),
        OnReflectedCommand<&CDatumCtrl::OnEnSetFocus>(EN_SETFOCUS),
        OnMessage<&CDatumCtrl::OnKeyDown>(WM_KEYDOWN),
        OnMessage<&CDatumCtrl::OnSysKeyDown>(WM_SYSKEYDOWN),
        OnMessage<&CDatumCtrl::OnSysKeyUp>(WM_SYSKEYUP),
        OnMessage<&CDatumCtrl::OnEnable>(WM_ENABLE),
        OnMessage<&CDatumCtrl::OnShowWindow>(WM_SHOWWINDOW),
        OnMessage<&CDatumCtrl::OnExitCheck>(DCM_EXITCHECK),
        OnMessage<&CDatumCtrl::OnOpenPopup>(DCM_OPENPOPUP),
        OnMessage<&CDatumCtrl::OnButtonFocus>(DCM_BUTTONFOCUS),
    };
    static const MessageMap kMap{CDatumEntry::GetMessageMap(), kEntries};
    return &kMap;
}

// The edit gives up the right 15 pixels of the rectangle it was created
// with (at 96 DPI; MulDiv(15, dpi, 96) at another); the button takes them,
// as a sibling in the same parent, visible when the edit is. It has no tab
// stop, so Tab never lands on it. Failures to make the button or load its
// faces leave a control without a usable button and are not reported.
LRESULT CDatumCtrl::OnCreate(WPARAM, LPARAM createStruct)
{
    if (Default() == -1)
        return -1;
    const auto* create = win32::FromLParam<CREATESTRUCTA>(createStruct);
    const bool visible = (create->style & WS_VISIBLE) != 0;
    const LONG width = ButtonWidthAt(platform::DpiForWindow(m_hWnd));

    WINDOWPLACEMENT placement{};
    GetWindowPlacement(&placement);
    placement.showCmd = visible ? SW_SHOW : SW_HIDE;
    placement.rcNormalPosition.right -= width;
    SetWindowPlacement(&placement);

    const RECT& edit = placement.rcNormalPosition;
    const RECT button{edit.right, edit.top, edit.right + width, edit.bottom};
    const DWORD style = static_cast<DWORD>(WS_CHILD | BS_OWNERDRAW) | (visible ? static_cast<DWORD>(WS_VISIBLE) : 0u);
    m_pPopupButton = std::make_unique<CKodPopupButton>(this);
    m_pPopupButton->Create("Kodpopup", style, button, CWnd::FromHandle(create->hwndParent), IDC_POPUPBUTTON);
    m_pPopupButton->LoadBitmaps(IDB_KODPOPUP_UP, IDB_KODPOPUP_DOWN, IDB_KODPOPUP_UP, IDB_KODPOPUP_DISABLED);
    m_pPopupButton->SetFrameWidth(kFaceFrame);
    return 0;
}

LRESULT CDatumCtrl::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_pPopupButton == nullptr || m_pPopupButton->m_hWnd == nullptr)
        return result;
    WINDOWPLACEMENT own{};
    GetWindowPlacement(&own);
    const RECT& edit = own.rcNormalPosition;
    m_pPopupButton->MoveWindow(edit.right, edit.top, ButtonWidthAt(platform::DpiForWindow(m_hWnd)),
                               edit.bottom - edit.top, TRUE);
    return result;
}

LRESULT CDatumCtrl::OnEnSetFocus()
{
    if (!IsBound())
        return 0;
    m_bCheckOnKillFocus = TRUE;
    m_bButtonFocus = FALSE;
    SetEntryText(WindowText());
    return 0;
}

LRESULT CDatumCtrl::OnEnKillFocus()
{
    m_bAltOfClosingChord = false;
    FocusOut();
    return 0;
}

bool CDatumCtrl::FocusWentToCompanion() const
{
    CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr || focus->GetDlgCtrlID() != IDC_POPUPBUTTON)
        return false;
    WINDOWPLACEMENT button{};
    WINDOWPLACEMENT own{};
    focus->GetWindowPlacement(&button);
    GetWindowPlacement(&own);
    return button.rcNormalPosition.left == own.rcNormalPosition.right &&
           button.rcNormalPosition.top == own.rcNormalPosition.top;
}

// Posted, so that the popup opens only after the edit has processed the
// key. Every key then goes on to the step keys of the shared half.
LRESULT CDatumCtrl::OnKeyDown(WPARAM virtualKey, LPARAM flags)
{
    m_bAltOfClosingChord = false;
    if (virtualKey == VK_DOWN || virtualKey == VK_F4)
        PostMessage(DCM_OPENPOPUP, 0, 0);
    return CDatumEntry::OnKeyDown(virtualKey, flags);
}

// The system's drop-down key. Its own handling still sees the key, so that
// letting go of Alt afterwards does not enter menu mode.
//
// When Alt+Up closed the popup, the Alt that is still held belongs to that
// chord. Its repeats arrive here, after the popup has gone; the system would
// take each for a press of Alt alone, and letting go of Alt after it for a
// request of the dialog's menu, which leaves the keys in a menu loop until
// Escape. So they do not reach the system's handling. Any other key ends the
// chord; a fresh press of Alt after its release is the system's again.
LRESULT CDatumCtrl::OnSysKeyDown(WPARAM virtualKey, LPARAM flags)
{
    if (virtualKey == VK_MENU && m_bAltOfClosingChord)
        return 0;
    m_bAltOfClosingChord = false;
    const bool altDown = (win32::HighWord(static_cast<ULONG_PTR>(flags)) & KF_ALTDOWN) != 0;
    if (virtualKey == VK_DOWN && altDown)
        PostMessage(DCM_OPENPOPUP, 0, 0);
    return Default();
}

LRESULT CDatumCtrl::OnSysKeyUp(WPARAM virtualKey, LPARAM)
{
    if (virtualKey == VK_MENU && m_bAltOfClosingChord) {
        m_bAltOfClosingChord = false;
        return 0;
    }
    return Default();
}

LRESULT CDatumCtrl::OnEnable(WPARAM enabled, LPARAM)
{
    const LRESULT result = Default();
    if (m_pPopupButton != nullptr && m_pPopupButton->m_hWnd != nullptr)
        m_pPopupButton->EnableWindow(enabled != 0 ? TRUE : FALSE);
    return result;
}

LRESULT CDatumCtrl::OnShowWindow(WPARAM shown, LPARAM)
{
    const LRESULT result = Default();
    if (m_pPopupButton != nullptr && m_pPopupButton->m_hWnd != nullptr)
        m_pPopupButton->ShowWindow(shown != 0 ? SW_SHOWNORMAL : SW_HIDE);
    return result;
}

LRESULT CDatumCtrl::OnExitCheck(WPARAM, LPARAM)
{
    if (!m_bButtonFocus)
        FocusOut();
    m_bButtonFocus = FALSE;
    return 0;
}

LRESULT CDatumCtrl::OnOpenPopup(WPARAM, LPARAM)
{
    OpenPopup();
    return 0;
}

LRESULT CDatumCtrl::OnButtonFocus(WPARAM, LPARAM)
{
    m_bButtonFocus = TRUE;
    return 0;
}

// Runs the popup modally with its top-left corner at the field's
// bottom-left corner, starting from the field's date, or when it is empty
// from the other side's date of its pair or today, or from the nearest
// allowed day when that lies outside the range; the calendar offers only
// the range, on the end of a pair from the start on. The popup reads its
// start day from the dashed form, so an accepted text in any form
// (070115, 20070115, a keyword letter, a relative form) is handed over
// rewritten; the window text itself is not changed here. The focus change
// into the popup runs this control's focus-out procedure inside the modal
// loop (in full when a key opened it).
// Afterwards the control takes the focus back but keeps the entry text from
// before the popup, so that a picked date counts as a change at the next
// focus-out.
void CDatumCtrl::OpenPopup()
{
    CString text;
    BOOL picked = FALSE;
    GetWindowText(text);
    // A refused text opens nothing, except a date outside the range: the
    // calendar opens on the nearest allowed day instead; and a blocked day
    // or one the pair refuses, on which it opens as on any other.
    const Judgement judgement = JudgeText(OwnRules(), text);
    if (judgement.refusal != DatumRefusal::None && judgement.refusal != DatumRefusal::OutOfRange &&
        judgement.refusal != DatumRefusal::DayBlocked)
        return;
    RECT field{};
    GetWindowRect(&field);
    const EntryRules rules = Rules();
    const CDateValue own = text.IsEmpty() ? CDateValue() : judgement.date;
    const CDateValue start = !IsEmptyDate(own)               ? own
                             : !IsEmptyDate(rules.pair.other) ? rules.pair.other
                                                              : CDateValue().SetToday();
    text = rules.pair.Offered(m_range).Nearest(start).FormatDashed();

    CKalenderPopupDlg popup(&text, &picked, field.left, field.bottom);
    popup.SetRules(rules, (m_wFlags & DCF_EXPLAIN) != 0, own);
    const HWND self = m_hWnd;
    popup.DoModal();
    // A host may destroy the dialog while the popup runs (from a timer, say);
    // the window's end deleted this object then, so nothing of it is touched.
    if (CWnd::FromHandlePermanent(self) != this)
        return;

    if (CWnd* parent = GetParent())
        parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (picked)
        SetWindowText(text);
    const CString entry = m_strEntry;
    SetFocus();
    m_strEntry = entry;
    m_bAltOfClosingChord = ::GetKeyState(VK_MENU) < 0;
}
