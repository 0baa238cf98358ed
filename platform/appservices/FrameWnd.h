// FrameWnd.h: the frame window of a document.
//
//   CFrameWnd   a top-level window made from one resource id (menu,
//               accelerators, icon, and its title from the document string),
//               holding one view; it routes menu and accelerator commands to
//               the view, itself, the document and the application
#pragma once

#include "platform/appservices/Object.h"
#include "platform/core/String.h"
#include "platform/window/Wnd.h"

class CDocument;
class CView;
struct CCreateContext;

// Sides on which control bars may dock (EnableDocking).
constexpr DWORD kDockLeft = 0x1000;
constexpr DWORD kDockTop = 0x2000;
constexpr DWORD kDockRight = 0x4000;
constexpr DWORD kDockBottom = 0x8000;
constexpr DWORD kDockAny = kDockLeft | kDockTop | kDockRight | kDockBottom;

class CFrameWnd : public CWnd, public CObject {
public:
    static const CRuntimeClass kRuntimeClass;
    const CRuntimeClass* GetRuntimeClass() const override;

    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Creates the window from the resources of resourceId; the context, if
    // any, names the view to make in it. The window is not shown. After a
    // successful load the object deletes itself after its window's last message.
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                   CCreateContext* context = nullptr);
    // Called before the window is made; the base fills in the frame's window
    // class. FALSE stops the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);

    // Allows control bars to dock on these sides (kDock... bits). The frame
    // makes no bars of its own.
    void EnableDocking(DWORD dockSides) { m_dwDockSides = dockSides & kDockAny; }
    DWORD GetDockingSides() const { return m_dwDockSides; }

    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view) { m_pActiveView = view; }
    CDocument* GetActiveDocument() const;
    HACCEL GetAccelerators() const { return m_hAccelTable; }
    // The window-title field of the document string.
    const CString& GetTitle() const { return m_strTitle; }

    // Gives the document's views their first update, makes the first one
    // active and shows the document in the title.
    void InitialUpdateFrame(CDocument* document);
    // "document title - frame title", or the frame title alone.
    void OnUpdateFrameTitle();
    // Runs a menu or accelerator command: the active view (then its
    // document), the frame's own map, the application. FALSE when none takes it.
    BOOL OnCmdMsg(UINT id);

protected:
    // WM_CREATE: default processing, then the view from the creation context.
    // Returns 0, or -1 when the window or the view could not be made.
    LRESULT OnCreate(WPARAM, LPARAM createStruct);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnCommandMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM, LPARAM);

    const MessageMap* GetMessageMap() const override;
    void PostNcDestroy() override;

private:
    BOOL CreateView(CCreateContext* context);

    CString m_strTitle;
    HACCEL m_hAccelTable = nullptr;
    CView* m_pActiveView = nullptr;
    DWORD m_dwDockSides = 0;
    bool m_bAutoDelete = false;
};
