// WinApp.cpp: the application object, the command line, OLE start-up and the entry point.
#include "platform/appservices/WinApp.h"

#include "platform/window/CommandIds.h"
#include "platform/appservices/Document.h"
#include "platform/appservices/FrameWnd.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Module.h"
#include "platform/appservices/OleForTesting.h"

#include "platform/appservices/CommonDialogs.h"
#include <ole2.h>

#include <algorithm>

namespace {

CWinApp* g_app = nullptr;
bool g_controlContainer = false;
platform::testing::OleInitializeFunction g_oleInitialize = nullptr;

constexpr char kRecentFileSection[] = "Recent File List";

} // namespace

// --- the command line ---

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL last)
{
    if (flag) {
        const bool print = ::lstrcmpiA(param, "p") == 0;
        const bool printTo = ::lstrcmpiA(param, "pt") == 0;
        if (m_nShellCommand != UnknownOption && (print || printTo)) {
            m_nShellCommand = print ? FilePrint : FilePrintTo;
        } else if (m_nShellCommand != UnknownOption) {
            m_nShellCommand = UnknownOption;
            m_strUnknown = "/";
            m_strUnknown += param;
        }
    } else if (m_nShellCommand == FilePrintTo && !m_strFileName.IsEmpty()) {
        // print-to: file name, then printer, driver and port
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = param;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = param;
        else if (m_strPortName.IsEmpty())
            m_strPortName = param;
    } else if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }

    if (last) {
        const bool printWithoutFile =
            (m_nShellCommand == FilePrint || m_nShellCommand == FilePrintTo) && m_strFileName.IsEmpty();
        const bool printToWithoutPrinter = m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty();
        if (printWithoutFile || printToWithoutPrinter) {
            m_strUnknown = m_nShellCommand == FilePrint ? "/p" : "/pt";
            m_nShellCommand = UnknownOption;
        }
    }
}

std::vector<CString> AfxSplitCommandLine(const char* commandLine)
{
    std::vector<CString> arguments;
    const char* p = commandLine ? commandLine : "";
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            return arguments;
        CString argument;
        bool quoted = false;
        for (; *p != '\0' && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            int backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p == '"') {
                // 2n backslashes and a quote: n backslashes, the quote toggles
                // quoting; 2n+1: n backslashes and a literal quote.
                for (int i = 0; i < backslashes / 2; ++i)
                    argument += '\\';
                if (backslashes % 2 == 1)
                    argument += '"';
                else
                    quoted = !quoted;
            } else {
                for (int i = 0; i < backslashes; ++i)
                    argument += '\\';
                if (*p == '\0' || (!quoted && (*p == ' ' || *p == '\t')))
                    break;
                argument += *p;
            }
        }
        arguments.push_back(argument);
    }
}

// --- CWinApp ---

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(const char* appName)
{
    g_app = this;
    m_strAppName = appName ? CString(appName) : AfxGetAppTitle();
}

CWinApp::~CWinApp()
{
    m_templates.clear();
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    MSG message;
    int status = 0;
    for (;;) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            status = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1)
            break;
        CFrameWnd* frame = m_pMainFrame;
        if (frame && frame->GetAccelerators() &&
            ::TranslateAcceleratorA(frame->m_hWnd, frame->GetAccelerators(), &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
        CWnd::DeleteTempMap();
    }
    m_nQuitStatus = status;
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    if (m_bOleInitialized) {
        ::OleUninitialize();
        m_bOleInitialized = false;
    }
    return m_nQuitStatus;
}

void CWinApp::SetMainFrame(CFrameWnd* frame)
{
    m_pMainFrame = frame;
    AfxSetMainWnd(frame);
}

// --- profile settings ---

void CWinApp::SetRegistryKey(const char* key)
{
    m_strRegistryKey = key;
    m_strProfileName = m_strAppName;
}

namespace {

// HKEY_CURRENT_USER\Software\<key>\<profile>\<section>, created when missing.
HKEY OpenSectionKey(const CString& registryKey, const CString& profile, const char* section)
{
    if (registryKey.IsEmpty())
        return nullptr;
    CString path = "Software\\";
    path += registryKey;
    path += "\\";
    path += profile;
    path += "\\";
    path += section;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

} // namespace

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) const
{
    HKEY key = OpenSectionKey(m_strRegistryKey, m_strProfileName, section);
    if (!key)
        return defaultValue;
    CString value = defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        char* buffer = value.GetBuffer(static_cast<int>(size));
        if (::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS)
            value.ReleaseBuffer();
        else
            value = defaultValue;
    }
    ::RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    HKEY key = OpenSectionKey(m_strRegistryKey, m_strProfileName, section);
    if (!key)
        return FALSE;
    LONG result;
    if (value) {
        const CString text(value);
        result = ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                                  static_cast<DWORD>(text.GetLength() + 1));
    } else {
        result = ::RegDeleteValueA(key, entry);
        if (result == ERROR_FILE_NOT_FOUND)
            result = ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    m_nMaxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    for (UINT i = 1; i <= maxRecentFiles; ++i) {
        CString entry;
        entry.Format("File%u", i);
        CString path = GetProfileString(kRecentFileSection, entry);
        if (!path.IsEmpty())
            m_recentFiles.push_back(path);
    }
}

void CWinApp::AddToRecentFileList(const char* path)
{
    if (m_nMaxRecentFiles == 0 || !path || !*path)
        return;
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [path](const CString& known) { return ::lstrcmpiA(known, path) == 0; }),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), CString(path));
    if (m_recentFiles.size() > m_nMaxRecentFiles)
        m_recentFiles.resize(m_nMaxRecentFiles);
    for (UINT i = 0; i < m_nMaxRecentFiles; ++i) {
        CString entry;
        entry.Format("File%u", i + 1);
        WriteProfileString(kRecentFileSection, entry, i < m_recentFiles.size() ? m_recentFiles[i].GetString() : nullptr);
    }
}

// --- documents ---

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate)
{
    if (docTemplate)
        m_templates.emplace_back(docTemplate);
}

CSingleDocTemplate* CWinApp::GetDocTemplate() const
{
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

CDocument* CWinApp::OpenDocumentFile(const char* path)
{
    CSingleDocTemplate* docTemplate = GetDocTemplate();
    if (!docTemplate) {
        AfxMessageBox("No document type is available.", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return docTemplate->OpenDocumentFile(path);
}

void CWinApp::OnFileNew() { OpenDocumentFile(nullptr); }

void CWinApp::OnFileOpen()
{
    CString filterName;
    CString filterExt;
    if (CSingleDocTemplate* docTemplate = GetDocTemplate()) {
        docTemplate->GetDocString(filterName, CSingleDocTemplate::filterName);
        docTemplate->GetDocString(filterExt, CSingleDocTemplate::filterExt);
    }
    // Filter pairs separated by zeros, the list ended by two.
    CString filter;
    if (!filterName.IsEmpty() && !filterExt.IsEmpty()) {
        filter += filterName;
        filter += '\0';
        filter += "*";
        filter += filterExt;
        filter += '\0';
    }
    filter += "All Files (*.*)";
    filter += '\0';
    filter += "*.*";
    filter += '\0';

    char file[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_pMainFrame ? m_pMainFrame->m_hWnd : nullptr;
    dialog.lpstrFilter = filter.GetString();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (platform::GetOpenFileNameA(&dialog))
        OpenDocumentFile(file);
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA setup{};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = m_pMainFrame ? m_pMainFrame->m_hWnd : nullptr;
    setup.hDevMode = m_hDevMode;
    setup.hDevNames = m_hDevNames;
    setup.Flags = PD_PRINTSETUP;
    platform::PrintDlgA(&setup);
    // The dialog may replace the handles, also when cancelled.
    m_hDevMode = setup.hDevMode;
    m_hDevNames = setup.hDevNames;
}

// --- the shell commands ---

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    const std::vector<CString> arguments = AfxSplitCommandLine(m_strCmdLine);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const CString& argument = arguments[i];
        const bool flag = argument.GetLength() > 1 && (argument.GetAt(0) == '/' || argument.GetAt(0) == '-');
        const BOOL last = i + 1 == arguments.size();
        info.ParseParam(flag ? argument.GetString() + 1 : argument.GetString(), flag, last);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW))
            OnFileNew();
        return m_pMainFrame != nullptr;

    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        if (!OpenDocumentFile(info.m_strFileName))
            return FALSE;
        if (info.m_nShellCommand == CCommandLineInfo::FilePrintTo) {
            m_strPrintToPrinter = info.m_strPrinterName;
            m_strPrintToDriver = info.m_strDriverName;
            m_strPrintToPort = info.m_strPortName;
        }
        if (m_pMainFrame)
            m_pMainFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
        m_strPrintToPrinter.Empty();
        m_strPrintToDriver.Empty();
        m_strPrintToPort.Empty();
        return FALSE;  // a shell print ends the application once printed

    case CCommandLineInfo::UnknownOption:
    default: {
        CString prompt;
        prompt.Format("The command-line option %s is unknown or incomplete.", info.m_strUnknown.GetString());
        AfxMessageBox(prompt.GetString(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    }
}

// --- entry point, OLE, control containment ---

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    AfxSetInstanceHandle(instance);
    app->m_strCmdLine = commandLine ? commandLine : "";
    app->m_nCmdShow = showCommand;
    if (!app->InitInstance()) {
        if (CFrameWnd* frame = app->GetMainFrame())
            frame->DestroyWindow();
        app->ExitInstance();
        return 1;
    }
    return app->Run();
}

namespace platform::testing {
OleInitializeFunction SetOleInitialize(OleInitializeFunction function)
{
    const OleInitializeFunction previous = g_oleInitialize;
    g_oleInitialize = function;
    return previous;
}
} // namespace platform::testing

BOOL AfxOleInit()
{
    const HRESULT result = g_oleInitialize ? g_oleInitialize(nullptr) : ::OleInitialize(nullptr);
    if (FAILED(result))
        return FALSE;
    if (g_app)
        g_app->m_bOleInitialized = true;
    return TRUE;
}

void AfxEnableControlContainer(COccManager*) { g_controlContainer = true; }

BOOL AfxControlContainerEnabled() { return g_controlContainer; }
