// View.cpp: the view of a document, and printing.
#include "platform/appservices/View.h"

#include "platform/appservices/Document.h"
#include "platform/appservices/FrameWnd.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Module.h"
#include "platform/appservices/WinApp.h"
#include "platform/appservices/CommonDialogs.h"

namespace {

constexpr char kViewClassName[] = "PlatformView";

BOOL RegisterViewClass()
{
    WNDCLASSA record{};
    if (::GetClassInfoA(AfxGetInstanceHandle(), kViewClassName, &record))
        return TRUE;
    record.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    record.lpfnWndProc = ::DefWindowProcA;
    record.hInstance = AfxGetInstanceHandle();
    record.hCursor = ::LoadCursorA(nullptr, win32::ResourceId(32512 /* IDC_ARROW */));
    record.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    record.lpszClassName = kViewClassName;
    return ::RegisterClassA(&record) != 0;
}

} // namespace

// --- CPrintInfo ---

CPrintInfo::CPrintInfo() : m_pd{}
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 1;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    // Global handles that the print dialog made and the application does not keep.
    CWinApp* app = AfxGetApp();
    if (m_pd.hDevMode && (!app || m_pd.hDevMode != app->m_hDevMode))
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames && (!app || m_pd.hDevNames != app->m_hDevNames))
        ::GlobalFree(m_pd.hDevNames);
}

// --- CView ---

const CRuntimeClass CView::kRuntimeClass = StaticRuntimeClass<CView>("CView", RuntimeClassOf<CObject>());

const CRuntimeClass* CView::GetRuntimeClass() const { return &kRuntimeClass; }

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

const MessageMap* CView::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CView::OnPaint>(WM_PAINT),
    };
    static const MessageMap kMap{CWnd::GetMessageMap(), kEntries};
    return &kMap;
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        if (!RegisterViewClass())
            return FALSE;
        cs.lpszClass = kViewClassName;
    }
    return TRUE;
}

BOOL CView::Create(const RECT& rect, CFrameWnd* frame, UINT id)
{
    CREATESTRUCTA cs{};
    cs.style = static_cast<LONG>(WS_CHILD | WS_VISIBLE | WS_BORDER);
    if (!PreCreateWindow(cs))
        return FALSE;
    m_pFrame = frame;
    if (!CWnd::Create(cs.lpszClass, cs.lpszName ? cs.lpszName : "", static_cast<DWORD>(cs.style), rect, frame, id)) {
        m_pFrame = nullptr;
        return FALSE;
    }
    m_bAutoDelete = true;
    return TRUE;
}

void CView::PostNcDestroy()
{
    if (m_pFrame && m_pFrame->GetActiveView() == this)
        m_pFrame->SetActiveView(nullptr);
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    if (m_bAutoDelete)
        delete this;
}

BOOL CView::OnCmdMsg(UINT id)
{
    if (const MessageMapEntry* entry = GetMessageMap()->Find(MessageKind::Command, 0, id)) {
        entry->thunk(*this, 0, 0);
        return TRUE;
    }
    return m_pDocument ? m_pDocument->OnCmdMsg(id) : FALSE;
}

void CView::OnInitialUpdate() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

LRESULT CView::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    OnDraw(dc);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnBeginPrinting(HDC, CPrintInfo*) {}

void CView::OnEndPrinting(HDC, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    PRINTDLGA& pd = info->m_pd;
    CWinApp* app = AfxGetApp();
    pd.hwndOwner = m_pFrame ? m_pFrame->m_hWnd : ::GetParent(m_hWnd);
    pd.Flags |= PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    if (app) {
        pd.hDevMode = app->m_hDevMode;
        pd.hDevNames = app->m_hDevNames;
    }
    if (!info->m_bDirect && !info->m_bPreview) {
        // The user may cancel: no message then. The printer chosen here is
        // the application's printer from now on.
        const BOOL chosen = platform::PrintDlgA(&pd);
        if (app) {
            app->m_hDevMode = pd.hDevMode;
            app->m_hDevNames = pd.hDevNames;
        }
        return chosen && pd.hDC;
    }

    if (app && !app->m_strPrintToPrinter.IsEmpty()) {
        pd.hDC = ::CreateDCA(app->m_strPrintToDriver, app->m_strPrintToPrinter, app->m_strPrintToPort, nullptr);
    } else if (pd.hDevNames) {
        const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(pd.hDevNames));
        const auto* mode = pd.hDevMode ? static_cast<const DEVMODEA*>(::GlobalLock(pd.hDevMode)) : nullptr;
        if (names) {
            const char* base = reinterpret_cast<const char*>(names);
            pd.hDC = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                                 base + names->wOutputOffset, mode);
        }
        if (mode)
            ::GlobalUnlock(pd.hDevMode);
        ::GlobalUnlock(pd.hDevNames);
    } else {
        pd.hDevMode = nullptr;  // the default printer's settings come back new
        pd.Flags |= PD_RETURNDEFAULT;
        platform::PrintDlgA(&pd);
    }
    if (!pd.hDC) {
        AfxMessageBox("No printer is available. Install a printer, then try again.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

LRESULT CView::OnFilePrint()
{
    Print(FALSE, FALSE);
    return 0;
}

LRESULT CView::OnFilePrintDirect()
{
    Print(TRUE, FALSE);
    return 0;
}

LRESULT CView::OnFilePrintPreview()
{
    Print(FALSE, TRUE);
    return 0;
}

void CView::Print(BOOL direct, BOOL preview)
{
    CPrintInfo info;
    info.m_bDirect = direct;
    info.m_bPreview = preview;
    if (!OnPreparePrinting(&info))
        return;
    HDC printer = info.m_pd.hDC;
    const UINT first = info.m_pd.nMinPage;
    const UINT last = info.m_pd.nMaxPage;

    if (preview) {
        OnBeginPrinting(printer, &info);
        for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
            HDC page = ::CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr);
            if (!page)
                break;
            OnDraw(page);
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(page));
        }
        OnEndPrinting(printer, &info);
        return;
    }

    const CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    DOCINFOA job{};
    job.cbSize = sizeof job;
    job.lpszDocName = title.GetString();
    if (::StartDocA(printer, &job) <= 0) {
        AfxMessageBox("The document could not be printed.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(printer, &info);
    for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
        ::StartPage(printer);
        OnDraw(printer);
        ::EndPage(printer);
    }
    OnEndPrinting(printer, &info);
    ::EndDoc(printer);
}
