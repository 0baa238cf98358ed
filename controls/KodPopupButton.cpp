// KodPopupButton.cpp: the popup button's messages to its owner control.
#include "controls/KodPopupButton.h"

#include "controls/DatumCtrl.h"
#include "platform/window/Accessible.h"

#include <oleacc.h>

CKodPopupButton::CKodPopupButton(CDatumCtrl* pOwner) : m_pOwner(pOwner) {}

CKodPopupButton::~CKodPopupButton() = default;

const MessageMap* CKodPopupButton::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnReflectedCommand<&CKodPopupButton::OnClicked>(BN_CLICKED),
        OnMessage<&CKodPopupButton::OnSetFocus>(WM_SETFOCUS),
        OnMessage<&CKodPopupButton::OnCreate>(WM_CREATE),
        OnMessage<&CKodPopupButton::OnGetObject>(WM_GETOBJECT),
    };
    static const MessageMap kMap{CBitmapButton::GetMessageMap(), kEntries};
    return &kMap;
}

LRESULT CKodPopupButton::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    if (!m_pOwner->IsWindowEnabled())
        EnableWindow(FALSE);
    return 0;
}

LRESULT CKodPopupButton::OnSetFocus(WPARAM, LPARAM)
{
    Default();
    m_pOwner->SendMessage(DCM_BUTTONFOCUS, 0, 0);
    return 0;
}

LRESULT CKodPopupButton::OnClicked()
{
    m_pOwner->SendMessage(DCM_OPENPOPUP, 0, 0);
    return 0;
}

// An owner-drawn button with the text "Kodpopup" says nothing to a listener,
// and some systems' standard objects do not know buttons at all: the
// standard object answers, with the role and name of what the button does.
LRESULT CKodPopupButton::OnGetObject(WPARAM flags, LPARAM objectId)
{
    if (static_cast<DWORD>(objectId) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT object = platform::LresultFromStdAccessible(m_hWnd, flags, ROLE_SYSTEM_PUSHBUTTON,
                                                                      L"Open calendar"))
            return object;
    }
    return Default();
}
