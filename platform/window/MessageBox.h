// MessageBox.h: the framework's message box.
//
//   AfxMessageBox            a message box owned by the active window of the application,
//                            captioned with the application's title (AfxGetAppTitle)
//   MessageBoxRequest        what a message box would show
//   AfxSetMessageBoxHook     tests: answer message boxes without showing them
#pragma once

#include "platform/window/Win32.h"

#include <functional>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The prompt is a string resource; help id -1 means the prompt's own id.
// A prompt missing from the resources still gives a readable message.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

struct MessageBoxRequest {
    HWND owner;
    const char* text;
    const char* caption;
    UINT type;
    UINT helpId;
};

// While a hook is set, AfxMessageBox calls it instead of showing a box and
// returns its answer (IDOK, IDCANCEL, ...). Returns the previous hook; pass
// an empty function to show real message boxes again.
using MessageBoxHook = std::function<int(const MessageBoxRequest& request)>;
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);
