// Replaces OLE initialisation for the duration of a test.
//
// The tests use this header, and WinApp.cpp includes it for the one
// function that it defines; it is not installed. While an
// OleInitializeOverride lives, AfxOleInit calls the given function instead
// of OleInitialize, so that a test can make OLE initialisation fail.
#pragma once

#include "platform/window/Win32.h"

namespace platform::testing {

using OleInitializeFunction = HRESULT(WINAPI*)(LPVOID reserved);

// Installs the replacement, or removes it (null); returns the previous one.
OleInitializeFunction SetOleInitialize(OleInitializeFunction function);

class OleInitializeOverride {
public:
    explicit OleInitializeOverride(OleInitializeFunction function) : m_previous(SetOleInitialize(function)) {}
    ~OleInitializeOverride() { SetOleInitialize(m_previous); }
    OleInitializeOverride(const OleInitializeOverride&) = delete;
    OleInitializeOverride& operator=(const OleInitializeOverride&) = delete;

private:
    OleInitializeFunction m_previous;
};

} // namespace platform::testing
