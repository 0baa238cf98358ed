// MessageBox.cpp: the framework's message box.
#include "platform/window/MessageBox.h"

#include "platform/window/Module.h"
#include "platform/core/String.h"
#include "platform/window/Wnd.h"

#include <utility>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

// The window that a new modal window belongs to: the main window's last
// active popup, else the active window.
HWND DefaultOwner()
{
    CWnd* main = AfxGetMainWnd();
    return (main && main->m_hWnd) ? ::GetLastActivePopup(main->m_hWnd) : ::GetActiveWindow();
}

} // namespace

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId)
{
    const CString caption = AfxGetAppTitle();
    const MessageBoxRequest request{DefaultOwner(), text, caption.GetString(), type, helpId};
    if (Hook())
        return Hook()(request);

    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof params;
    params.hwndOwner = request.owner;
    params.hInstance = AfxGetInstanceHandle();
    params.lpszText = request.text;
    params.lpszCaption = request.caption;
    params.dwStyle = request.type;
    params.dwContextHelpId = request.helpId;
    return ::MessageBoxIndirectA(&params);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    char buffer[512] = {};
    CString prompt;
    if (::LoadStringA(AfxGetInstanceHandle(), promptId, buffer, static_cast<int>(sizeof buffer)) > 0)
        prompt = buffer;
    else
        prompt.Format("The program could not complete the operation (message %u is missing).", promptId);
    return AfxMessageBox(prompt.GetString(), type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}
