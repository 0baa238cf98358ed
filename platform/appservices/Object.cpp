// Object.cpp: run-time class information and dynamic creation.
#include "platform/appservices/Object.h"

const CRuntimeClass CObject::kRuntimeClass = {"CObject", static_cast<int>(sizeof(CObject)), kNoSchema, nullptr,
                                              nullptr};

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* current = this; current; current = current->m_pBaseClass) {
        if (current == base)
            return TRUE;
    }
    return FALSE;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &kRuntimeClass; }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
