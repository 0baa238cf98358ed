// BitmapButton.h: an owner-drawn button that shows one of four bitmaps.
//
//   CBitmapButton   images up, down (pressed), focus and disabled from bitmap
//                   resources; draws the one for the button's state when its
//                   parent hands it the WM_DRAWITEM (the window needs BS_OWNERDRAW)
//   FaceScale       the whole multiple that an image is drawn at in a button
#pragma once

#include "platform/window/Button.h"

// The largest whole multiple of the image's size that fits the button, at
// least 1: pixels are repeated, never blended, so that a face stays crisp
// in a larger button (at a higher DPI) and is drawn as it is at its own size.
int FaceScale(SIZE button, SIZE image);

class CBitmapButton : public CButton {
public:
    CBitmapButton() = default;
    ~CBitmapButton() override;

    // Loads the images from the framework module's bitmap resources; 0 leaves
    // an image out, and the up image stands in for it. FALSE when one fails to
    // load. All buttons of the process share each image: it is loaded by the
    // first and deleted when the last lets go of it, on any thread.
    BOOL LoadBitmaps(UINT upId, UINT downId = 0, UINT focusId = 0, UINT disabledId = 0);
    // The width of the images' frame, in image pixels. In a button whose
    // width is no whole multiple of the image's (a DPI scale that is not
    // whole), the frame then runs along the button's edges and the image's
    // middle is centred inside it, on the colour of the middle's top-left
    // pixel. 0, the default: the image is drawn at the top-left corner.
    void SetFrameWidth(int pixels) { m_frameWidth = pixels; }

protected:
    const MessageMap* GetMessageMap() const override;

private:
    // Reflected WM_DRAWITEM: draws the image for the state, in this order:
    // disabled, pressed, focused, else up; at the FaceScale for the button's
    // size, at its top-left corner or framed (SetFrameWidth).
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item);
    // Whether the image is drawn framed in a button of this size.
    bool FramedFits(SIZE button, SIZE image, int scale) const;
    void DrawFramed(HDC target, const RECT& area, HDC image, SIZE size, int scale) const;
    void FreeBitmaps();

    HBITMAP m_bitmapUp = nullptr;
    HBITMAP m_bitmapDown = nullptr;
    HBITMAP m_bitmapFocus = nullptr;
    HBITMAP m_bitmapDisabled = nullptr;
    int m_frameWidth = 0;
};
