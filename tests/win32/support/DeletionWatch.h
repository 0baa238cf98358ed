// DeletionWatch.h: whether the objects of chosen windows were deleted, and
// how often, seen from the heap as a leak checker sees it.
//
//   DeletionWatch       the framework objects of some windows, each counted
//                       as its block comes back through the global operator
//                       delete; a block handed out again is counted no
//                       more, so a later object at that address is not
//                       taken for the watched one
//   WindowObjectCensus  the objects of the plain class CWnd (what the handle
//                       map makes for a window without an object of its
//                       own) made since the census began and alive now, as
//                       a leak checker that knows each block's class counts
//   PoisonFreedBlocks   while on, freed blocks are filled with 0xDD and kept,
//                       so that a use of a deleted object reads poison
//
// This support replaces the test program's global operator new and delete
// (DeletionWatch.cpp); the product knows nothing of it.
#pragma once

#include "platform/window/Win32.h"

namespace test {

// One watch at a time.
class DeletionWatch {
public:
    DeletionWatch();
    ~DeletionWatch();
    DeletionWatch(const DeletionWatch&) = delete;
    DeletionWatch& operator=(const DeletionWatch&) = delete;

    // Watches the window's object in the framework's handle map; false when
    // it has none or the watch is full.
    bool Watch(HWND window);
    // How often the object that the window had when watched was deleted
    // since; -1 for a window never watched.
    int Deletions(HWND window) const;
};

// One census at a time.
class WindowObjectCensus {
public:
    WindowObjectCensus();
    ~WindowObjectCensus();
    WindowObjectCensus(const WindowObjectCensus&) = delete;
    WindowObjectCensus& operator=(const WindowObjectCensus&) = delete;

    // Blocks made since the census began, not freed, that hold a CWnd: their
    // first word is the class's table of virtual functions.
    int Live() const;
};

void PoisonFreedBlocks(bool poison);

} // namespace test
