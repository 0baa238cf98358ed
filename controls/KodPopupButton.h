// KodPopupButton.h: the bitmap button at the right edge of a date control.
//
//   CKodPopupButton   tells its owner control when it is clicked (open the
//                     calendar popup) and when it takes the keyboard focus;
//                     reads to screen readers as a push button named after
//                     what it does
//
// The owner creates, places, enables, shows and deletes it; the button has
// no logic of its own beyond these two messages.
#pragma once

#include "platform/window/BitmapButton.h"

class CDatumCtrl;

class CKodPopupButton : public CBitmapButton {
public:
    explicit CKodPopupButton(CDatumCtrl* pOwner);
    ~CKodPopupButton() override;

protected:
    const MessageMap* GetMessageMap() const override;

private:
    // WM_CREATE: a button created under a disabled owner starts disabled.
    LRESULT OnCreate(WPARAM, LPARAM);
    // WM_SETFOCUS: after the default handling, tell the owner that its
    // focus went to its own button.
    LRESULT OnSetFocus(WPARAM, LPARAM);
    // Reflected BN_CLICKED: ask the owner to open the popup; the popup runs
    // inside this call.
    LRESULT OnClicked();
    // WM_GETOBJECT: the client object is a push button named "Open
    // calendar"; the window text stays the button's own.
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);

    CDatumCtrl* const m_pOwner;   // the date control that created the button; not owned
};
