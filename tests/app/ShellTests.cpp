// Tests of the application services of the framework layer with the
// application's shell classes: the command line, run-time classes, the
// recent-file list, the single-document shell and command routing.
#include "app/CorvanelApp.h"
#include "app/CorvanelDoc.h"
#include "app/CorvanelView.h"
#include "app/MainFrame.h"
#include "controls/ControlClasses.h"
#include "platform/window/CommandIds.h"
#include "platform/appservices/Document.h"
#include "platform/window/Module.h"
#include "tests/app/support/DialogDriver.h"
#include "tests/win32/support/MessageBoxCounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace test;

namespace {

std::vector<std::string> Split(const char* commandLine)
{
    std::vector<std::string> out;
    for (const CString& argument : AfxSplitCommandLine(commandLine))
        out.emplace_back(argument.GetString());
    return out;
}

// Arguments split as the C runtime splits them: blanks separate, quotes
// group, backslashes stay except before a quote.
TEST(CommandLine, SplitsLikeTheRuntime)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Split(""), V{});
    EXPECT_EQ(Split("  a\tb  "), (V{"a", "b"}));
    EXPECT_EQ(Split("\"C:\\My Files\\a.txt\" /p"), (V{"C:\\My Files\\a.txt", "/p"}));
    EXPECT_EQ(Split("C:\\dir\\ x"), (V{"C:\\dir\\", "x"}));
    EXPECT_EQ(Split("a\\\"b \"c\\\\\" d"), (V{"a\"b", "c\\", "d"}));
    EXPECT_EQ(Split("\"\""), V{""});
}

CCommandLineInfo::ShellCommand Parse(const char* commandLine, CCommandLineInfo& info)
{
    CWinApp app("Shell tests");
    app.m_strCmdLine = commandLine;
    app.ParseCommandLine(info);
    return info.m_nShellCommand;
}

// The standard shell commands: none, a file, /p file, /pt file printer
// driver port; an unknown option or an incomplete print command is Unknown.
TEST(CommandLine, ShellCommands)
{
    struct Case {
        const char* line;
        CCommandLineInfo::ShellCommand command;
        const char* file;
        const char* unknown;
    };
    const Case kCases[] = {
        {"", CCommandLineInfo::FileNew, "", ""},
        {"letter.txt", CCommandLineInfo::FileOpen, "letter.txt", ""},
        {"/p letter.txt", CCommandLineInfo::FilePrint, "letter.txt", ""},
        {"letter.txt -P", CCommandLineInfo::FilePrint, "letter.txt", ""},
        {"/pt letter.txt", CCommandLineInfo::UnknownOption, "letter.txt", "/pt"},
        {"/p", CCommandLineInfo::UnknownOption, "", "/p"},
        {"/x letter.txt", CCommandLineInfo::UnknownOption, "letter.txt", "/x"},
        {"letter.txt /p /y /z", CCommandLineInfo::UnknownOption, "letter.txt", "/y"},
    };
    for (const Case& c : kCases) {
        CCommandLineInfo info;
        EXPECT_EQ(Parse(c.line, info), c.command) << c.line;
        EXPECT_EQ(info.m_strFileName, c.file) << c.line;
        EXPECT_EQ(info.m_strUnknown, c.unknown) << c.line;
    }
    CCommandLineInfo printTo;
    EXPECT_EQ(Parse("/pt \"a b.txt\" Laser laserdrv LPT1: extra", printTo), CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.m_strFileName, "a b.txt");
    EXPECT_EQ(printTo.m_strPrinterName, "Laser");
    EXPECT_EQ(printTo.m_strDriverName, "laserdrv");
    EXPECT_EQ(printTo.m_strPortName, "LPT1:");
}

// The shell classes are made by name from their run-time classes, carry the
// schema 0xFFFF and know their framework bases.
TEST(RuntimeClasses, DynamicCreationOfTheShellClasses)
{
    struct Case {
        const CRuntimeClass* runtimeClass;
        const char* name;
        const CRuntimeClass* base;
    };
    const Case kCases[] = {
        {RuntimeClassOf<CMainFrame>(), "CMainFrame", RuntimeClassOf<CFrameWnd>()},
        {RuntimeClassOf<CCorvanelDoc>(), "CCorvanelDoc", RuntimeClassOf<CDocument>()},
        {RuntimeClassOf<CCorvanelView>(), "CCorvanelView", RuntimeClassOf<CView>()},
    };
    for (const Case& c : kCases) {
        EXPECT_STREQ(c.runtimeClass->m_lpszClassName, c.name);
        EXPECT_EQ(c.runtimeClass->m_wSchema, 0xFFFFu);
        CObject* object = c.runtimeClass->CreateObject();
        ASSERT_NE(object, nullptr) << c.name;
        EXPECT_EQ(object->GetRuntimeClass(), c.runtimeClass);
        EXPECT_TRUE(object->IsKindOf(c.base)) << c.name;
        EXPECT_TRUE(object->IsKindOf(RuntimeClassOf<CObject>()));
        EXPECT_FALSE(object->IsKindOf(RuntimeClassOf<CFrameWnd>()) && c.base != RuntimeClassOf<CFrameWnd>());
        delete object;
    }
    EXPECT_EQ(RuntimeClassOf<CView>()->CreateObject(), nullptr) << "an abstract base is not made";
}

// The recent-file list keeps the four newest files, newest first, moves a
// file opened again to the top (names compare without case) and is in the
// registry at once, so a new application object reads the same list.
TEST(RecentFiles, FourNewestInTheRegistry)
{
    const char* key = "Software\\Corvanel Tests\\Recent files";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvanel Tests");
    {
        CWinApp app("Recent files");
        app.SetRegistryKey("Corvanel Tests");
        app.LoadStdProfileSettings(4);
        EXPECT_TRUE(app.GetRecentFiles().empty());
        for (const char* path : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d.txt", "C:\\e.txt", "c:\\B.TXT"})
            app.AddToRecentFileList(path);
    }
    CWinApp again("Recent files");
    again.SetRegistryKey("Corvanel Tests");
    again.LoadStdProfileSettings(4);
    const std::vector<CString> expected = {"c:\\B.TXT", "C:\\e.txt", "C:\\d.txt", "C:\\c.txt"};
    EXPECT_EQ(again.GetRecentFiles(), expected);
    char value[64] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, (std::string(key) + "\\Recent File List").c_str(), "File4",
                             RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, "C:\\c.txt");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvanel Tests");
}

class Shell : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterDatumEditClass();
        RegisterDatumCtrlClass();
    }
    void SetUp() override
    {
        app.SetRegistryKey("Corvanel Tests");
        app.AddDocTemplate(new CSingleDocTemplate(128, RuntimeClassOf<CCorvanelDoc>(), RuntimeClassOf<CMainFrame>(),
                                                  RuntimeClassOf<CCorvanelView>()));
    }
    void TearDown() override
    {
        if (CFrameWnd* frame = app.GetMainFrame())
            frame->DestroyWindow();
        // The main frame's end asked the message loop to quit; there is none here.
        MSG quit;
        ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvanel Tests");
    }
    CCorvanelApp app;
};

// No shell command makes a new document: the document, the main frame of
// resource 128 (menu, accelerators, icon, title) with docking on every side,
// and the view, all of the application's classes. The frame stays hidden.
TEST_F(Shell, NewDocumentBuildsTheShell)
{
    CCommandLineInfo none;
    ASSERT_TRUE(app.ProcessShellCommand(none));
    CFrameWnd* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), frame);
    EXPECT_TRUE(frame->IsKindOf(RuntimeClassOf<CMainFrame>()));
    EXPECT_FALSE(frame->IsWindowVisible());
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Untitled - Corvanel");
    EXPECT_EQ(frame->GetDockingSides(), kDockAny);
    EXPECT_NE(frame->GetAccelerators(), nullptr);
    EXPECT_NE(frame->SendMessage(WM_GETICON, ICON_BIG), 0);
    HMENU menu = ::GetMenu(frame->m_hWnd);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(::GetMenuItemID(::GetSubMenu(menu, 0), 0), static_cast<UINT>(ID_APP_ABOUT));

    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsKindOf(RuntimeClassOf<CCorvanelView>()));
    EXPECT_EQ(::GetParent(view->m_hWnd), frame->m_hWnd);
    CDocument* document = view->GetDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->IsKindOf(RuntimeClassOf<CCorvanelDoc>()));
    EXPECT_EQ(app.GetDocTemplate()->GetDocument(), document);
}

// A second New reuses the one document and frame; a file that cannot be
// opened gives one message box and leaves the shell as it was.
TEST_F(Shell, OneDocumentAtATime)
{
    CCommandLineInfo none;
    ASSERT_TRUE(app.ProcessShellCommand(none));
    CFrameWnd* frame = app.GetMainFrame();
    CDocument* document = app.GetDocTemplate()->GetDocument();
    app.OnFileNew();
    EXPECT_EQ(app.GetMainFrame(), frame);
    EXPECT_EQ(app.GetDocTemplate()->GetDocument(), document);

    MessageBoxCounter boxes;
    EXPECT_EQ(app.OpenDocumentFile("Z:\\no\\such\\file.txt"), nullptr);
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(app.GetMainFrame(), frame);
}

// Menu and accelerator commands reach the frame's view first and the
// application last: About (the application's) runs the test dialog modally.
TEST_F(Shell, AboutCommandRunsTheTestDialog)
{
    CCommandLineInfo none;
    ASSERT_TRUE(app.ProcessShellCommand(none));
    HWND owner = nullptr;
    DialogDriver driver("About Corvanel", [&owner](HWND dialog) {
        owner = ::GetWindow(dialog, GW_OWNER);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    app.GetMainFrame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(owner, app.GetMainFrame()->m_hWnd) << "owned by the main window";

    // A command nobody maps goes nowhere and does no harm.
    EXPECT_FALSE(app.GetMainFrame()->OnCmdMsg(ID_EDIT_COPY));
    EXPECT_TRUE(app.GetMainFrame()->OnCmdMsg(ID_FILE_NEW));
}

// Printing prepares the job without the dialog for print direct; with no
// printer it says so once and prints nothing.
TEST_F(Shell, PrintDirectWithoutPrinterSaysSoOnce)
{
    CCommandLineInfo none;
    ASSERT_TRUE(app.ProcessShellCommand(none));
    PRINTDLGA probe{};
    probe.lStructSize = sizeof probe;
    probe.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (::PrintDlgA(&probe)) {
        ::DeleteDC(probe.hDC);
        ::GlobalFree(probe.hDevMode);
        ::GlobalFree(probe.hDevNames);
        GTEST_SKIP() << "this machine has a default printer";
    }
    MessageBoxCounter boxes;
    app.GetMainFrame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_EQ(boxes.count, 1);
}

} // namespace
