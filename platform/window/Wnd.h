// Wnd.h: window objects and the framework's window procedure.
//
//   CWnd               a C++ object for a window: attachment, the handle map,
//                      message dispatch through message maps, reflection of
//                      child notifications, default processing, window state
//   AfxGetAfxWndProc   the framework's standard window procedure
//   AfxAdoptWindow     attach an object to a window at its first message
//   AfxNotifyingChild, AfxReflectToChild
//                      the reflection rule for a parent that has no object
//                      (ParentReflection.h installs it)
//
// Lifetime rules:
// - A window has at most one permanent object (Attach); FromHandle and
//   GetDlgItem return it. For any other window FromHandle makes a temporary
//   object, which the framework deletes when the message dispatch that made it
//   returns (made outside any dispatch: at the next DeleteTempMap).
// - After a window's last message (WM_NCDESTROY) its object is detached and
//   PostNcDestroy runs, exactly once.
// - Windows that the framework creates itself (CWnd::Create, CDialog) are
//   attached by one creation hook before their first message.
#pragma once

#include "platform/window/MessageMap.h"
#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <cstddef>

class CWnd {
public:
    // --- construction ---
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window still attached is detached from this object and destroyed.
    virtual ~CWnd();

    // Creates a child or popup window of a registered class; the object is
    // attached before the window's first message.
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL DestroyWindow();

    // --- the handle map ---
    // The permanent object of the window, or a temporary one (null for a null handle).
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of the window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes the temporary objects made outside any message dispatch; call at idle time.
    static void DeleteTempMap();

    // Enters the pair into the permanent map. FALSE when this object already
    // has a window or the window already has a permanent object.
    BOOL Attach(HWND hWnd);
    // Removes the pair from the permanent map and returns the window.
    HWND Detach();

    // Attach, then route the window's messages through the framework's
    // procedure, keeping its current procedure as the super procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The procedure that default processing calls; null means DefWindowProc.
    WNDPROC GetSuperWndProc() const { return m_pfnSuper; }
    void SetSuperWndProc(WNDPROC proc) { m_pfnSuper = proc; }

    // --- relatives ---
    CWnd* GetDlgItem(int id) const;
    // The descendant with this id at any depth, nearest level first.
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;

    // --- window state ---
    int GetWindowText(char* buffer, int capacity) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetWindowText(LPCSTR text);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    void GetWindowRect(RECT* rect) const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL RedrawWindow(const RECT* update = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // Gives this window the keyboard focus; returns the window that had it.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HWND m_hWnd = nullptr;

protected:
    // --- message handling ---
    // Dispatches one message: a child's notification is offered to the
    // child's object first, then the own map is searched, then Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message that is being handled now to the default processing.
    // A reflected notification has none: there Default() returns 0.
    LRESULT Default();
    // The default processing of any message: the super procedure, else DefWindowProc.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after WM_NCDESTROY, once the object is detached. Objects that own
    // themselves delete themselves here.
    virtual void PostNcDestroy();
    // This class's message map; every class with handlers overrides it.
    virtual const MessageMap* GetMessageMap() const;

private:
    // The parent's side of reflection: the child's object handles its own
    // notification when its map has a reflected entry for it.
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    BOOL OnChildNotify(MessageKind kind, UINT code, WPARAM wParam, LPARAM lParam, LRESULT& result);

    friend LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT AfxCallWndProc(CWnd& window, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend BOOL AfxReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_pfnSuper = nullptr;
};

// The framework's standard window procedure: finds the window's permanent
// object and dispatches the message to it.
WNDPROC AfxGetAfxWndProc();

// Adopts a window at its first message, for class procedures of registered
// controls: attaches the window to the object, makes superProc the object's
// default processing, routes the window through the framework's procedure
// and dispatches this first message to the object.
LRESULT AfxAdoptWindow(CWnd& window, WNDPROC superProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The child window that sent a notification a parent reflects: the sender
// of WM_COMMAND or WM_NOTIFY, the item of WM_DRAWITEM (not a menu's); null
// for any other message.
HWND AfxNotifyingChild(UINT message, WPARAM wParam, LPARAM lParam);

// The parent's side of reflection for a parent that has no object: offers
// the child's notification to the child's permanent object, by the same rule
// as a framework parent, inside a dispatch of its own, so that temporary
// objects made while the child handles it end with it. TRUE, and the
// handler's result in *result, when the child's map took it.
BOOL AfxReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The creation hook: the next window created on this thread (an IME window
// aside) is attached to this object and subclassed before its first message.
// Used by the framework around its own CreateWindowEx and dialog calls; the
// WH_CBT hook behind it is set on first use and stays for the thread's life.
void AfxHookWindowCreate(CWnd& window);
// Ends the hook; FALSE when the expected window was never created.
BOOL AfxUnhookWindowCreate();
