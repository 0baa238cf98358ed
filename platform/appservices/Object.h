// Object.h: run-time class information and dynamic creation.
//
//   CRuntimeClass         a class's name, size, schema, base and (for
//                         dynamically creatable classes) its factory
//   CObject               the root of the classes that carry run-time class
//                         information: documents, frames, views, the application
//   RuntimeClassOf<T>     the run-time class of T
//   DynamicRuntimeClass<T>, StaticRuntimeClass<T>   build a class's record
//
// A class with run-time information declares
//
//   static const CRuntimeClass kRuntimeClass;
//   const CRuntimeClass* GetRuntimeClass() const override;
//
// and defines the record in its source file, where T is complete:
//
//   const CRuntimeClass CMainFrame::kRuntimeClass =
//       DynamicRuntimeClass<CMainFrame>("CMainFrame", RuntimeClassOf<CFrameWnd>());
//
// The records are constants, ready before any constructor of a global runs.
#pragma once

#include "platform/window/Win32.h"

#include <new>

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                     // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();    // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;  // null for CObject

    // A new object of this class, or null when the class is not dynamically
    // creatable or memory is short.
    CObject* CreateObject() const;
    // TRUE when this class is base or one of its descendants.
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass kRuntimeClass;

protected:
    CObject() = default;
};

template <class T>
const CRuntimeClass* RuntimeClassOf()
{
    return &T::kRuntimeClass;
}

namespace object_detail {
template <class T>
CObject* CreateDynamic()
{
    return new (std::nothrow) T;
}
} // namespace object_detail

constexpr UINT kNoSchema = 0xFFFF;

// The record of a class that CreateObject can make with its default constructor.
template <class T>
constexpr CRuntimeClass DynamicRuntimeClass(const char* name, const CRuntimeClass* base)
{
    return {name, static_cast<int>(sizeof(T)), kNoSchema, &object_detail::CreateDynamic<T>, base};
}

// The record of a class that is only identified, never made from its record.
template <class T>
constexpr CRuntimeClass StaticRuntimeClass(const char* name, const CRuntimeClass* base)
{
    return {name, static_cast<int>(sizeof(T)), kNoSchema, nullptr, base};
}
