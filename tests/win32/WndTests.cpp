// Tests of window objects: the handle map, temporary objects, default
// processing, the end of a window's life and the reflection of notifications.
#include "platform/window/Button.h"
#include "platform/window/Edit.h"
#include "tests/win32/support/DeletionWatch.h"
#include "tests/win32/support/DialogTemplate.h"
#include "tests/win32/support/MessageRecorder.h"
#include "tests/win32/support/ScriptedDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace test;

namespace {

constexpr UINT kOuter = WM_APP + 1;
constexpr UINT kInner = WM_APP + 2;
constexpr UINT kTellParent = WM_APP + 3;

// Two edits (100, 101), a plain edit (102), two buttons (103, 105), OK and Cancel.
DialogTemplate FormTemplate(const char* editClass = "EDIT")
{
    DialogTemplate form({.cx = 200, .cy = 110, .title = "Form"});
    form.Add(EditBox(100, 10, 10, 80, editClass))
        .Add(EditBox(101, 10, 28, 80, editClass))
        .Add(EditBox(102, 10, 46))
        .Add(PushButton("Act", 103, 110, 10))
        .Add(PushButton("Other", 105, 110, 28))
        .Add(DefPushButton("OK", IDOK, 10, 80))
        .Add(PushButton("Cancel", IDCANCEL, 70, 80));
    return form;
}

std::vector<std::string>& Journal()
{
    static std::vector<std::string> journal;
    return journal;
}

// An edit that writes its reflected notifications into the journal and
// tells its parent of each change.
class CJournalEdit : public CEdit {
public:
    explicit CJournalEdit(const char* name) : m_name(name) {}

protected:
    const MessageMap* GetMessageMap() const override
    {
        static constexpr MessageMapEntry kEntries[] = {
            OnReflectedCommand<&CJournalEdit::OnEnChange>(EN_CHANGE),
            OnReflectedCommand<&CJournalEdit::OnEnSetFocus>(EN_SETFOCUS),
            OnReflectedCommand<&CJournalEdit::OnEnKillFocus>(EN_KILLFOCUS),
            OnReflectedNotify<&CJournalEdit::OnNmSetFocus>(static_cast<UINT>(NM_SETFOCUS)),
        };
        static const MessageMap kMap{CEdit::GetMessageMap(), kEntries};
        return &kMap;
    }

private:
    LRESULT OnEnChange()
    {
        Journal().push_back(m_name + " EN_CHANGE begin");
        GetParent()->SendMessage(kTellParent, static_cast<WPARAM>(GetDlgCtrlID()));
        Journal().push_back(m_name + " EN_CHANGE end");
        return 0;
    }
    LRESULT OnEnSetFocus() { return Note("EN_SETFOCUS"); }
    LRESULT OnEnKillFocus() { return Note("EN_KILLFOCUS"); }
    LRESULT OnNmSetFocus(NMHDR*) { return Note("NM_SETFOCUS"); }
    LRESULT Note(const char* what)
    {
        Journal().push_back(m_name + " " + what);
        return 0;
    }

    std::string m_name;
};

class CJournalButton : public CButton {
protected:
    const MessageMap* GetMessageMap() const override
    {
        static constexpr MessageMapEntry kEntries[] = {
            OnReflectedCommand<&CJournalButton::OnClicked>(BN_CLICKED),
        };
        static const MessageMap kMap{CButton::GetMessageMap(), kEntries};
        return &kMap;
    }

private:
    LRESULT OnClicked()
    {
        Journal().push_back("button BN_CLICKED");
        return 0;
    }
};

// A dialog whose map writes what reaches it into the journal; a change told
// by a child moves the focus on to the next control.
class CJournalDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static constexpr MessageMapEntry kEntries[] = {
            OnMessage<&CJournalDialog::OnTellParent>(kTellParent),
            OnCommand<&CJournalDialog::OnAct>(103),
            OnCommand<&CJournalDialog::OnOther>(105),
            OnNotify<&CJournalDialog::OnClick101>(static_cast<UINT>(NM_CLICK), 101),
            OnNotify<&CJournalDialog::OnSetFocus101>(static_cast<UINT>(NM_SETFOCUS), 101),
        };
        static const MessageMap kMap{CDialog::GetMessageMap(), kEntries};
        return &kMap;
    }

private:
    LRESULT OnTellParent(WPARAM id, LPARAM)
    {
        Journal().push_back("parent told by " + std::to_string(id));
        SendMessage(WM_NEXTDLGCTL, 0, 0);
        return 0;
    }
    LRESULT OnAct() { return Note("parent command 103"); }
    LRESULT OnOther() { return Note("parent command 105"); }
    LRESULT OnClick101(NMHDR*) { return Note("parent NM_CLICK 101"); }
    LRESULT OnSetFocus101(NMHDR*) { return Note("parent NM_SETFOCUS 101"); }
    LRESULT Note(const char* what)
    {
        Journal().push_back(what);
        return 0;
    }
};

LRESULT SendNotify(HWND dialog, HWND from, UINT code)
{
    NMHDR header = {from, static_cast<UINT_PTR>(::GetDlgCtrlID(from)), code};
    return ::SendMessageA(dialog, WM_NOTIFY, header.idFrom, win32::ToLParam(&header));
}

} // namespace

// A window has one permanent object, which GetDlgItem and FromHandle return;
// a second object cannot attach to it, and other windows get temporary objects.
TEST(WindowObjects, OnePermanentObjectPerWindow)
{
    DialogTemplate form = FormTemplate();
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(100, &dialog));
    const test::WindowObjectCensus census;

    EXPECT_EQ(dialog.GetDlgItem(100), &edit);
    EXPECT_EQ(CWnd::FromHandle(edit.m_hWnd), &edit);
    EXPECT_EQ(CWnd::FromHandle(dialog.m_hWnd), &dialog);
    CEdit second;
    EXPECT_FALSE(second.Attach(edit.m_hWnd));
    EXPECT_FALSE(second.SubclassDlgItem(100, &dialog));

    CWnd* other = dialog.GetDlgItem(101);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->m_hWnd, ::GetDlgItem(dialog, 101));
    EXPECT_EQ(CWnd::FromHandlePermanent(other->m_hWnd), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(101), other);

    dialog.DestroyWindow();
    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(census.Live(), 1);
    CWnd::DeleteTempMap();
    EXPECT_EQ(census.Live(), 0);
}

namespace {
// Asks for temporary objects at several depths of dispatch and around a nested modal loop.
class CTemporaryProbe : public CWnd {
public:
    HWND first = nullptr;
    HWND second = nullptr;
    CWnd* outerObject = nullptr;
    CWnd* innerObject = nullptr;
    CWnd* modalObject = nullptr;
    std::size_t countInInner = 0;
    std::size_t countAfterInner = 0;
    bool validAfterModal = false;
    const test::WindowObjectCensus* census = nullptr;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static constexpr MessageMapEntry kEntries[] = {
            OnMessage<&CTemporaryProbe::OnOuter>(kOuter),
            OnMessage<&CTemporaryProbe::OnInner>(kInner),
        };
        static const MessageMap kMap{CWnd::GetMessageMap(), kEntries};
        return &kMap;
    }

private:
    LRESULT OnOuter(WPARAM, LPARAM)
    {
        outerObject = FromHandle(first);
        SendMessage(kInner);
        countAfterInner = static_cast<std::size_t>(census->Live());

        DialogTemplate nested({.cx = 80, .cy = 40, .title = "Nested"});
        ScriptedDialog modal(nested.Get());
        modal.script = [this](ScriptedDialog& dialog) {
            modalObject = FromHandle(first);
            FromHandle(second);
            dialog.EndDialog(IDOK);
        };
        modal.DoModal();
        validAfterModal = FromHandle(first) == outerObject && outerObject->m_hWnd == first;
        return 0;
    }
    LRESULT OnInner(WPARAM, LPARAM)
    {
        innerObject = FromHandle(first);
        FromHandle(second);
        countInInner = static_cast<std::size_t>(census->Live());
        return 0;
    }
};
} // namespace

// A temporary object lives until the dispatch that made it returns: nested
// sends and a nested modal loop reuse it, and none is left afterwards.
TEST(WindowObjects, TemporaryObjectsLiveUntilTheirDispatchReturns)
{
    DialogTemplate form = FormTemplate();
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CWnd::DeleteTempMap();
    CTemporaryProbe probe;
    ASSERT_TRUE(probe.Create("STATIC", "", WS_CHILD, RECT{0, 0, 10, 10}, &dialog, 300));
    probe.first = ::GetDlgItem(dialog, 101);
    probe.second = ::GetDlgItem(dialog, 102);
    const test::WindowObjectCensus census;
    probe.census = &census;

    probe.SendMessage(kOuter);

    EXPECT_EQ(probe.innerObject, probe.outerObject);
    EXPECT_EQ(probe.modalObject, probe.outerObject);
    EXPECT_EQ(probe.countInInner, 2u);
    EXPECT_EQ(probe.countAfterInner, 1u);
    EXPECT_TRUE(probe.validAfterModal);
    EXPECT_EQ(census.Live(), 0);
}

// GetDescendantWindow finds a grandchild that GetDlgItem cannot, as a
// temporary object until it is attached, and as its permanent object after.
TEST(WindowObjects, DescendantWindowAtAnyDepth)
{
    DialogTemplate form = FormTemplate();
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CWnd group;
    ASSERT_TRUE(group.Create("STATIC", "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50}, &dialog, 300));
    HWND grandchild = ::CreateWindowExA(0, "BUTTON", "deep", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, group,
                                        reinterpret_cast<HMENU>(UINT_PTR{301}), nullptr, nullptr);
    ASSERT_NE(grandchild, nullptr);

    EXPECT_EQ(dialog.GetDlgItem(301), nullptr);
    ASSERT_NE(dialog.GetDescendantWindow(301), nullptr);
    EXPECT_EQ(dialog.GetDescendantWindow(301)->m_hWnd, grandchild);
    EXPECT_EQ(dialog.GetDescendantWindow(301, TRUE), nullptr);
    EXPECT_EQ(dialog.GetDescendantWindow(999), nullptr);

    CButton button;
    ASSERT_TRUE(button.SubclassWindow(grandchild));
    EXPECT_EQ(dialog.GetDescendantWindow(301, TRUE), &button);
    EXPECT_EQ(dialog.GetDescendantWindow(301), &button);
}

namespace {
struct SuperCalls {
    int count = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
} g_super;

LRESULT CALLBACK CountingClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_APP)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    g_super = {g_super.count + 1, message, wParam, lParam};
    return 42;
}

class CDefaultProbe : public CWnd {
protected:
    const MessageMap* GetMessageMap() const override
    {
        static constexpr MessageMapEntry kEntries[] = {
            OnMessage<&CDefaultProbe::OnSwallow>(WM_APP + 8),
            OnMessage<&CDefaultProbe::OnPassOn>(WM_APP + 9),
        };
        static const MessageMap kMap{CWnd::GetMessageMap(), kEntries};
        return &kMap;
    }

private:
    LRESULT OnSwallow(WPARAM, LPARAM) { return 5; }
    LRESULT OnPassOn(WPARAM, LPARAM) { return Default() + 1; }
};
} // namespace

// What the map does not take, and what a handler passes to Default(), reaches
// the window's own procedure with its parameters; what a handler takes does not.
TEST(WindowObjects, DefaultProcessingReachesTheSuperProcedure)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &CountingClassProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CorvanelCountingProbe";
    ::RegisterClassA(&windowClass);
    HWND hWnd = ::CreateWindowExA(0, "CorvanelCountingProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(hWnd, nullptr);
    CDefaultProbe probe;
    ASSERT_TRUE(probe.SubclassWindow(hWnd));
    g_super = {};

    EXPECT_EQ(probe.SendMessage(WM_APP + 7, 1, 2), 42);
    EXPECT_EQ(g_super.count, 1);
    EXPECT_EQ(probe.SendMessage(WM_APP + 8, 1, 2), 5);
    EXPECT_EQ(g_super.count, 1);
    EXPECT_EQ(probe.SendMessage(WM_APP + 9, 3, 4), 43);
    EXPECT_EQ(g_super.count, 2);
    EXPECT_EQ(g_super.message, WM_APP + 9);
    EXPECT_EQ(g_super.wParam, 3u);
    EXPECT_EQ(g_super.lParam, 4);
}

namespace {
WNDPROC g_editProc = nullptr;
int g_adopted = 0;
int g_postNcDestroys = 0;
int g_destroyed = 0;
UINT g_firstMessage = 0;

// An edit object that owns itself, as registered controls do.
class CSelfOwnedEdit : public CEdit {
public:
    ~CSelfOwnedEdit() override { ++g_destroyed; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_sawFirst) {
            m_sawFirst = true;
            g_firstMessage = message;
        }
        return CEdit::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        ++g_postNcDestroys;
        delete this;
    }

private:
    bool m_sawFirst = false;
};

LRESULT CALLBACK SelfOwnedEditClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_adopted;
    return AfxAdoptWindow(*new CSelfOwnedEdit, g_editProc, hWnd, message, wParam, lParam);
}

void RegisterSelfOwnedEditClass()
{
    WNDCLASSA windowClass = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), "SelfOwnedEdit", &windowClass))
        return;
    ::GetClassInfoA(nullptr, "EDIT", &windowClass);
    g_editProc = windowClass.lpfnWndProc;
    windowClass.lpfnWndProc = &SelfOwnedEditClassProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SelfOwnedEdit";
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
}

class CCountingButton : public CButton {
public:
    int postNcDestroys = 0;

protected:
    void PostNcDestroy() override { ++postNcDestroys; }
};

class CCountingDialog : public CDialog {
public:
    using CDialog::CDialog;
    int postNcDestroys = 0;
    CCountingButton button;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 103, button); }
    void PostNcDestroy() override { ++postNcDestroys; }
};
} // namespace

// A class procedure adopts each window at its first message; destroying the
// dialog ends every object's life once: detached, then PostNcDestroy.
TEST(WindowObjects, PostNcDestroyRunsOnceForEveryObjectOfADialog)
{
    RegisterSelfOwnedEditClass();
    g_adopted = g_postNcDestroys = g_destroyed = 0;
    DialogTemplate form = FormTemplate("SelfOwnedEdit");
    CCountingDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));

    EXPECT_EQ(g_adopted, 2);  // the class procedure ran for the first message only
    EXPECT_EQ(g_firstMessage, static_cast<UINT>(WM_NCCREATE));
    HWND edit = ::GetDlgItem(dialog, 100);
    ASSERT_NE(CWnd::FromHandlePermanent(edit), nullptr);
    CWnd::FromHandlePermanent(edit)->SetWindowText("works as an edit");
    CString text;
    CWnd::FromHandlePermanent(edit)->GetWindowText(text);
    EXPECT_EQ(text, "works as an edit");
    EXPECT_EQ(dialog.GetDlgItem(103), &dialog.button);

    dialog.DestroyWindow();

    EXPECT_EQ(g_postNcDestroys, 2);
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    EXPECT_EQ(dialog.postNcDestroys, 1);
    EXPECT_EQ(dialog.button.postNcDestroys, 1);
    EXPECT_EQ(dialog.button.m_hWnd, nullptr);
}

// An edit's notifications reach its own map and not the parent's, also when
// its handler sends to the parent, which moves the focus, which runs the
// handlers of both edits nested inside.
TEST(Reflection, EditNotificationsReachTheEditItselfAtAnyDepth)
{
    enum Role { kParent = 1 };
    DialogTemplate form = FormTemplate();
    CJournalDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CJournalEdit first("A");
    CJournalEdit second("B");
    ASSERT_TRUE(first.SubclassDlgItem(100, &dialog));
    ASSERT_TRUE(second.SubclassDlgItem(101, &dialog));
    ::SetForegroundWindow(dialog);
    first.SetFocus();
    Journal().clear();
    MessageRecorder log;
    MessageRecorder::NameMessage(kTellParent, "kTellParent");
    log.Watch(dialog, kParent, "parent");

    first.SetWindowText("x");

    const std::vector<std::string> kHandlers = {
        "A EN_CHANGE begin", "parent told by 100", "A EN_KILLFOCUS", "B EN_SETFOCUS", "A EN_CHANGE end",
    };
    EXPECT_EQ(Journal(), kHandlers);
    EXPECT_EQ(GetDlgCtrlID(::GetFocus()), 101);
    // What arrived at the parent window, all of it handled by the edits.
    const Expect kArrived[] = {
        Optional(Command(kParent, 100, EN_UPDATE)),
        Command(kParent, 100, EN_CHANGE),
        {kTellParent, kParent, 100},
        {WM_NEXTDLGCTL, kParent, 0, 0, kWParam | kLParam},
        Command(kParent, 100, EN_KILLFOCUS),
        Command(kParent, 101, EN_SETFOCUS),
    };
    EXPECT_TRUE(log.Matches(kArrived));
}

// A click and a WM_NOTIFY that the child's map takes stay with the child;
// what it has no entry for, and what comes from children without an object,
// reaches the parent's map by id and code.
TEST(Reflection, ChildTakesWhatItHandlesAndParentGetsTheRest)
{
    DialogTemplate form = FormTemplate();
    CJournalDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    CJournalButton button;
    CJournalEdit edit("edit");
    ASSERT_TRUE(button.SubclassDlgItem(103, &dialog));
    ASSERT_TRUE(edit.SubclassDlgItem(101, &dialog));
    Journal().clear();

    button.SendMessage(BM_CLICK);
    ::SendMessageA(::GetDlgItem(dialog, 105), BM_CLICK, 0, 0);
    SendNotify(dialog, edit, static_cast<UINT>(NM_SETFOCUS));
    SendNotify(dialog, edit, static_cast<UINT>(NM_CLICK));

    const std::vector<std::string> kHandlers = {
        "button BN_CLICKED", "parent command 105", "edit NM_SETFOCUS", "parent NM_CLICK 101",
    };
    EXPECT_EQ(Journal(), kHandlers);
}

// A mismatch prints both sequences by name with the first difference marked,
// so that a failing control test reads without a table of numbers.
TEST(MessageRecorderReport, NamesBothSequencesOnMismatch)
{
    enum Role { kParent = 1 };
    DialogTemplate form = FormTemplate();
    CDialog dialog(form.Get());
    ASSERT_TRUE(dialog.CreateIndirect(form.Get()));
    MessageRecorder log;
    log.Watch(dialog, kParent, "parent");
    log.Ignore(WM_COMMAND);
    ::SetWindowTextA(::GetDlgItem(dialog, 102), "y");
    EXPECT_TRUE(log.Matches(std::span<const Expect>()));
    log.Record(WM_COMMAND);

    ::SetWindowTextA(::GetDlgItem(dialog, 102), "z");
    const Expect kWrong[] = {Command(kParent, 102, EN_KILLFOCUS)};
    const ::testing::AssertionResult result = log.Matches(kWrong);

    ASSERT_FALSE(result);
    const std::string report = result.message();
    EXPECT_NE(report.find(">> 0: WM_COMMAND to parent  id=102 code=EN_KILLFOCUS"), std::string::npos) << report;
    EXPECT_NE(report.find("WM_COMMAND to parent  id=102 code=EN_CHANGE"), std::string::npos) << report;
}
