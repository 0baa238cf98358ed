// MainFrame.cpp: the application's main frame.
#include "app/MainFrame.h"

const CRuntimeClass CMainFrame::kRuntimeClass =
    DynamicRuntimeClass<CMainFrame>("CMainFrame", RuntimeClassOf<CFrameWnd>());

const CRuntimeClass* CMainFrame::GetRuntimeClass() const { return &kRuntimeClass; }

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

const MessageMap* CMainFrame::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CMainFrame::OnCreate>(WM_CREATE),
    };
    static const MessageMap kMap{CFrameWnd::GetMessageMap(), kEntries};
    return &kMap;
}

LRESULT CMainFrame::OnCreate(WPARAM wParam, LPARAM createStruct)
{
    if (CFrameWnd::OnCreate(wParam, createStruct) == -1)
        return -1;
    EnableDocking(kDockAny);
    return 0;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CFrameWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}
