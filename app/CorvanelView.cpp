// CorvanelView.cpp: the application's view, with the framework's printing.
#include "app/CorvanelView.h"

#include "platform/window/CommandIds.h"

const CRuntimeClass CCorvanelView::kRuntimeClass =
    DynamicRuntimeClass<CCorvanelView>("CCorvanelView", RuntimeClassOf<CView>());

const CRuntimeClass* CCorvanelView::GetRuntimeClass() const { return &kRuntimeClass; }

CCorvanelView::CCorvanelView() = default;

CCorvanelView::~CCorvanelView() = default;

const MessageMap* CCorvanelView::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnCommand<&CView::OnFilePrint>(ID_FILE_PRINT),
        OnCommand<&CView::OnFilePrintDirect>(ID_FILE_PRINT_DIRECT),
        OnCommand<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
    };
    static const MessageMap kMap{CView::GetMessageMap(), kEntries};
    return &kMap;
}

BOOL CCorvanelView::PreCreateWindow(CREATESTRUCTA& cs) { return CView::PreCreateWindow(cs); }

void CCorvanelView::OnDraw(HDC) {}

BOOL CCorvanelView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CCorvanelView::OnBeginPrinting(HDC, CPrintInfo*) {}

void CCorvanelView::OnEndPrinting(HDC, CPrintInfo*) {}
