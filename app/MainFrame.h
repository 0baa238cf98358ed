// MainFrame.h: the application's main frame.
//
//   CMainFrame   the frame of resource 128; docking allowed on every side,
//                no tool bar and no status bar
#pragma once

#include "platform/appservices/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    static const CRuntimeClass kRuntimeClass;   // "CMainFrame", dynamically creatable
    const CRuntimeClass* GetRuntimeClass() const override;

    CMainFrame();
    ~CMainFrame() override;

    // The base's choice, as TRUE or FALSE; the creation structure is left alone.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
    // WM_CREATE: the base's creation (the view), then docking on every side.
    // Returns -1 when the base fails, else 0.
    LRESULT OnCreate(WPARAM wParam, LPARAM createStruct);

    const MessageMap* GetMessageMap() const override;
};
