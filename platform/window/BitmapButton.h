// BitmapButton.h: an owner-drawn button that shows one of four bitmaps.
//
//   CBitmapButton   images up, down (pressed), focus and disabled from bitmap
//                   resources; draws the one for the button's state when its
//                   parent hands it the WM_DRAWITEM (the window needs BS_OWNERDRAW)
#pragma once

#include "platform/window/Button.h"

class CBitmapButton : public CButton {
public:
    CBitmapButton() = default;
    ~CBitmapButton() override;

    // Loads the images from the framework module's bitmap resources; 0 leaves
    // an image out, and the up image stands in for it. FALSE when one fails to load.
    BOOL LoadBitmaps(UINT upId, UINT downId = 0, UINT focusId = 0, UINT disabledId = 0);

protected:
    const MessageMap* GetMessageMap() const override;

private:
    // Reflected WM_DRAWITEM: draws the image for the state, in this order:
    // disabled, pressed, focused, else up.
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item);
    void FreeBitmaps();

    HBITMAP m_bitmapUp = nullptr;
    HBITMAP m_bitmapDown = nullptr;
    HBITMAP m_bitmapFocus = nullptr;
    HBITMAP m_bitmapDisabled = nullptr;
};
