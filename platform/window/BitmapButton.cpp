// BitmapButton.cpp: an owner-drawn button that shows one of four bitmaps.
#include "platform/window/BitmapButton.h"

#include "platform/window/Module.h"

#include <algorithm>
#include <vector>

namespace {

// Bitmap resources are loaded once per thread and module and shared by every
// button of that thread that shows them (a dialog of 200 date fields holds
// three faces, not 800), and deleted when the last of those buttons lets go.
// Per thread, because a bitmap can be selected into one device context at a
// time, and each thread draws its own buttons.
struct SharedBitmap {
    HINSTANCE instance;
    UINT id;
    HBITMAP bitmap;
    int users;
};

thread_local std::vector<SharedBitmap> t_sharedBitmaps;

HBITMAP AcquireBitmap(HINSTANCE instance, UINT id)
{
    for (SharedBitmap& shared : t_sharedBitmaps) {
        if (shared.instance == instance && shared.id == id) {
            ++shared.users;
            return shared.bitmap;
        }
    }
    HBITMAP bitmap = ::LoadBitmapA(instance, win32::ResourceId(id));
    if (bitmap)
        t_sharedBitmaps.push_back({instance, id, bitmap, 1});
    return bitmap;
}

void ReleaseBitmap(HBITMAP bitmap)
{
    for (auto shared = t_sharedBitmaps.begin(); shared != t_sharedBitmaps.end(); ++shared) {
        if (shared->bitmap == bitmap) {
            if (--shared->users == 0) {
                ::DeleteObject(bitmap);
                t_sharedBitmaps.erase(shared);
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

    BITMAP size = {};
    ::GetObjectA(bitmap, static_cast<int>(sizeof size), &size);
    const RECT& area = item->rcItem;
    const int scale = FaceScale({area.right - area.left, area.bottom - area.top}, {size.bmWidth, size.bmHeight});
    HDC memory = ::CreateCompatibleDC(item->hDC);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const int oldMode = ::SetStretchBltMode(item->hDC, COLORONCOLOR);
    ::StretchBlt(item->hDC, area.left, area.top, size.bmWidth * scale, size.bmHeight * scale, memory, 0, 0,
                 size.bmWidth, size.bmHeight, SRCCOPY);
    ::SetStretchBltMode(item->hDC, oldMode);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return TRUE;
}
