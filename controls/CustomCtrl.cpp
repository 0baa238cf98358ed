// CustomCtrl.cpp: binding, change rules, focus-out check and focus reclaiming.
#include "controls/CustomCtrl.h"

#include "platform/window/Wnd.h"

CCustomCtrl::CCustomCtrl() = default;

CCustomCtrl::~CCustomCtrl() = default;

int CCustomCtrl::GetText(char* buffer, int capacity)
{
    if (buffer != nullptr && capacity > 0)
        buffer[0] = '\0';
    return 0;
}

void CCustomCtrl::SetValuePtr(void* pValue) { m_pValue = pValue; }

BOOL CCustomCtrl::IsValid() { return TRUE; }

BOOL CCustomCtrl::IsValidAsTyped() { return IsValid(); }

void CCustomCtrl::TextAccepted() {}

BOOL CCustomCtrl::LetsFocusGo() { return FALSE; }

void CCustomCtrl::Normalize() {}

void CCustomCtrl::SetCtrlFocus() {}

void CCustomCtrl::ExplainRefusal() {}

// Stores the binding and replaces the dialog's text member with the initial
// text (or the empty text), which the data exchange then moves into the window.
void CCustomCtrl::Bind(CCustomCtrl* pCtrl, CWnd* pParent, int nID, int nMaxLen, CString* pText, void* pValue,
                       int nFlags, const char* pszInitial)
{
    m_pCtrl = pCtrl;
    m_pParent = pParent;
    m_nID = static_cast<std::uint16_t>(nID);
    m_nMaxLen = nMaxLen;
    m_pText = pText;
    m_pValue = pValue;
    m_wFlags = static_cast<std::uint16_t>(nFlags);
    if (m_pText != nullptr) {
        m_pText->Empty();
        if (pszInitial != nullptr)
            *m_pText = pszInitial;
    }
}

void CCustomCtrl::SetEntryText(const CString& text) { m_strEntry = text; }

CString* CCustomCtrl::ClearBoundText()
{
    if (m_pText != nullptr)
        m_pText->Empty();
    return m_pText;
}

void CCustomCtrl::NotifyParent(UINT notification) const
{
    if (m_pParent != nullptr)
        m_pParent->SendMessage(notification, m_nID, 0);
}

// A change that leaves a valid, non-empty text moves the focus on when the
// binding asks for it; the control's own rewrite never does. The focus move
// happens inside the send, so the exit notification precedes DCN_CHANGE.
void CCustomCtrl::OnTextChange(const CString& text, bool complete)
{
    if (m_bSettingText) {
        m_bSettingText = FALSE;
    } else if (complete && !text.IsEmpty() && (m_wFlags & DCF_AUTOADVANCE) != 0 && m_pCtrl->IsValidAsTyped()) {
        m_pParent->SendMessage(WM_NEXTDLGCTL, 0, 0);
    }
    NotifyParent(DCN_CHANGE);
}

// A refused text is never reported here: the control takes the focus back
// where it may and stays silent. An accepted text is judged changed on the
// text as typed, then rewritten in the display form.
void CCustomCtrl::CheckOnExit(const CString& text)
{
    bool changed = false;
    if (text.IsEmpty()) {
        if ((m_wFlags & DCF_REQUIRED) != 0) {
            Refuse();
            return;
        }
        changed = text != m_strEntry;
    } else {
        if (!m_pCtrl->IsValid()) {
            Refuse();
            return;
        }
        changed = text != m_strEntry;
        m_pCtrl->Normalize();
    }
    m_pCtrl->TextAccepted();

    const bool alt = (m_wFlags & DCF_ALTEXIT) != 0;
    if (changed)
        NotifyParent(alt ? DCN_EXITCHANGEDALT : DCN_EXITCHANGED);
    else
        NotifyParent(alt ? DCN_EXITUNCHANGEDALT : DCN_EXITUNCHANGED);
}

// The focus stays where it went when it went to Cancel, to a window without
// an id or with one of the ids that keep the focus, out of the dialog (no
// descendant of the parent, at any depth, has its id), or where the control
// lets it go.
// Otherwise the focus holder is told to skip its next focus-out check, so two
// controls never take the focus from each other in turn.
BOOL CCustomCtrl::MayReclaimFocus()
{
    CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr || m_pCtrl->LetsFocusGo())
        return FALSE;

    const int id = focus->GetDlgCtrlID();
    switch (id) {
    case 0:
    case IDCANCEL:
    case DCID_KEEPFOCUS1:
    case DCID_KEEPFOCUS2:
    case DCID_KEEPFOCUS3:
    case DCID_KEEPFOCUS4:
        return FALSE;
    default:
        break;
    }
    if (m_pParent == nullptr || m_pParent->GetDescendantWindow(id) == nullptr)
        return FALSE;

    focus->SendMessage(DCM_YIELDFOCUS, 0, 0);
    return TRUE;
}

void CCustomCtrl::Refuse()
{
    ReclaimFocus();
    m_pCtrl->ExplainRefusal();
}

void CCustomCtrl::ReclaimFocus()
{
    if (MayReclaimFocus()) {
        if (CWnd* self = m_pParent->GetDlgItem(m_nID))
            self->SetFocus();
    }
}

void CCustomCtrl::CheckValid()
{
    if (m_pCtrl->IsValid())
        return;
    Refuse();
    NotifyParent(DCN_INVALID);
}

void CCustomCtrl::CheckModified(const CString* text)
{
    if (text != nullptr && m_pText != nullptr && *text != *m_pText)
        NotifyParent(DCN_MODIFIED);
}
