// CorvanelView.h: the application's view, which draws nothing.
#pragma once

#include "platform/appservices/View.h"

class CCorvanelView : public CView {
public:
    static const CRuntimeClass kRuntimeClass;   // "CCorvanelView", dynamically creatable
    const CRuntimeClass* GetRuntimeClass() const override;

    CCorvanelView();
    ~CCorvanelView() override;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(HDC dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(HDC dc, CPrintInfo* info) override;
    void OnEndPrinting(HDC dc, CPrintInfo* info) override;

protected:
    const MessageMap* GetMessageMap() const override;
};
