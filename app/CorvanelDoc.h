// CorvanelDoc.h: the application's document, which holds no data.
#pragma once

#include "platform/appservices/Document.h"

class CCorvanelDoc : public CDocument {
public:
    static const CRuntimeClass kRuntimeClass;   // "CCorvanelDoc", dynamically creatable
    const CRuntimeClass* GetRuntimeClass() const override;

    CCorvanelDoc();
    ~CCorvanelDoc() override;

    // The base's new document; nothing of its own to set up.
    BOOL OnNewDocument() override;

protected:
    const CommandMap* GetCommandMap() const override;
};
