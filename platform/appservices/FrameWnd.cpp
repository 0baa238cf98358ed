// FrameWnd.cpp: the frame window of a document.
#include "platform/appservices/FrameWnd.h"

#include "platform/window/CommandIds.h"
#include "platform/appservices/Document.h"
#include "platform/window/Module.h"
#include "platform/appservices/View.h"
#include "platform/appservices/WinApp.h"

namespace {

constexpr char kFrameClassName[] = "PlatformFrame";

// The frames' window class: the framework's procedure takes every message
// from the first one on (the creation hook attaches the object).
BOOL RegisterFrameClass()
{
    WNDCLASSA record{};
    if (::GetClassInfoA(AfxGetInstanceHandle(), kFrameClassName, &record))
        return TRUE;
    record.style = CS_DBLCLKS;
    record.lpfnWndProc = ::DefWindowProcA;
    record.hInstance = AfxGetInstanceHandle();
    record.hCursor = ::LoadCursorA(nullptr, win32::ResourceId(32512 /* IDC_ARROW */));
    record.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    record.lpszClassName = kFrameClassName;
    return ::RegisterClassA(&record) != 0;
}

HICON LoadSharedIcon(UINT id, int sizeMetricX, int sizeMetricY)
{
    return static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), win32::ResourceId(id), IMAGE_ICON,
                                           ::GetSystemMetrics(sizeMetricX), ::GetSystemMetrics(sizeMetricY),
                                           LR_SHARED));
}

} // namespace

const CRuntimeClass CFrameWnd::kRuntimeClass =
    DynamicRuntimeClass<CFrameWnd>("CFrameWnd", RuntimeClassOf<CObject>());

const CRuntimeClass* CFrameWnd::GetRuntimeClass() const { return &kRuntimeClass; }

CFrameWnd::~CFrameWnd() = default;

const MessageMap* CFrameWnd::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CFrameWnd::OnCreate>(WM_CREATE),
        OnMessage<&CFrameWnd::OnSize>(WM_SIZE),
        OnMessage<&CFrameWnd::OnCommandMessage>(WM_COMMAND),
        OnMessage<&CFrameWnd::OnDestroy>(WM_DESTROY),
    };
    static const MessageMap kMap{CWnd::GetMessageMap(), kEntries};
    return &kMap;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        if (!RegisterFrameClass())
            return FALSE;
        cs.lpszClass = kFrameClassName;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    if (m_hWnd)
        return FALSE;
    const HINSTANCE instance = AfxGetInstanceHandle();
    char documentString[1024] = {};
    ::LoadStringA(instance, resourceId, documentString, static_cast<int>(sizeof documentString));
    int titleLength = 0;
    while (documentString[titleLength] != '\0' && documentString[titleLength] != '\n')
        ++titleLength;
    m_strTitle = CString(documentString, titleLength);

    HMENU menu = ::LoadMenuA(instance, win32::ResourceId(resourceId));
    CREATESTRUCTA cs{};
    cs.lpCreateParams = context;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.cy = CW_USEDEFAULT;
    cs.cx = CW_USEDEFAULT;
    cs.y = CW_USEDEFAULT;
    cs.x = CW_USEDEFAULT;
    cs.style = static_cast<LONG>(style & ~static_cast<DWORD>(WS_VISIBLE));
    cs.lpszName = m_strTitle.GetString();
    if (!PreCreateWindow(cs)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }

    AfxHookWindowCreate(*this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (menu && ::IsMenu(menu))
            ::DestroyMenu(menu);
        return FALSE;
    }
    m_hAccelTable = ::LoadAcceleratorsA(instance, win32::ResourceId(resourceId));
    SendMessage(WM_SETICON, ICON_BIG, win32::ToLParam(LoadSharedIcon(resourceId, SM_CXICON, SM_CYICON)));
    SendMessage(WM_SETICON, ICON_SMALL, win32::ToLParam(LoadSharedIcon(resourceId, SM_CXSMICON, SM_CYSMICON)));
    m_bAutoDelete = true;
    return TRUE;
}

LRESULT CFrameWnd::OnCreate(WPARAM, LPARAM createStruct)
{
    if (Default() == -1)
        return -1;
    const auto* cs = win32::FromLParam<CREATESTRUCTA>(createStruct);
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pNewViewClass && !CreateView(context))
        return -1;
    return 0;
}

BOOL CFrameWnd::CreateView(CCreateContext* context)
{
    CObject* object = context->m_pNewViewClass->CreateObject();
    if (!object)
        return FALSE;
    if (!object->IsKindOf(RuntimeClassOf<CView>())) {
        delete object;
        return FALSE;
    }
    auto* view = static_cast<CView*>(object);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (!view->Create(client, this, IDW_PANE_FIRST)) {
        delete view;
        return FALSE;
    }
    if (context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(view);
    return TRUE;
}

LRESULT CFrameWnd::OnSize(WPARAM, LPARAM)
{
    if (m_pActiveView && m_pActiveView->m_hWnd) {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        m_pActiveView->MoveWindow(client);
    }
    return Default();
}

LRESULT CFrameWnd::OnCommandMessage(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators come without a control window; controls' own
    // notifications get default processing.
    if (lParam == 0 && OnCmdMsg(win32::LowWord(wParam)))
        return 0;
    return Default();
}

LRESULT CFrameWnd::OnDestroy(WPARAM, LPARAM)
{
    CWinApp* app = AfxGetApp();
    if (app && app->GetMainFrame() == this)
        ::PostQuitMessage(0);
    return Default();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->GetMainFrame() == this)
        app->SetMainFrame(nullptr);
    m_pActiveView = nullptr;
    if (m_bAutoDelete)
        delete this;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* document)
{
    if (document) {
        for (CView* view : document->GetViews()) {
            if (view->GetParentFrame() == this)
                view->OnInitialUpdate();
        }
        if (!m_pActiveView && !document->GetViews().empty())
            m_pActiveView = document->GetViews().front();
    }
    OnUpdateFrameTitle();
}

void CFrameWnd::OnUpdateFrameTitle()
{
    if (!m_hWnd)
        return;
    CDocument* document = GetActiveDocument();
    if (!document || document->GetTitle().IsEmpty()) {
        SetWindowText(m_strTitle);
        return;
    }
    CString text = document->GetTitle();
    text += " - ";
    text += m_strTitle;
    SetWindowText(text);
}

BOOL CFrameWnd::OnCmdMsg(UINT id)
{
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id))
        return TRUE;
    if (const MessageMapEntry* entry = GetMessageMap()->Find(MessageKind::Command, 0, id)) {
        entry->thunk(*this, 0, 0);
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(id) : FALSE;
}
