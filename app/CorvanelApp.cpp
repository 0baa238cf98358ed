// CorvanelApp.cpp: start-up of the application and its About command.
#include "app/CorvanelApp.h"

#include "app/AboutDlg.h"
#include "app/CorvanelDoc.h"
#include "app/CorvanelView.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "controls/ControlClasses.h"
#include "platform/window/CommandIds.h"
#include "platform/appservices/Document.h"
#include "platform/window/MessageBox.h"

#include <cstdlib>
#include <new>

CCorvanelApp::CCorvanelApp() = default;

CCorvanelApp::~CCorvanelApp() = default;

const CommandMap* CCorvanelApp::GetCommandMap() const
{
    static constexpr CommandMapEntry kEntries[] = {
        CommandEntry<&CCorvanelApp::OnAppAbout>(ID_APP_ABOUT),
        CommandEntry<&CWinApp::OnFileNew>(ID_FILE_NEW),
        CommandEntry<&CWinApp::OnFileOpen>(ID_FILE_OPEN),
        CommandEntry<&CWinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
    };
    static const CommandMap kMap{CWinApp::GetCommandMap(), kEntries};
    return &kMap;
}

BOOL CCorvanelApp::InitInstance()
{
    // 1. The common controls, the month calendar among them.
    ::InitCommonControls();
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                     ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS;
    ::InitCommonControlsEx(&controls);

    // 2. The date controls' classes, before any window exists, so that any
    //    dialog template can name them. A failure shows when a dialog is made.
    RegisterDatumEditClass();
    RegisterDatumCtrlClass();

    // 3-4. The framework, then OLE.
    CWinApp::InitInstance();
    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED, MB_OK, 0xFFFFFFFF);
        return FALSE;
    }

    // 5-7. Control containment and the per-user settings with four recent files.
    AfxEnableControlContainer();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    // 8. The document template: document, frame and view by their run-time classes.
    auto* docTemplate = new (std::nothrow) CSingleDocTemplate(
        IDR_MAINFRAME, RuntimeClassOf<CCorvanelDoc>(), RuntimeClassOf<CMainFrame>(), RuntimeClassOf<CCorvanelView>());
    if (!docTemplate)
        return FALSE;
    AddDocTemplate(docTemplate);

    // 9. The shell command of the command line (none: a new document).
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    // 10-11. The test dialog instead of the main window and the message loop;
    //        whichever way it closes, the process ends with status 0.
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
    std::exit(0);
}

void CCorvanelApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
