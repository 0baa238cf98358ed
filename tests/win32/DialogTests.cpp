// Tests of dialogs: modal results, ownership of nested modal dialogs, modeless
// dialogs, and data exchange with its checks.
#include "platform/window/DataExchange.h"
#include "platform/window/Module.h"
#include "tests/win32/support/DialogTemplate.h"
#include "tests/win32/support/MessageBoxCounter.h"
#include "tests/win32/support/Pump.h"
#include "tests/win32/support/ScriptedDialog.h"

#include <gtest/gtest.h>

using namespace test;

namespace {

DialogTemplate NameTemplate()
{
    DialogTemplate form({.cx = 160, .cy = 70, .title = "Name"});
    form.Add(EditBox(100, 10, 10))
        .Add(EditBox(101, 10, 28))
        .Add(DefPushButton("OK", IDOK, 10, 50))
        .Add(PushButton("Cancel", IDCANCEL, 70, 50));
    return form;
}

// Binds edit 100 to name (at most 5 characters) and edit 101 to note.
void BindNameAndNote(ScriptedDialog& dialog, CString& name, CString& note)
{
    dialog.exchange = [&name, &note](CDataExchange* pDX) {
        DDX_Text(pDX, 100, name);
        DDV_MaxChars(pDX, name, 5);
        DDX_Text(pDX, 101, note);
    };
}

HWND FocusOrDialog(const CWnd& dialog)
{
    HWND focus = ::GetFocus();
    return focus ? focus : dialog.m_hWnd;
}

} // namespace

// OK ends with IDOK and stores the text; Escape and the close box end with
// IDCANCEL and store nothing.
TEST(ModalDialog, OkEscapeAndCloseBox)
{
    struct Case {
        const char* how;
        void (*close)(ScriptedDialog& dialog);
        INT_PTR result;
        const char* stored;
    };
    const Case kCases[] = {
        {"OK button", [](ScriptedDialog& d) { ::PostMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, IDOK, "typed"},
        {"Escape", [](ScriptedDialog& d) { ::PostMessageA(FocusOrDialog(d), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL,
         "start"},
        {"close box", [](ScriptedDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL, "start"},
    };
    for (const Case& c : kCases) {
        DialogTemplate form = NameTemplate();
        ScriptedDialog dialog(form.Get());
        CString name = "start";
        CString note;
        BindNameAndNote(dialog, name, note);
        dialog.script = [&c](ScriptedDialog& d) {
            ::SetDlgItemTextA(d, 100, "typed");
            c.close(d);
        };
        EXPECT_EQ(dialog.DoModal(), c.result) << c.how;
        EXPECT_EQ(name, c.stored) << c.how;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.how;
    }
}

// Initialisation loads the members and the limit into the controls; OK with
// a text over the limit shows one message box, puts the focus on the field
// and keeps the dialog open; a fixed text then ends it with IDOK.
TEST(DataExchange, LoadSaveAndMaxChars)
{
    DialogTemplate form = NameTemplate();
    ScriptedDialog dialog(form.Get());
    CString name = "abc";
    CString note = "first";
    BindNameAndNote(dialog, name, note);
    MessageBoxCounter boxes;
    char loaded[32] = {};
    LRESULT limit = 0;
    bool openAfterFailure = false;
    int focusAfterFailure = 0;
    CString noteAfterFailure;
    dialog.script = [&](ScriptedDialog& d) {
        ::GetDlgItemTextA(d, 100, loaded, sizeof loaded);
        limit = ::SendDlgItemMessageA(d, 100, EM_GETLIMITTEXT, 0, 0);
        ::SetDlgItemTextA(d, 101, "second");
        ::SetDlgItemTextA(d, 100, "toolong");
        d.SendMessage(WM_COMMAND, IDOK);
        openAfterFailure = ::IsWindow(d) && ::IsWindowVisible(d);
        focusAfterFailure = ::GetDlgCtrlID(::GetFocus());
        noteAfterFailure = note;
        ::SetDlgItemTextA(d, 100, "short");
        d.SendMessage(WM_COMMAND, IDOK);
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_STREQ(loaded, "abc");
    EXPECT_EQ(limit, 5);
    EXPECT_TRUE(openAfterFailure);
    EXPECT_EQ(focusAfterFailure, 100);
    EXPECT_EQ(noteAfterFailure, "first");  // the exchange stopped at the failed check
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.lastType & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.lastCaption, "framework_tests");   // no application title among the resources: the file name
    EXPECT_EQ(name, "short");
    EXPECT_EQ(note, "second");
}

// A modal dialog opened without a parent inside another one's handler is
// owned by it and disables it; with a main window the owner is the main
// window's last active popup.
TEST(ModalDialog, NestedDialogIsOwnedByTheRunningOne)
{
    for (bool withMainWindow : {false, true}) {
        DialogTemplate frame({.cx = 100, .cy = 60, .title = "Main"});
        CDialog mainWindow(frame.Get());
        if (withMainWindow) {
            ASSERT_TRUE(mainWindow.CreateIndirect(frame.Get()));
            AfxSetMainWnd(&mainWindow);
        }
        DialogTemplate outerForm = NameTemplate();
        DialogTemplate innerForm({.cx = 80, .cy = 40, .title = "Inner"});
        ScriptedDialog outer(outerForm.Get());
        HWND outerWindow = nullptr;
        HWND outerOwner = nullptr;
        HWND innerOwner = nullptr;
        bool outerEnabledDuringInner = true;
        bool outerEnabledAfterInner = false;
        INT_PTR innerResult = 0;
        outer.script = [&](ScriptedDialog& o) {
            outerWindow = o.m_hWnd;
            outerOwner = ::GetWindow(o, GW_OWNER);
            ScriptedDialog inner(innerForm.Get());
            inner.script = [&](ScriptedDialog& i) {
                innerOwner = ::GetWindow(i, GW_OWNER);
                outerEnabledDuringInner = ::IsWindowEnabled(o) != FALSE;
                i.EndDialog(IDOK);
            };
            innerResult = inner.DoModal();
            outerEnabledAfterInner = ::IsWindowEnabled(o) != FALSE;
            o.EndDialog(IDCANCEL);
        };

        EXPECT_EQ(outer.DoModal(), IDCANCEL);

        SCOPED_TRACE(withMainWindow ? "with a main window" : "without a main window");
        EXPECT_EQ(outerOwner, withMainWindow ? mainWindow.m_hWnd : nullptr);
        EXPECT_EQ(innerResult, IDOK);
        EXPECT_EQ(innerOwner, outerWindow);
        EXPECT_FALSE(outerEnabledDuringInner);
        EXPECT_TRUE(outerEnabledAfterInner);
        AfxSetMainWnd(nullptr);
    }
}

// A modeless dialog loads its members at creation and is destroyed by Cancel.
TEST(ModelessDialog, CreateLoadsAndCancelDestroys)
{
    DialogTemplate form = NameTemplate();
    ScriptedDialog dialog(form.Get());
    CString name = "modeless";
    CString note;
    BindNameAndNote(dialog, name, note);

    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    char loaded[32] = {};
    ::GetDlgItemTextA(dialog, 100, loaded, sizeof loaded);
    EXPECT_STREQ(loaded, "modeless");
    HWND hWnd = dialog.m_hWnd;

    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    PumpMessages();
}
