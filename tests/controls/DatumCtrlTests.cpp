// The date control in a host dialog: the button it makes beside itself, its
// rules and dashed form, the focus handling that ignores its own button, the
// opening keys, and the lifetime of control and button objects.
#include "controls/ControlResources.h"
#include "platform/window/Dpi.h"
#include "tests/controls/DatumCtrlFixture.h"
#include "tests/win32/support/DeletionWatch.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/ImportPatch.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <thread>
#include <vector>

namespace test {
namespace {

constexpr int kFirstCtrlId = kCtrlIds.first;
constexpr int kSecondCtrlId = kCtrlIds.second;

// A picture as rows of letters: K black, D dark grey, L light grey,
// W white, ? anything else. "xN" after a row repeats it.
using Picture = std::vector<std::string>;

Picture Expand(std::initializer_list<const char*> rows)
{
    Picture picture;
    for (const char* row : rows) {
        const char* repeat = std::strchr(row, 'x');
        const int count = repeat != nullptr ? std::atoi(repeat + 1) : 1;
        const std::string pixels = repeat != nullptr ? std::string(row, repeat) : std::string(row);
        picture.insert(picture.end(), static_cast<std::size_t>(count), pixels);
    }
    return picture;
}

// Each pixel of the picture as a square of scale by scale pixels.
Picture Scaled(const Picture& picture, std::size_t scale)
{
    Picture scaled;
    for (const std::string& row : picture) {
        std::string wide;
        for (char pixel : row)
            wide.append(scale, pixel);
        scaled.insert(scaled.end(), scale, wide);
    }
    return scaled;
}

// The top-left width x height pixels of the button's face as it paints
// itself now (it asks its parent to draw it, with its current state), read
// back from a 32-bit DIB.
Picture PaintedFace(HWND button, std::size_t width, std::size_t height)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), static_cast<LONG>(width), -static_cast<LONG>(height), 1, 32, BI_RGB,
                      0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, dib);
    ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    ::GdiFlush();
    Picture picture(height, std::string(width, '?'));
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            switch (pixels[y * width + x] & 0xFFFFFF) {
            case 0x000000: picture[y][x] = 'K'; break;
            case 0x808080: picture[y][x] = 'D'; break;
            case 0xC0C0C0: picture[y][x] = 'L'; break;
            case 0xFFFFFF: picture[y][x] = 'W'; break;
            default: break;
            }
        }
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    return picture;
}

::testing::AssertionResult Shows(HWND button, const Picture& expected)
{
    const Picture painted = PaintedFace(button, expected[0].size(), expected.size());
    if (painted == expected)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "expected          painted\n";
    for (std::size_t y = 0; y < expected.size(); ++y)
        failure << expected[y] << (expected[y] == painted[y] ? "   " : " # ") << painted[y] << "\n";
    return failure;
}

// The three faces, row by row as the application's resources give them.
const Picture kRaised = Expand({"KKKKKKKKKKKKKKK", "KWWWWWWWWWWWWDK", "KWLLLLLLLLLLDDKx6", "KWLKKKKKKKLLDDK",
                                "KWLLKKKKKLLLDDK", "KWLLLKKKLLLLDDK", "KWLLLLKLLLLLDDK", "KWLLLLLLLLLLDDKx5",
                                "KWDDDDDDDDDDDDK", "KDDDDDDDDDDDDDK", "KKKKKKKKKKKKKKK"});
const Picture kPressed = Expand({"KKKKKKKKKKKKKKKx2", "KLLLLLLLLLLLLLKx7", "KLLLKKKKKKKLLLK", "KLLLLKKKKKLLLLK",
                                 "KLLLLLKKKLLLLLK", "KLLLLLLKLLLLLLK", "KLLLLLLLLLLLLLKx6", "KKKKKKKKKKKKKKK"});
const Picture kDisabled = Expand({"KKKKKKKKKKKKKKK", "KWWWWWWWWWWWWDK", "KWLLLLLLLLLLDDKx6", "KWLDDDDDDDLLDDK",
                                  "KWLLDDDDDWWLDDK", "KWLLLDDDWWLLDDK", "KWLLLLDWWLLLDDK", "KWLLLLLWLLLLDDK",
                                  "KWLLLLLLLLLLDDKx4", "KWDDDDDDDDDDDDK", "KDDDDDDDDDDDDDK", "KKKKKKKKKKKKKKK"});

// --- the button ---

// A control created from 72 to 168 ends at 153; its button covers 153 to
// 168 with the edit's top and bottom: a sibling in the dialog, id 1001,
// owner-drawn, without a tab stop. MoveControl gives the edit the whole
// rectangle and puts the button at its right edge, keeping the button's
// top, width and height.
TEST_F(DatumCtrlTest, ButtonTakesTheRightFifteenPixels)
{
    HostDialog& dlg = Open();
    HWND edit = CreateCtrl(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, {72, 100, 168, 120});
    ASSERT_NE(edit, nullptr);
    HWND button = Button(1010);
    EXPECT_EQ(NormalRect(edit), (RECT{72, 100, 153, 120}));
    EXPECT_EQ(NormalRect(button), (RECT{153, 100, 168, 120}));
    EXPECT_EQ(::GetParent(button), dlg.m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(button), IDC_POPUPBUTTON);
    EXPECT_EQ(TextOf(button), "Kodpopup");
    EXPECT_EQ(::GetWindowLongPtrA(button, GWL_STYLE), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW);

    const RECT moved{30, 130, 130, 150};
    Ctrl(1010).MoveControl(&moved, TRUE);
    EXPECT_EQ(NormalRect(edit), moved);
    EXPECT_EQ(NormalRect(button), (RECT{130, 100, 145, 120}));
}

// A control created hidden and disabled makes its button hidden and
// disabled; from then on the button follows the control.
TEST_F(DatumCtrlTest, ButtonFollowsTheControlsEnableAndShowState)
{
    Open();
    HWND edit = CreateCtrl(WS_CHILD | WS_DISABLED | WS_BORDER, {72, 100, 168, 120});
    HWND button = Button(1010);
    EXPECT_EQ(NormalRect(edit).right, 153);
    EXPECT_FALSE(::IsWindowVisible(button));
    EXPECT_FALSE(::IsWindowEnabled(button));
    EXPECT_TRUE(Shows(button, kDisabled));

    ::ShowWindow(edit, SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(button));
    ::EnableWindow(edit, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(button));
    ::EnableWindow(edit, FALSE);
    EXPECT_FALSE(::IsWindowEnabled(button));
    ::ShowWindow(edit, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(button));
}

// The faces: the raised one when up or focused, the pressed one while
// pushed, the etched one when the control is disabled, pixel for pixel.
TEST_F(DatumCtrlTest, ButtonShowsTheFaceOfItsState)
{
    HostDialog& dlg = Open();
    HWND button = Button(kFirstCtrlId);
    EXPECT_TRUE(Shows(button, kRaised));
    ::SetFocus(button);
    EXPECT_TRUE(Shows(button, kRaised));
    ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(Shows(button, kPressed));
    ::SendMessageA(button, BM_SETSTATE, FALSE, 0);
    ::EnableWindow(dlg.Item(kFirstCtrlId), FALSE);
    EXPECT_TRUE(Shows(button, kDisabled));
}

// What the buttons' faces cost in GDI objects: every LoadBitmapA of the
// program and every DeleteObject, seen through the import table.
struct FaceLedger {
    static inline void* load = nullptr;
    static inline void* remove = nullptr;
    static inline std::vector<HGDIOBJ> loaded;
    static inline std::vector<HGDIOBJ> deleted;

    static HBITMAP WINAPI Load(HINSTANCE instance, LPCSTR name)
    {
        HBITMAP bitmap = reinterpret_cast<decltype(&::LoadBitmapA)>(load)(instance, name);
        if (bitmap)
            loaded.push_back(bitmap);
        return bitmap;
    }
    static BOOL WINAPI Delete(HGDIOBJ object)
    {
        deleted.push_back(object);
        return reinterpret_cast<decltype(&::DeleteObject)>(remove)(object);
    }
    static int TimesDeleted(HGDIOBJ object)
    {
        return static_cast<int>(std::count(deleted.begin(), deleted.end(), object));
    }
};

// The buttons of one thread share their faces: a dialog of many date
// controls loads each of the three faces once, however many buttons show
// them; a face lives while any button shows it and is deleted once, with the
// last; a control made after that loads the faces anew. A face that one
// thread loads and another lets go of is deleted once too.
TEST_F(DatumCtrlTest, ButtonFacesAreLoadedOnceAndFreedWithTheLastButton)
{
    ImportPatch load("user32.dll", "LoadBitmapA", reinterpret_cast<void*>(&FaceLedger::Load));
    ImportPatch remove("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&FaceLedger::Delete));
    ASSERT_TRUE(load.Applied() && remove.Applied());
    FaceLedger::load = load.Original();
    FaceLedger::remove = remove.Original();
    FaceLedger::loaded.clear();
    FaceLedger::deleted.clear();

    Open();
    std::vector<HWND> more;
    for (int i = 0; i < 20; ++i)
        more.push_back(CreateCtrl(WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 60 + 2 * i, 90, 80 + 2 * i}, 1010 + i));
    ::RedrawWindow(m_dialog->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<HGDIOBJ> faces = FaceLedger::loaded;
    EXPECT_EQ(faces.size(), 3u);   // up, pressed, disabled, for 22 buttons

    for (HWND ctrl : more)
        ::DestroyWindow(ctrl);
    for (HGDIOBJ face : faces)
        EXPECT_EQ(FaceLedger::TimesDeleted(face), 0);   // the dialog's two controls still show them
    m_dialog.reset();
    for (HGDIOBJ face : faces)
        EXPECT_EQ(FaceLedger::TimesDeleted(face), 1);

    Open();
    EXPECT_EQ(FaceLedger::loaded.size(), 6u);
    m_dialog.reset();

    FaceLedger::loaded.clear();   // faces loaded by a thread that has ended when the button lets go
    FaceLedger::deleted.clear();
    auto button = std::make_unique<CBitmapButton>();
    std::thread([&] { button->LoadBitmaps(IDB_KODPOPUP_UP, IDB_KODPOPUP_DOWN, 0, IDB_KODPOPUP_DISABLED); }).join();
    button.reset();
    ASSERT_EQ(FaceLedger::loaded.size(), 3u);
    for (HGDIOBJ face : FaceLedger::loaded)
        EXPECT_EQ(FaceLedger::TimesDeleted(face), 1);
}

// The button is 15 pixels wide at 96 DPI and in proportion at others; its
// face is drawn at the largest whole multiple that fits the button, each
// pixel repeated, never smoothed; where the width is no whole multiple of
// the face's, the face's frame takes the whole button. When the dialog has
// moved to a monitor of another DPI and the system has placed the edit
// anew, the button takes the width for the DPI at the edit's new right
// edge, as high as the edit.
TEST_F(DatumCtrlTest, ButtonAndFaceFollowTheDpi)
{
    const struct {
        UINT dpi;
        LONG width;
    } widths[] = {{96, 15}, {72, 11}, {120, 19}, {144, 23}, {192, 30}, {288, 45}};
    for (const auto& w : widths)
        EXPECT_EQ(CDatumCtrl::ButtonWidthAt(w.dpi), w.width) << w.dpi << " DPI";
    const struct {
        SIZE button;
        int scale;
    } scales[] = {{{15, 20}, 1}, {{15, 14}, 1}, {{23, 36}, 1}, {{30, 49}, 2}, {{30, 30}, 1}, {{45, 60}, 3}};
    for (const auto& f : scales)
        EXPECT_EQ(FaceScale(f.button, {15, 20}), f.scale) << f.button.cx << " x " << f.button.cy;

    // The field of the template at the DPI the tests run at (a run may set
    // CORVANEL_WINE_DPI for its Wine prefix): the button as wide as the DPI
    // asks, as high as the edit, at its right edge.
    HostDialog& dlg = Open();
    const HWND edit = dlg.Item(kFirstCtrlId);
    const HWND button = Button(kFirstCtrlId);
    const UINT dpi = platform::DpiForWindow(edit);
    if (const char* runDpi = std::getenv("CORVANEL_WINE_DPI")) {
        EXPECT_EQ(dpi, static_cast<UINT>(std::atoi(runDpi)));
    }
    const LONG width = CDatumCtrl::ButtonWidthAt(dpi);
    const RECT field = NormalRect(edit);
    EXPECT_EQ(NormalRect(button), (RECT{field.right, field.top, field.right + width, field.bottom}));
    const LONG height = field.bottom - field.top;
    const auto scale = static_cast<std::size_t>(FaceScale({width, height}, {15, 20}));
    if (width % 15 == 0) {
        EXPECT_TRUE(Shows(button, Scaled(kRaised, scale)));
    } else {   // the face's frame at the button's own corners (at 120 DPI, say)
        const Picture face = Scaled(kRaised, scale);
        const Picture painted = PaintedFace(button, static_cast<std::size_t>(width), static_cast<std::size_t>(height));
        const std::size_t frame = 3 * scale;
        for (std::size_t y = 0; y < frame; ++y) {
            for (std::size_t x = 0; x < frame; ++x) {
                const std::size_t right = painted[0].size() - frame + x;
                const std::size_t bottom = painted.size() - frame + y;
                EXPECT_EQ(painted[y][x], face[y][x]) << x << ", " << y;
                EXPECT_EQ(painted[y][right], face[y][face[0].size() - frame + x]) << right << ", " << y;
                EXPECT_EQ(painted[bottom][x], face[face.size() - frame + y][x]) << x << ", " << bottom;
                EXPECT_EQ(painted[bottom][right], face[face.size() - frame + y][face[0].size() - frame + x])
                    << right << ", " << bottom;
            }
        }
    }

    ::MoveWindow(button, 0, 0, 30, 49, TRUE);
    EXPECT_TRUE(Shows(button, Scaled(kRaised, 2)));
    // A width that is no whole multiple of the face's, as at 120 and 144
    // DPI: the frame takes the whole button, the face's middle is centred in
    // it, and the rest of the middle has the face's colour.
    const struct {
        WPARAM pushed;
        Picture face;
    } framed[] = {
        {FALSE, Expand({"KKKKKKKKKKKKKKKKKKK", "KWWWWWWWWWWWWWWWWDK", "KWLLLLLLLLLLLLLLDDKx8", "KWLLLKKKKKKKLLLLDDK",
                        "KWLLLLKKKKKLLLLLDDK", "KWLLLLLKKKLLLLLLDDK", "KWLLLLLLKLLLLLLLDDK", "KWLLLLLLLLLLLLLLDDKx8",
                        "KWDDDDDDDDDDDDDDDDK", "KDDDDDDDDDDDDDDDDDK", "KKKKKKKKKKKKKKKKKKK"})},
        {TRUE, Expand({"KKKKKKKKKKKKKKKKKKKx2", "KLLLLLLLLLLLLLLLLLKx9", "KLLLLLKKKKKKKLLLLLK", "KLLLLLLKKKKKLLLLLLK",
                       "KLLLLLLLKKKLLLLLLLK", "KLLLLLLLLKLLLLLLLLK", "KLLLLLLLLLLLLLLLLLKx9", "KKKKKKKKKKKKKKKKKKK"})},
    };
    ::MoveWindow(button, 0, 0, 19, 25, TRUE);
    for (const auto& f : framed) {
        ::SendMessageA(button, BM_SETSTATE, f.pushed, 0);
        EXPECT_TRUE(Shows(button, f.face)) << (f.pushed ? "pushed" : "up");
    }
    ::SendMessageA(button, BM_SETSTATE, FALSE, 0);
    ::MoveWindow(edit, 40, 60, 160, 40, TRUE);
    ::SendMessageA(edit, WM_DPICHANGED_AFTERPARENT, 0, 0);
    EXPECT_EQ(NormalRect(button), (RECT{200, 60, 200 + width, 100}));
}

// Tab and Shift+Tab pass over the buttons of both controls.
TEST_F(DatumCtrlTest, TabNeverStopsOnTheButton)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstCtrlId);
    std::vector<int> forward;
    std::vector<int> backward;
    for (int i = 0; i < 5; ++i) {
        dlg.Tab();
        forward.push_back(dlg.FocusId());
    }
    for (int i = 0; i < 5; ++i) {
        ::SendMessageA(dlg.m_hWnd, WM_NEXTDLGCTL, 1, FALSE);
        dlg.Pump();
        backward.push_back(dlg.FocusId());
    }
    EXPECT_EQ(forward, (std::vector<int>{kSecondCtrlId, kCtrlIds.plainEdit, IDOK, IDCANCEL, kFirstCtrlId}));
    EXPECT_EQ(backward, (std::vector<int>{IDCANCEL, IDOK, kCtrlIds.plainEdit, kSecondCtrlId, kFirstCtrlId}));
}

// --- rules and forms ---

// A text that begins with "2" and is shorter than 8 characters is refused,
// although 200115 parses as a date; accepted texts are rewritten dashed.
TEST_F(DatumCtrlTest, RulesRefuseShortTextsBeginningWithTwoAndRewriteDashed)
{
    HostDialog& dlg = Open();
    struct Case {
        const char* text;
        bool valid;
        const char* normalized;
    };
    const Case cases[] = {
        {"200115", false, ""},     {"2", false, ""},          {"2007011", false, ""},
        {"1", false, ""},          {"abc", false, ""},        {"20070231", false, ""},
        {"", true, ""},            {"070115", true, "2007-01-15"},   {"991231", true, "1999-12-31"},
        {"20070115", true, "2007-01-15"}, {"2007-01-15", true, "2007-01-15"},
    };
    CDatumCtrl& ctrl = Ctrl(kFirstCtrlId);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ::SetWindowTextA(dlg.Item(kFirstCtrlId), c.text);
        EXPECT_EQ(ctrl.IsValid() != FALSE, c.valid);
        if (c.valid) {
            ctrl.Normalize();
            EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), c.normalized);
        }
    }
}

// The road of a typed date: letters dropped, each change reported, the
// text rewritten dashed on leaving and the exit reported as a change. A
// refused text keeps the focus and is not rewritten.
TEST_F(DatumCtrlTest, TypedDateIsRewrittenDashedOnExit)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstCtrlId);
    dlg.Type(kFirstCtrlId, "20a0115");
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kFirstCtrlId);
    EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "200115");

    ::SetWindowTextA(dlg.Item(kFirstCtrlId), "070115");
    ProtocolLog log(dlg);
    dlg.Tab();
    EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "2007-01-15");
    const Expect expected[] = {NextControl(), Change(kFirstCtrlId), ExitChanged(kFirstCtrlId)};
    EXPECT_TRUE(log.Matches(expected));
}

// DCM_VALUETOTEXT writes the dashed form whatever the limit, for both kinds of bound value.
TEST_F(DatumCtrlTest, ValueToTextIsAlwaysDashed)
{
    for (int maxLen : {10, 8, 6, 0}) {
        SCOPED_TRACE(maxLen);
        HostDialog& dlg = Open({.maxLen = maxLen}, {.maxLen = maxLen, .dateTime = true});
        dlg.date[0].Parse("20240105");
        dlg.dateTime[1].Parse("20240105");
        EXPECT_EQ(::SendMessageA(dlg.Item(kFirstCtrlId), DCM_VALUETOTEXT, 0, 0), 0);
        EXPECT_EQ(::SendMessageA(dlg.Item(kSecondCtrlId), DCM_VALUETOTEXT, 0, 0), 0);
        EXPECT_EQ(dlg.text[0], "2024-01-05");
        EXPECT_EQ(dlg.text[1], "2024-01-05");
    }
}

// --- focus ---

// A move to the own button stops the focus-out procedure: no check, no
// rewrite, no notification; the button tells its control. DCM_EXITCHECK
// then only consumes the button's signal; without it, it runs the check.
TEST_F(DatumCtrlTest, OwnButtonStopsTheFocusOut)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstCtrlId);
    ::SetWindowTextA(dlg.Item(kFirstCtrlId), "070115");
    ProtocolLog log(dlg);
    ::SetFocus(Button(kFirstCtrlId));
    dlg.Pump();
    EXPECT_NE(::SendMessageA(Button(kFirstCtrlId), BM_GETSTATE, 0, 0) & BST_FOCUS, 0);   // drawn focused
    EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "070115");
    const Expect toButton[] = {Request(DCM_BUTTONFOCUS, kRoleFirst)};
    EXPECT_TRUE(log.Matches(toButton));

    dlg.Focus(kFirstCtrlId);   // the entry text is 070115 now
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstCtrlId), DCM_BUTTONFOCUS, 0, 0), 0);
    log.Clear();
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstCtrlId), DCM_EXITCHECK, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstCtrlId), DCM_EXITCHECK, 0, 0), 0);
    EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "2007-01-15");
    const Expect checks[] = {Request(DCM_EXITCHECK, kRoleFirst), Request(DCM_EXITCHECK, kRoleFirst), Change(kFirstCtrlId),
                             ExitUnchanged(kFirstCtrlId)};
    EXPECT_TRUE(log.Matches(checks));
}

// The other control's button has the same id 1001 but another position:
// a move to it runs the focus-out procedure in full, also where the two
// controls stand side by side in one row and the buttons share their top
// edge. An accepted text is rewritten and reported; a refused one takes the
// focus back.
TEST_F(DatumCtrlTest, AnotherControlsButtonRunsTheFocusOut)
{
    for (const bool sideBySide : {false, true}) {
        for (const bool accepted : {true, false}) {
            SCOPED_TRACE(::testing::Message() << (sideBySide ? "side by side" : "one below the other")
                                              << (accepted ? ", accepted" : ", refused"));
            HostDialog& dlg = Open();
            if (sideBySide) {   // the second control right of the first one's button, in its row
                const RECT field = NormalRect(dlg.Item(kFirstCtrlId));
                const RECT button = NormalRect(Button(kFirstCtrlId));
                const LONG width = field.right - field.left;
                const LONG left = button.right + 10;
                ::MoveWindow(dlg.Item(kSecondCtrlId), left, field.top, width, field.bottom - field.top, TRUE);
                ::MoveWindow(Button(kSecondCtrlId), left + width, button.top, button.right - button.left,
                             button.bottom - button.top, TRUE);
                ASSERT_EQ(NormalRect(Button(kSecondCtrlId)).top, button.top);
            }
            dlg.Focus(kFirstCtrlId);
            ::SetWindowTextA(dlg.Item(kFirstCtrlId), accepted ? "070115" : "070231");
            ProtocolLog log(dlg);
            ::SetFocus(Button(kSecondCtrlId));
            dlg.Pump();
            if (accepted) {
                EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "2007-01-15");
                const Expect expected[] = {Change(kFirstCtrlId), ExitChanged(kFirstCtrlId),
                                           Request(DCM_BUTTONFOCUS, kRoleSecond)};
                EXPECT_TRUE(log.Matches(expected));
            } else {
                EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "070231");
                EXPECT_EQ(dlg.FocusId(), kFirstCtrlId);
            }
        }
    }
}

// After DCM_YIELDFOCUS the next focus loss runs no check; the one after does.
TEST_F(DatumCtrlTest, YieldSkipsOneFocusOut)
{
    HostDialog& dlg = Open();
    dlg.Focus(kFirstCtrlId);
    ::SetWindowTextA(dlg.Item(kFirstCtrlId), "200115");
    EXPECT_EQ(::SendMessageA(dlg.Item(kFirstCtrlId), DCM_YIELDFOCUS, 0, 0), 0);
    ProtocolLog log(dlg);
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kSecondCtrlId);
    dlg.Focus(kFirstCtrlId);
    dlg.Tab();
    EXPECT_EQ(dlg.FocusId(), kFirstCtrlId);   // refused this time
    const Expect expected[] = {NextControl(), NextControl(), ExitUnchanged(kSecondCtrlId), NextControl(),
                               Request(DCM_YIELDFOCUS, kRoleSecond)};
    EXPECT_TRUE(log.Matches(expected));
}

// An unbound control has its button but reacts to no focus change and no host command.
TEST_F(DatumCtrlTest, UnboundControlStaysQuiet)
{
    HostDialog& dlg = Open({.bind = false});
    EXPECT_TRUE(::IsWindow(Button(kFirstCtrlId)));
    dlg.Focus(kFirstCtrlId);
    ProtocolLog log(dlg);
    dlg.Type(kFirstCtrlId, "070115");
    dlg.Tab();
    for (UINT command : {DCM_CLEAR, DCM_TEXTTOVALUE, DCM_VERIFY, DCM_EXITCHECK})
        ::SendMessageA(dlg.Item(kFirstCtrlId), command, 0, 0);
    EXPECT_EQ(TextOf(dlg.Item(kFirstCtrlId)), "070115");
    for (const Recorded& entry : log.Log())
        EXPECT_TRUE(entry.role != kRoleParent || entry.message == WM_NEXTDLGCTL) << log.Describe(entry);
}

// --- keys ---

// Down posts DCM_OPENPOPUP to the control and the edit still moves its
// caret; other keys post nothing.
TEST_F(DatumCtrlTest, DownPostsTheOpenRequestAndTheEditGetsTheKey)
{
    HostDialog& dlg = Open({.initial = "2007-01-15"});
    HWND edit = dlg.Item(kFirstCtrlId);
    ::SendMessageA(edit, EM_SETSEL, 0, 0);
    MSG posted;
    ::SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_FALSE(::PeekMessageA(&posted, edit, DCM_OPENPOPUP, DCM_OPENPOPUP, PM_REMOVE));
    ::SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(::PeekMessageA(&posted, edit, DCM_OPENPOPUP, DCM_OPENPOPUP, PM_REMOVE));
    DWORD start = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 1u);
}

// F4 and Alt+Down post the open request like Down; Up and Alt+Up post
// nothing. A date edit has no calendar: no key posts anything there.
TEST_F(DatumCtrlTest, OpeningKeysPostTheOpenRequestInTheDateControlOnly)
{
    constexpr LPARAM kAlt = static_cast<LPARAM>(KF_ALTDOWN) << 16 | 1;
    const struct { UINT message; WPARAM key; LPARAM flags; bool opens; } cases[] = {
        {WM_KEYDOWN, VK_DOWN, 1, true}, {WM_KEYDOWN, VK_F4, 1, true}, {WM_SYSKEYDOWN, VK_DOWN, kAlt, true},
        {WM_KEYDOWN, VK_UP, 1, false},  {WM_SYSKEYDOWN, VK_UP, kAlt, false},
    };
    RegisterDatumEditClass();
    const HWND ctrl = Open({.initial = "2007-01-15"}).Item(kFirstCtrlId);
    HostDialog edits("DatumEdit", {.initial = "20070115"});
    ASSERT_TRUE(edits.Open());
    for (const auto& c : cases) {
        for (HWND field : {ctrl, edits.Item(kFirstId)}) {
            const char* where = field == ctrl ? "DatumCtrl" : "DatumEdit";
            SCOPED_TRACE(::testing::Message() << "key " << c.key << " in a " << where);
            ::SendMessageA(field, c.message, c.key, c.flags);
            MSG posted;
            EXPECT_EQ(::PeekMessageA(&posted, field, DCM_OPENPOPUP, DCM_OPENPOPUP, PM_REMOVE) != FALSE,
                      c.opens && field == ctrl);
        }
    }
}

// --- registration and lifetime ---

// Registering twice finds the class with its own procedure; a template item
// of the class gets a CDatumCtrl, which the dialog's look-up returns.
TEST_F(DatumCtrlTest, ClassMakesDatumCtrlObjects)
{
    EXPECT_TRUE(RegisterDatumCtrlClass());
    WNDCLASSA record{};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "DatumCtrl", &record));
    EXPECT_EQ(record.lpfnWndProc, &DatumCtrlClassProc);
    HostDialog& dlg = Open();
    EXPECT_NE(dynamic_cast<CDatumCtrl*>(CWnd::FromHandlePermanent(dlg.Item(kFirstCtrlId))), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.Item(kFirstCtrlId)), dlg.GetDlgItem(kFirstCtrlId));
}

// Destroying a dialog with several date controls deletes every control and
// button object once, whichever of edit and button goes first; destroying
// one control alone takes its button window with it.
TEST_F(DatumCtrlTest, ControlsAndButtonsAreDeletedOnce)
{
    DeletionWatch deletions;
    Open();
    const HWND third = CreateCtrl(WS_CHILD | WS_VISIBLE, {72, 100, 168, 120}, 1010);
    const HWND fourth = CreateCtrl(WS_CHILD | WS_VISIBLE, {72, 130, 168, 150}, 1011);
    const HWND fields[] = {m_dialog->Item(kFirstCtrlId), m_dialog->Item(kSecondCtrlId), third, fourth};
    const HWND buttons[] = {Button(kFirstCtrlId), Button(kSecondCtrlId), Button(1010), Button(1011)};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(deletions.Watch(fields[i]) && deletions.Watch(buttons[i]));
    auto deleted = [&](int i) { return std::pair{deletions.Deletions(fields[i]), deletions.Deletions(buttons[i])}; };

    ::DestroyWindow(buttons[3]);   // the button window first: its object lives on with the control
    EXPECT_EQ(deleted(3), std::pair(0, 0));
    ::DestroyWindow(fourth);
    ::DestroyWindow(third);
    EXPECT_FALSE(::IsWindow(buttons[2]));
    EXPECT_EQ(deleted(3), std::pair(1, 1));
    EXPECT_EQ(deleted(2), std::pair(1, 1));
    EXPECT_EQ(deleted(0), std::pair(0, 0));

    m_dialog.reset();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(deleted(i), std::pair(1, 1)) << "control " << i;
        EXPECT_FALSE(::IsWindow(buttons[i]));
    }
}

// What the screen shows of a field's text: the columns of the pixels that
// are not the window's background, and the darkest of them.
struct Ink {
    LONG left = LONG_MAX;
    LONG right = -1;
    std::uint32_t darkest = 0xFF;
    LONG Width() const { return right < left ? 0 : right - left + 1; }
};

Ink InkOf(HWND field)
{
    ::RedrawWindow(field, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    ::GetClientRect(field, &client);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);   // as a DIB holds it: red high, blue low
    const std::uint32_t background = (window & 0xFF) << 16 | (window & 0xFF00) | (window >> 16 & 0xFF);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = ::GetDC(field);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    Ink ink;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (LONG y = 0; y < client.bottom; ++y) {
        for (LONG x = 0; x < client.right; ++x) {
            const std::uint32_t pixel = pixels[y * client.right + x] & 0xFFFFFF;
            if (pixel == background)
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.darkest = std::min(ink.darkest, pixel & 0xFF);
        }
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(field, screen);
    return ink;
}

// The width of a text in the field's own font.
LONG TextWidth(HWND field, const char* text)
{
    const HDC dc = ::GetDC(field);
    const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(field, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(field, dc);
    return size.cx;
}

// Under DCF_HINT an empty field shows its form in grey, in its own font (or
// the system's when it has none) at the DPI it runs at, with the focus and
// without: the display form, or the locale's order under DCF_LOCALFORMS.
// The hint is never text: the window text stays empty, and the accessible
// description names the form. A digit takes the hint away.
TEST_F(DatumCtrlTest, AnEmptyFieldShowsItsFormInGrey)
{
    // The second field is bound with no length limit: the hint does not depend on one.
    HostDialog& dlg = Open({.flags = DCF_HINT}, {.maxLen = 0, .flags = DCF_HINT | DCF_LOCALFORMS, .locale = L"de-DE"});
    const struct {
        int id;
        const char* hint;
    } fields[] = {{kFirstCtrlId, "yyyy-mm-dd"}, {kSecondCtrlId, "dd.mm.yyyy"}};
    ::SendMessageA(dlg.Item(kSecondCtrlId), WM_SETFONT, 0, FALSE);   // the second draws in the system's font
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const std::uint32_t grey = ::GetSysColor(COLOR_GRAYTEXT) >> 16 & 0xFF;
    for (const auto& f : fields) {
        SCOPED_TRACE(f.hint);
        const HWND field = dlg.Item(f.id);
        for (const bool focused : {false, true}) {
            dlg.Focus(focused ? f.id : kCtrlIds.plainEdit);
            const Ink ink = InkOf(field);
            EXPECT_NEAR(ink.Width(), TextWidth(field, f.hint), 3) << "focused " << focused;
            if (!focused) {   // no caret: the darkest pixel is the grey of the text, none black
                EXPECT_EQ(ink.darkest, grey);
            }
        }
        EXPECT_EQ(TextOf(field), "");
        EXPECT_EQ(DescriptionOf(field), f.hint);
        dlg.Type(f.id, "8");
        dlg.Focus(kCtrlIds.plainEdit);
        const Ink digit = InkOf(field);
        EXPECT_NEAR(digit.Width(), TextWidth(field, "8"), 2);
    }
    ::OleUninitialize();
}

} // namespace
} // namespace test
