// CorvanelDoc.cpp: the application's document.
#include "app/CorvanelDoc.h"

const CRuntimeClass CCorvanelDoc::kRuntimeClass =
    DynamicRuntimeClass<CCorvanelDoc>("CCorvanelDoc", RuntimeClassOf<CDocument>());

const CRuntimeClass* CCorvanelDoc::GetRuntimeClass() const { return &kRuntimeClass; }

CCorvanelDoc::CCorvanelDoc() = default;

CCorvanelDoc::~CCorvanelDoc() = default;

const CommandMap* CCorvanelDoc::GetCommandMap() const
{
    static const CommandMap kMap(CDocument::GetCommandMap());
    return &kMap;
}

BOOL CCorvanelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    return TRUE;
}
