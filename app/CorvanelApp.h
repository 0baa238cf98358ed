// CorvanelApp.h: the application.
//
//   CCorvanelApp   start-up: common controls, the date controls' window
//                  classes, the framework, OLE, the document template and the
//                  command line; then the test dialog in place of the main
//                  window and the message loop, and exit status 0 when it closes
#pragma once

#include "platform/appservices/WinApp.h"

class CCorvanelApp : public CWinApp {
public:
    CCorvanelApp();
    ~CCorvanelApp() override;

    // Returns FALSE when OLE, the document template or the shell command
    // fails; otherwise runs the test dialog and ends the process with exit(0).
    BOOL InitInstance() override;

    // The About command: the test dialog, modal; its result is not used.
    void OnAppAbout();

protected:
    const CommandMap* GetCommandMap() const override;
};
