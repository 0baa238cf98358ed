// MessageBoxCounter.h: counts the framework's message boxes and answers them
// without showing them, for as long as it lives.
#pragma once

#include "platform/window/MessageBox.h"
#include "platform/core/String.h"

namespace test {

class MessageBoxCounter {
public:
    explicit MessageBoxCounter(int answer = IDOK)
    {
        AfxSetMessageBoxHook([this, answer](const MessageBoxRequest& request) {
            ++count;
            lastText = request.text;
            lastCaption = request.caption;
            lastType = request.type;
            lastHelpId = request.helpId;
            return answer;
        });
    }
    ~MessageBoxCounter() { AfxSetMessageBoxHook({}); }
    MessageBoxCounter(const MessageBoxCounter&) = delete;
    MessageBoxCounter& operator=(const MessageBoxCounter&) = delete;

    int count = 0;
    CString lastText;
    CString lastCaption;
    UINT lastType = 0;
    UINT lastHelpId = 0;
};

} // namespace test
