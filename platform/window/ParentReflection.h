// ParentReflection.h: reflection for child windows whose parent is no
// framework window, such as a plain program's dialog.
//
//   CParentReflection   makes a child's parent hand the child's notifications
//                       back to the child's object, and gives the child an
//                       object through which to talk to that parent
//
// A framework parent reflects by itself (CWnd::WindowProc), so nothing is
// installed for it and its own object is the one handed out. Any other parent
// gets our window procedure, once, in front of the one it had (through the
// W functions for a Unicode window, so that it stays one), counted by the
// reflections alive under it. The procedure offers WM_COMMAND, WM_NOTIFY and
// WM_DRAWITEM from the registered children to them first (AfxReflectToChild,
// the framework's rule), and passes everything else on with CallWindowProc.
// Its state sits in a process-wide table keyed by the parent, so that a
// message costs one lookup, with no window property read.
//
// Subclasses come and go in any order, so ours comes off only from the top
// of the chain: when the last reflection ends while another procedure sits
// above ours, ours stays in place and passes every message on until the
// parent's WM_NCDESTROY, which ends its record in any case.
#pragma once

#include "platform/window/Wnd.h"

#include <memory>
#include <vector>

class CParentReflection {
public:
    CParentReflection() = default;
    CParentReflection(const CParentReflection&) = delete;
    CParentReflection& operator=(const CParentReflection&) = delete;
    // Ends the reflection.
    ~CParentReflection();

    // Starts reflection for child, a window with a permanent object, and
    // returns the object that stands for its parent: the parent's own
    // permanent object, or one that this reflection keeps (never a temporary
    // one, which would end with the current dispatch). Null when the child
    // has no parent, the reflection has started already or the subclass
    // cannot be installed.
    CWnd* Start(CWnd& child);
    // Reflects the notifications of another child of the same parent too,
    // such as a control's companion button.
    void Add(CWnd& child);
    // Ends the reflection for every child it registered; the parent's
    // subclass goes with the last reflection under it.
    void Stop();

    // Whether the parent's notifications come through the subclass (a parent
    // without a framework object).
    bool IsSubclassing() const { return m_subclassing; }

private:
    HWND m_hParent = nullptr;
    bool m_subclassing = false;
    std::vector<HWND> m_children;
    // The object for a parent without one: not in the handle map, so it
    // never destroys the window, and it lives as long as this reflection.
    std::unique_ptr<CWnd> m_pParentObject;
};
