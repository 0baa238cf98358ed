// Tests of the application's start-up and its test dialog: InitInstance in a
// child process (it ends with exit), the OLE failure path in-process, the
// dialog's data exchange, and Corvanel.exe itself run as a child process.
#include "app/AboutDlg.h"
#include "app/CorvanelApp.h"
#include "controls/ControlClasses.h"
#include "controls/DatumCtrl.h"
#include "platform/appservices/OleForTesting.h"
#include "tests/app/support/AppUnderTest.h"
#include "tests/app/support/DialogDriver.h"
#include "tests/win32/support/MessageBoxCounter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace test;

namespace {

constexpr int kFieldId = 1000;

// --- InitInstance in a child process ---

// What the child saw, reported in one line when it exits.
struct Report {
    const char* firstWindow = "none";
    const char* control = "none";
    std::string field = "(none)";
    CAboutDlg* dialog = nullptr;
};
Report g_report;
HHOOK g_cbtHook = nullptr;

bool ClassRegistered(const char* name)
{
    WNDCLASSA record{};
    return ::GetClassInfoA(::GetModuleHandleA(nullptr), name, &record) != FALSE;
}

// At the process's first window: do both classes exist?
LRESULT CALLBACK WatchFirstWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && std::string(g_report.firstWindow) == "none")
        g_report.firstWindow = ClassRegistered("DatumEdit") && ClassRegistered("DatumCtrl") ? "classes" : "no-classes";
    return ::CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void PrintReport()
{
    std::fprintf(stderr, "report: first-window=%s control=%s field=[%s] member=[%s]\n", g_report.firstWindow,
                 g_report.control, g_report.field.c_str(),
                 g_report.dialog ? g_report.dialog->m_text.GetString() : "(no dialog)");
    std::fflush(stderr);
}

// Runs the whole start-up; close() ends the test dialog. The process ends
// inside InitInstance, and the report is printed at exit.
void RunStartUp(void (*close)(HWND dialog))
{
    static void (*s_close)(HWND) = nullptr;
    s_close = close;
    g_cbtHook = ::SetWindowsHookExA(WH_CBT, &WatchFirstWindow, nullptr, ::GetCurrentThreadId());
    std::atexit(&PrintReport);
    static DialogDriver driver("About Corvanel", [](HWND dialog) {
        HWND field = ::GetDlgItem(dialog, kFieldId);
        g_report.dialog = dynamic_cast<CAboutDlg*>(CWnd::FromHandlePermanent(dialog));
        g_report.control = dynamic_cast<CDatumCtrl*>(CWnd::FromHandlePermanent(field)) ? "CDatumCtrl" : "other";
        g_report.field = WindowText(field);
        s_close(dialog);
    });
    CCorvanelApp app;
    app.InitInstance();
    std::fprintf(stderr, "InitInstance returned\n");  // never reached on success
}

// Both window classes exist when the process's first window is made, the
// dialog holds a CDatumCtrl at id 1000 with no text, and Escape ends the
// process with status 0 without storing the typed text.
TEST(StartUpDeathTest, ClassesFirstThenDialogThenExitZeroOnEscape)
{
    EXPECT_EXIT(RunStartUp([](HWND dialog) {
                    HWND field = ::GetDlgItem(dialog, kFieldId);
                    ::SetFocus(field);
                    TypeChars(field, "070115");
                    ::PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
                }),
                ::testing::ExitedWithCode(0),
                "report: first-window=classes control=CDatumCtrl field=\\[\\] member=\\[\\]");
}

// --- the OLE failure path, in-process ---

HRESULT WINAPI FailingOleInitialize(LPVOID) { return E_OUTOFMEMORY; }

int g_windowsCreated = 0;
HHOOK g_countHook = nullptr;

LRESULT CALLBACK CountWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        ++g_windowsCreated;
    return ::CallNextHookEx(g_countHook, code, wParam, lParam);
}

// When OLE cannot start, start-up shows one message box (prompt 100, which
// is not in the string table, with help id 100, under the application's
// title) and fails before any window,
// document template or main frame exists.
TEST(StartUp, OleFailureShowsOneMessageBoxAndMakesNoWindow)
{
    platform::testing::OleInitializeOverride failing(&FailingOleInitialize);
    MessageBoxCounter boxes;
    g_windowsCreated = 0;
    g_countHook = ::SetWindowsHookExA(WH_CBT, &CountWindows, nullptr, ::GetCurrentThreadId());
    CCorvanelApp app;
    const BOOL started = app.InitInstance();
    ::UnhookWindowsHookEx(g_countHook);

    EXPECT_FALSE(started);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.lastType, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.lastHelpId, 100u);
    EXPECT_EQ(boxes.lastCaption, "Corvanel");   // the application's title, string 57344
    EXPECT_NE(std::string(boxes.lastText.GetString()).find("100"), std::string::npos) << boxes.lastText.GetString();
    EXPECT_EQ(g_windowsCreated, 0);
    EXPECT_EQ(app.GetDocTemplate(), nullptr);
    EXPECT_EQ(app.GetMainFrame(), nullptr);
}

// --- the test dialog's data exchange ---

class AboutDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterDatumEditClass();
        RegisterDatumCtrlClass();
    }
};

// OK after leaving the field stores the date in its display form.
TEST_F(AboutDialog, OkStoresTheNormalisedText)
{
    CAboutDlg dialog;
    DialogDriver driver("About Corvanel", [](HWND window) {
        HWND field = ::GetDlgItem(window, kFieldId);
        ::SetFocus(field);
        TypeChars(field, "070115");
        ::SetFocus(::GetDlgItem(window, IDOK));
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(dialog.m_text, "2007-01-15");
}

// Enter while the field has the focus stores the text as it stands.
TEST_F(AboutDialog, EnterInTheFieldStoresTheTypedText)
{
    CAboutDlg dialog;
    DialogDriver driver("About Corvanel", [](HWND window) {
        HWND field = ::GetDlgItem(window, kFieldId);
        ::SetFocus(field);
        TypeChars(field, "070115");
        ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_text, "070115");
}

// Escape ends the dialog without an exchange: the typed text is not stored.
TEST_F(AboutDialog, EscapeLeavesTheTextMemberAlone)
{
    CAboutDlg dialog;
    CString seen = "(not run)";
    DialogDriver driver("About Corvanel", [&dialog, &seen](HWND window) {
        seen = dialog.m_text;  // after the initial exchange
        HWND field = ::GetDlgItem(window, kFieldId);
        ::SetFocus(field);
        TypeChars(field, "070115");
        ::PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, "");
    EXPECT_EQ(dialog.m_text, "");
}

// A text of 11 characters (set, not typed: typing stops at 10) fails the
// check at OK with one message box; the dialog stays open with the focus on
// the field.
TEST_F(AboutDialog, OkWithMoreThanTenCharactersStaysOpen)
{
    MessageBoxCounter boxes;
    CAboutDlg dialog;
    bool stayedOpen = false;
    bool focusOnField = false;
    DialogDriver driver("About Corvanel", [&stayedOpen, &focusOnField](HWND window) {
        HWND field = ::GetDlgItem(window, kFieldId);
        EXPECT_EQ(::SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 10);
        ::SetWindowTextA(field, "2007-01-150");
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        stayedOpen = ::IsWindowVisible(window) != FALSE;
        focusOnField = ::GetFocus() == field;
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(focusOnField);
    EXPECT_EQ(boxes.count, 1);
}

// --- Corvanel.exe as a child process ---

struct Started {
    HWND dialog;
    HWND field;
};

Started WaitForTestDialog(const AppProcess& app)
{
    HWND dialog = app.WaitForWindow("#32770", "About Corvanel");
    return {dialog, dialog ? ::GetDlgItem(dialog, kFieldId) : nullptr};
}

// The program shows the test dialog with an empty date control of class
// "DatumCtrl" and the focus on OK; Escape ends it with status 0.
TEST(CorvanelExe, EscapeEndsWithStatusZero)
{
    AppProcess app;
    ASSERT_TRUE(app.Started()) << CorvanelExePath();
    const Started shown = WaitForTestDialog(app);
    ASSERT_NE(shown.dialog, nullptr);
    EXPECT_EQ(ClassOf(shown.field), "DatumCtrl");
    EXPECT_EQ(WindowText(shown.field), "");
    EXPECT_EQ(FocusOf(shown.dialog), ::GetDlgItem(shown.dialog, IDOK));
    ::PostMessageA(FocusOf(shown.dialog), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(app.WaitForExit(), 0);
}

// A typed date and OK: status 0 as well.
TEST(CorvanelExe, OkEndsWithStatusZero)
{
    AppProcess app;
    const Started shown = WaitForTestDialog(app);
    ASSERT_NE(shown.dialog, nullptr);
    TypeChars(shown.field, "070115");
    EXPECT_EQ(WindowText(shown.field), "070115");
    ::PostMessageA(::GetDlgItem(shown.dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(app.WaitForExit(), 0);
}

// A failing shell command shows exactly one message box and ends the program
// with the start-up failure status, without the test dialog.
TEST(CorvanelExe, FailingShellCommandsShowOneMessageBox)
{
    const struct {
        const char* arguments;
        const char* says;
    } kCases[] = {
        {"/x", "/x"},
        {"/p", "/p"},
        {"Z:\\no\\such\\folder\\letter.txt", "Cannot open"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.arguments);
        AppProcess app(c.arguments);
        HWND box = app.WaitForWindow("#32770", "Corvanel");
        ASSERT_NE(box, nullptr);
        EXPECT_NE(WindowText(::GetDlgItem(box, 0xFFFF)).find(c.says), std::string::npos)
            << WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(app.WaitForExit(), 1);
    }
}

// A file name opens the file into the (hidden) frame, whose title names it,
// and puts it at the top of the recent-file list in the registry.
TEST(CorvanelExe, FileNameOpensTheDocument)
{
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ASSERT_NE(::GetTempFileNameA(folder, "cvl", 0, file), 0u);
    const char* key = "Software\\Local AppWizard-Generated Applications\\Corvanel\\Recent File List";
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key);

    AppProcess app(std::string("\"") + file + "\"");
    const Started shown = WaitForTestDialog(app);
    ASSERT_NE(shown.dialog, nullptr);
    const std::string name = std::string(file).substr(std::string(file).find_last_of('\\') + 1);
    HWND frame = ::FindWindowA("PlatformFrame", nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowText(frame), name + " - Corvanel");
    EXPECT_FALSE(::IsWindowVisible(frame)) << "the test dialog stands in for the main window";

    char recent[MAX_PATH] = {};
    DWORD size = sizeof recent;
    EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, key, "File1", RRF_RT_REG_SZ, nullptr, recent, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(::lstrcmpiA(recent, file), 0) << recent;

    ::PostMessageA(FocusOf(shown.dialog), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(app.WaitForExit(), 0);
    ::DeleteFileA(file);
}

} // namespace
