// BitmapButton.cpp: an owner-drawn button that shows one of four bitmaps.
#include "platform/window/BitmapButton.h"

#include "platform/window/Module.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Bitmap resources are loaded once per module and resource and shared by
// every button of the process that shows them (a dialog of 200 date fields
// holds three faces, not 800); the last button to let go deletes its face,
// on whatever thread that is. A face is the resource at its own size (a
// button scales it as it draws), so the DPI is no part of the key. One lock
// guards the table and the drawing: a bitmap can be selected into one
// device context at a time, so buttons of two threads take turns.
struct SharedBitmap {
    HINSTANCE instance;
    UINT id;
    HBITMAP bitmap;
    int users;
};

struct SharedBitmaps {
    std::mutex lock;
    std::vector<SharedBitmap> faces;
};

SharedBitmaps& Shared()
{
    static SharedBitmaps shared;
    return shared;
}

HBITMAP AcquireBitmap(HINSTANCE instance, UINT id)
{
    SharedBitmaps& shared = Shared();
    const std::lock_guard<std::mutex> guard(shared.lock);
    for (SharedBitmap& face : shared.faces) {
        if (face.instance == instance && face.id == id) {
            ++face.users;
            return face.bitmap;
        }
    }
    HBITMAP bitmap = ::LoadBitmapA(instance, win32::ResourceId(id));
    if (bitmap)
        shared.faces.push_back({instance, id, bitmap, 1});
    return bitmap;
}

void ReleaseBitmap(HBITMAP bitmap)
{
    SharedBitmaps& shared = Shared();
    const std::lock_guard<std::mutex> guard(shared.lock);
    for (auto face = shared.faces.begin(); face != shared.faces.end(); ++face) {
        if (face->bitmap == bitmap) {
            if (--face->users == 0) {
                ::DeleteObject(bitmap);
                shared.faces.erase(face);
            }
            return;
        }
    }
}

} // namespace

int FaceScale(SIZE button, SIZE image)
{
    if (image.cx <= 0 || image.cy <= 0)
        return 1;
    return static_cast<int>(std::max(1L, std::min(button.cx / image.cx, button.cy / image.cy)));
}

CBitmapButton::~CBitmapButton() { FreeBitmaps(); }

const MessageMap* CBitmapButton::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnReflectedDrawItem<&CBitmapButton::OnDrawItem>(),
    };
    static const MessageMap kMap{CButton::GetMessageMap(), kEntries};
    return &kMap;
}

void CBitmapButton::FreeBitmaps()
{
    for (HBITMAP* bitmap : {&m_bitmapUp, &m_bitmapDown, &m_bitmapFocus, &m_bitmapDisabled}) {
        if (*bitmap)
            ReleaseBitmap(*bitmap);
        *bitmap = nullptr;
    }
}

BOOL CBitmapButton::LoadBitmaps(UINT upId, UINT downId, UINT focusId, UINT disabledId)
{
    FreeBitmaps();
    HINSTANCE instance = AfxGetInstanceHandle();
    BOOL loaded = TRUE;
    auto load = [&](UINT id, HBITMAP& bitmap) {
        if (id == 0)
            return;
        bitmap = AcquireBitmap(instance, id);
        if (!bitmap)
            loaded = FALSE;
    };
    load(upId, m_bitmapUp);
    load(downId, m_bitmapDown);
    load(focusId, m_bitmapFocus);
    load(disabledId, m_bitmapDisabled);
    return loaded && m_bitmapUp != nullptr;
}

LRESULT CBitmapButton::OnDrawItem(DRAWITEMSTRUCT* item)
{
    HBITMAP bitmap = m_bitmapUp;
    if ((item->itemState & ODS_DISABLED) && m_bitmapDisabled)
        bitmap = m_bitmapDisabled;
    else if ((item->itemState & ODS_SELECTED) && m_bitmapDown)
        bitmap = m_bitmapDown;
    else if ((item->itemState & ODS_FOCUS) && m_bitmapFocus)
        bitmap = m_bitmapFocus;
    if (!bitmap)
        return TRUE;

    const std::lock_guard<std::mutex> drawing(Shared().lock);   // the face is selected into our DC meanwhile
    BITMAP size = {};
    ::GetObjectA(bitmap, static_cast<int>(sizeof size), &size);
    const RECT& area = item->rcItem;
    const SIZE button{area.right - area.left, area.bottom - area.top};
    const SIZE image{size.bmWidth, size.bmHeight};
    const int scale = FaceScale(button, image);
    HDC memory = ::CreateCompatibleDC(item->hDC);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const int oldMode = ::SetStretchBltMode(item->hDC, COLORONCOLOR);
    if (FramedFits(button, image, scale))
        DrawFramed(item->hDC, area, memory, image, scale);
    else
        ::StretchBlt(item->hDC, area.left, area.top, image.cx * scale, image.cy * scale, memory, 0, 0, image.cx,
                     image.cy, SRCCOPY);
    ::SetStretchBltMode(item->hDC, oldMode);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return TRUE;
}

bool CBitmapButton::FramedFits(SIZE button, SIZE image, int scale) const
{
    const LONG frame = m_frameWidth;
    if (frame <= 0 || image.cx <= 0 || button.cx % image.cx == 0)
        return false;
    // The middle, at the scale, must fit inside the frame.
    return image.cx > 2 * frame && image.cy > 2 * frame &&
           (image.cx - 2 * frame) * scale <= button.cx - 2 * frame * scale &&
           (image.cy - 2 * frame) * scale <= button.cy - 2 * frame * scale;
}

// Nine pieces: the corners at the scale, the edges stretched along the
// button's sides (a frame's edge is the same all along), and the middle
// filled with its own top-left colour with the image's middle centred on it.
void CBitmapButton::DrawFramed(HDC target, const RECT& area, HDC image, SIZE size, int scale) const
{
    const int frame = m_frameWidth;
    const int sourceX[4] = {0, frame, size.cx - frame, size.cx};
    const int sourceY[4] = {0, frame, size.cy - frame, size.cy};
    const int targetX[4] = {area.left, area.left + frame * scale, area.right - frame * scale, area.right};
    const int targetY[4] = {area.top, area.top + frame * scale, area.bottom - frame * scale, area.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool middle = row == 1 && column == 1;
            ::StretchBlt(target, targetX[column], targetY[row], targetX[column + 1] - targetX[column],
                         targetY[row + 1] - targetY[row], image, sourceX[column], sourceY[row],
                         middle ? 1 : sourceX[column + 1] - sourceX[column],
                         middle ? 1 : sourceY[row + 1] - sourceY[row], SRCCOPY);
        }
    }
    const int width = (size.cx - 2 * frame) * scale;
    const int height = (size.cy - 2 * frame) * scale;
    ::StretchBlt(target, targetX[1] + (targetX[2] - targetX[1] - width) / 2,
                 targetY[1] + (targetY[2] - targetY[1] - height) / 2, width, height, image, frame, frame,
                 size.cx - 2 * frame, size.cy - 2 * frame, SRCCOPY);
}
