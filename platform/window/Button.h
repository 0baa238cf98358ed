// Button.h: the button control.
//
//   CButton   a window object for a "BUTTON" window
#pragma once

#include "platform/window/Wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("BUTTON", text, style, rect, parent, id);
    }
    // BST_ flags: checked, pushed, focus.
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    // Shows the button pushed (TRUE) or released (FALSE).
    void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(pushed)); }
};
