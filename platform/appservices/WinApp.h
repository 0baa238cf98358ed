// WinApp.h: the application object and the services its start-up uses.
//
//   CWinApp              the one application of the process: start-up
//                        (InitInstance), profile settings in the registry
//                        with a recent-file list, the document template,
//                        the command line and the standard shell commands
//   CCommandLineInfo     what the command line asks for
//   AfxGetApp            the application object
//   AfxWinMain           the framework's entry point (WinMain calls it)
//   AfxOleInit           initialises OLE for the user-interface thread
//   AfxEnableControlContainer   lets dialogs host controls
#pragma once

#include "platform/appservices/CmdTarget.h"
#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <memory>
#include <vector>

class CDocument;
class CFrameWnd;
class CSingleDocTemplate;

class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,      // no file: a new document
        FileOpen,     // a file name: open it
        FilePrint,    // /p file: print it on the default printer
        FilePrintTo,  // /pt file printer driver port: print it there
        UnknownOption, // an option we do not know, or an incomplete print command
    };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;
    CCommandLineInfo(const CCommandLineInfo&) = delete;
    CCommandLineInfo& operator=(const CCommandLineInfo&) = delete;

    // One argument: an option without its leading / or - (flag TRUE), or a
    // name. last is TRUE for the last argument.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
    CString m_strUnknown;   // the first option that made the command UnknownOption
};

class CWinApp : public CCmdTarget {
public:
    // Registers the object as the process's application. A null name takes
    // the application title from string resource 57344, else the file name
    // of the executable.
    explicit CWinApp(const char* appName = nullptr);
    // Deletes the document templates. Windows are left to the end of the
    // process: this runs after exit(), when the window layer is gone.
    ~CWinApp() override;

    // --- start-up ---
    // The application's own start-up; the base does nothing and returns TRUE.
    virtual BOOL InitInstance();
    // The message loop, with the main frame's accelerators; returns ExitInstance().
    virtual int Run();
    // Ends OLE if AfxOleInit started it; returns the exit status (the
    // message loop's quit status, 0 before the loop has run).
    virtual int ExitInstance();

    // --- profile settings ---
    // Settings go to HKEY_CURRENT_USER\Software\<key>\<application name>.
    void SetRegistryKey(const char* key);
    // Loads the recent-file list ("Recent File List", File1..FileN) with room
    // for maxRecentFiles entries.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = "") const;
    // FALSE without a registry key or when the registry refuses; a null
    // value deletes the entry.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    // Puts the file at the top of the recent-file list and stores the list
    // at once (the application may end with exit(), which skips ExitInstance).
    void AddToRecentFileList(const char* path);
    const std::vector<CString>& GetRecentFiles() const { return m_recentFiles; }

    // --- documents ---
    // The application owns the template from now on.
    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    CSingleDocTemplate* GetDocTemplate() const;
    // Opens the file through the document template; null after one message box.
    virtual CDocument* OpenDocumentFile(const char* path);

    // --- command line ---
    // Splits m_strCmdLine like the C runtime does and hands each argument to info.
    void ParseCommandLine(CCommandLineInfo& info);
    // New document, open, or print (the application ends after printing, so
    // the result is FALSE then). An unknown or failing command gives one
    // message box and FALSE.
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // --- command handlers (rows for the command maps of applications) ---
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    // --- state ---
    const CString& GetAppName() const { return m_strAppName; }
    const CString& GetRegistryKey() const { return m_strRegistryKey; }
    const CString& GetProfileName() const { return m_strProfileName; }
    CFrameWnd* GetMainFrame() const { return m_pMainFrame; }
    // The main frame also becomes the framework's main window (AfxGetMainWnd).
    void SetMainFrame(CFrameWnd* frame);

    // The printer that Print Setup chose (global handles), and the printer
    // named by a shell print-to command; used when a view prepares printing.
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    CString m_strPrintToPrinter;
    CString m_strPrintToDriver;
    CString m_strPrintToPort;

    CString m_strCmdLine;   // the arguments, without the program name
    int m_nCmdShow = SW_SHOWNORMAL;

private:
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
    std::vector<CString> m_recentFiles;
    UINT m_nMaxRecentFiles = 0;
    CFrameWnd* m_pMainFrame = nullptr;
    bool m_bOleInitialized = false;
    int m_nQuitStatus = 0;   // WM_QUIT's status, once the message loop has ended

    friend BOOL AfxOleInit();
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

// Splits a command line into arguments by the rules of the C runtime:
// blanks separate, double quotes group, backslashes escape a quote.
std::vector<CString> AfxSplitCommandLine(const char* commandLine);

// The entry point's work: the application's start-up, then its message loop
// when the start-up returns TRUE. The exit status is 1 when the start-up fails.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// OleInitialize for this thread; FALSE when it fails. The application's
// ExitInstance ends OLE again.
BOOL AfxOleInit();

// Lets dialogs host controls; the framework's default site manager. Our
// dialogs place controls by window class, so there is nothing more to set up.
class COccManager;
void AfxEnableControlContainer(COccManager* manager = nullptr);
BOOL AfxControlContainerEnabled();
