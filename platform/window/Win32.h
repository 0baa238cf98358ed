// Win32.h: the window layer's one include of the Windows headers, and typed
// stand-ins for the Win32 macros that would otherwise put C casts into our code.
//
//   win32::ResourceId      MAKEINTRESOURCE for a numbered resource or class
//   win32::LowWord/HighWord/MakeWParam   LOWORD, HIWORD, MAKEWPARAM
//   win32::FromLParam/ToLParam           pointers carried in an LPARAM
//   win32::GetWindowProc/SetWindowProc   GWLP_WNDPROC through the pointer-sized calls
#pragma once

#ifdef UNICODE
#error "The window layer uses the single-byte (A) Win32 API: build without UNICODE."
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>

namespace win32 {

inline LPCSTR ResourceId(UINT id)
{
    return reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}

constexpr WORD LowWord(ULONG_PTR value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HighWord(ULONG_PTR value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WPARAM MakeWParam(UINT low, UINT high)
{
    return static_cast<WPARAM>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

template <class T>
T* FromLParam(LPARAM lParam) { return reinterpret_cast<T*>(lParam); }

template <class T>
LPARAM ToLParam(T* pointer) { return reinterpret_cast<LPARAM>(pointer); }

inline WNDPROC GetWindowProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

// Replaces the window's procedure and returns the one it had.
inline WNDPROC SetWindowProc(HWND hWnd, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// The entry of a system library with this name, typed as Function, or null.
// The library is loaded on the first call and stays: a program that never
// needs it does not pay for loading it at start-up. Callers keep the entry.
template <class Function>
Function* LibraryEntry(const char* library, const char* name)
{
    HMODULE module = ::LoadLibraryA(library);
    if (module == nullptr)
        return nullptr;
    // FARPROC is the untyped entry; the library's own header gives its type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace win32
