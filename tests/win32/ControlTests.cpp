// Tests of the control wrappers and the message box: the bitmap button's
// faces, the month calendar's minimum size, prompts from the string table.
#include "platform/window/BitmapButton.h"
#include "platform/window/Dialog.h"
#include "platform/window/MonthCalCtrl.h"
#include "tests/win32/FrameworkResources.h"
#include "tests/win32/support/DialogTemplate.h"
#include "tests/win32/support/MessageBoxCounter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace test;

namespace {

constexpr int kFaceWidth = 15;
constexpr int kFaceHeight = 20;

// Pixels as 0x00RRGGBB, top row first, of what draw() paints into a 32-bit DIB.
template <class Draw>
std::vector<std::uint32_t> Capture(Draw draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kFaceWidth;
    info.bmiHeader.biHeight = -kFaceHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, dib);
    draw(memory);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(kFaceWidth * kFaceHeight);
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
    ::SelectObject(memory, previous);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    for (auto& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The face as the button paints it: the button's own painting code, which
// asks its parent to draw it (WM_DRAWITEM) with the button's current state.
std::vector<std::uint32_t> PaintedFace(HWND button)
{
    return Capture([button](HDC dc) {
        ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

std::vector<std::uint32_t> ResourceFace(UINT id)
{
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), win32::ResourceId(id));
    auto pixels = Capture([bitmap](HDC dc) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ previous = ::SelectObject(source, bitmap);
        ::BitBlt(dc, 0, 0, kFaceWidth, kFaceHeight, source, 0, 0, SRCCOPY);
        ::SelectObject(source, previous);
        ::DeleteDC(source);
    });
    ::DeleteObject(bitmap);
    return pixels;
}

::testing::AssertionResult Shows(HWND button, UINT expectedFace)
{
    const auto painted = PaintedFace(button);
    if (painted == ResourceFace(expectedFace))
        return ::testing::AssertionSuccess();
    const struct {
        UINT id;
        const char* name;
    } kFaces[] = {{IDB_FACE_UP, "up"}, {IDB_FACE_DOWN, "down"}, {IDB_FACE_FOCUS, "focus"},
                  {IDB_FACE_DISABLED, "disabled"}};
    for (const auto& face : kFaces) {
        if (painted == ResourceFace(face.id))
            return ::testing::AssertionFailure() << "the button shows the " << face.name << " face";
    }
    return ::testing::AssertionFailure() << "the button shows none of the faces; top-left pixel "
                                         << std::hex << painted[0];
}

} // namespace

// The faces come out of the text pictures pixel for pixel, palette included.
TEST(BitmapButton, FacesMatchTheirTextPictures)
{
    const auto up = ResourceFace(IDB_FACE_UP);
    const auto down = ResourceFace(IDB_FACE_DOWN);
    EXPECT_EQ(up[0], 0x000000u);                              // K, top left
    EXPECT_EQ(up[1 * kFaceWidth + 1], 0xFFFF00u);             // Y, row 1
    EXPECT_EQ(up[10 * kFaceWidth + 7], 0xFFFFFFu);            // W
    EXPECT_EQ(down[10 * kFaceWidth + 7], 0xFF0000u);          // R
    EXPECT_EQ(down[18 * kFaceWidth + 13], 0x0000FFu);         // B, bottom right, so rows are not flipped
    EXPECT_EQ(ResourceFace(IDB_FACE_DISABLED)[5 * kFaceWidth + 5], 0x808080u);   // D
    EXPECT_EQ(ResourceFace(IDB_FACE_DISABLED)[0], 0xC0C0C0u);                    // L
    EXPECT_EQ(ResourceFace(IDB_FACE_FOCUS)[3 * kFaceWidth + 7], 0x000080u);      // N
}

// The button shows the face of its state, with disabled over pressed over
// focused over up.
TEST(BitmapButton, DrawsTheFaceOfItsState)
{
    DialogTemplate form({.cx = 120, .cy = 60, .title = "Faces"});
    form.Add(EditBox(100, 40, 10, 60));
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CBitmapButton button;
    ASSERT_TRUE(button.Create("Face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 25, 30}, &dialog, 200));
    ASSERT_TRUE(button.LoadBitmaps(IDB_FACE_UP, IDB_FACE_DOWN, IDB_FACE_FOCUS, IDB_FACE_DISABLED));
    ::SetForegroundWindow(dialog);
    ::SetFocus(::GetDlgItem(dialog, 100));

    EXPECT_TRUE(Shows(button, IDB_FACE_UP));
    button.SetFocus();
    EXPECT_TRUE(Shows(button, IDB_FACE_FOCUS));
    button.SetState(TRUE);
    EXPECT_TRUE(Shows(button, IDB_FACE_DOWN));
    button.EnableWindow(FALSE);
    EXPECT_TRUE(Shows(button, IDB_FACE_DISABLED));
    button.EnableWindow(TRUE);
    button.SetState(FALSE);
    ::SetFocus(::GetDlgItem(dialog, 100));
    EXPECT_TRUE(Shows(button, IDB_FACE_UP));
}

// A button with only the up face shows it in every state.
TEST(BitmapButton, UpFaceStandsInForMissingOnes)
{
    DialogTemplate form({.cx = 120, .cy = 60, .title = "One face"});
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CBitmapButton button;
    ASSERT_TRUE(button.Create("Face", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 25, 30}, &dialog, 200));
    ASSERT_TRUE(button.LoadBitmaps(IDB_FACE_UP));
    button.SetState(TRUE);
    EXPECT_TRUE(Shows(button, IDB_FACE_UP));
    button.EnableWindow(FALSE);
    EXPECT_TRUE(Shows(button, IDB_FACE_UP));
    EXPECT_FALSE(button.LoadBitmaps(IDB_FACE_UP, 999));
}

// SizeMinReq gives a calendar that is too small or too large exactly its
// minimum size, keeping its position.
TEST(MonthCalendar, SizeMinReqGivesTheMinimumSizeInPlace)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
    for (short size : {short{20}, short{280}}) {
        DialogTemplate form({.cx = 320, .cy = 240, .title = "Calendar"});
        form.Add({.className = "SysMonthCal32", .text = "", .id = 1002,
                  .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP, .x = 5, .y = 7, .cx = size, .cy = size});
        CDialog dialog(form.Get());
        ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
        CMonthCalCtrl calendar;
        ASSERT_TRUE(calendar.SubclassDlgItem(1002, &dialog));
        RECT before = {};
        calendar.GetWindowRect(&before);
        RECT minimum = {};
        ASSERT_TRUE(calendar.SendMessage(MCM_GETMINREQRECT, 0, win32::ToLParam(&minimum)));

        EXPECT_TRUE(calendar.SizeMinReq());

        RECT after = {};
        calendar.GetWindowRect(&after);
        SCOPED_TRACE(size);
        EXPECT_NE(before.right - before.left, after.right - after.left);
        EXPECT_EQ(after.right - after.left, minimum.right - minimum.left);
        EXPECT_EQ(after.bottom - after.top, minimum.bottom - minimum.top);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
    }
}

// A prompt comes from the string table with its own id as help context; a
// prompt missing from it still gives a readable text.
TEST(MessageBox, PromptsByStringId)
{
    MessageBoxCounter boxes(IDCANCEL);
    EXPECT_EQ(AfxMessageBox(IDS_WEEK, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(boxes.lastText, "Seven days make a week.");
    EXPECT_EQ(boxes.lastType, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(boxes.lastHelpId, static_cast<UINT>(IDS_WEEK));

    AfxMessageBox(100, MB_OK, 0xFFFFFFFF);
    EXPECT_NE(std::strstr(boxes.lastText.GetString(), "100"), nullptr) << boxes.lastText.GetString();
    EXPECT_EQ(boxes.lastHelpId, 100u);
    EXPECT_EQ(boxes.count, 2);
}
