// PreviewTip.h: the tip under a date field that shows the date a shorthand
// stands for while it is typed.
//
//   CPreviewTip   one line of text (wide: a long date in any language) in
//                 a tracking tooltip window at the field's bottom-left
//                 corner, changed in place as the text changes
//
// Unlike the refusal tip it stays through keys and clicks: the field takes
// it away when its text is no shorthand any more or the focus leaves. Its
// coming, changing and going are announced to accessibility clients as a
// change of the field's description, which the text is while it shows.
#pragma once

#include "platform/window/Win32.h"

#include <string>

class CPreviewTip {
public:
    CPreviewTip() = default;
    ~CPreviewTip();
    CPreviewTip(const CPreviewTip&) = delete;
    CPreviewTip& operator=(const CPreviewTip&) = delete;

    // Shows the text under the field, in place of the text shown before.
    // An empty text, or one no tooltip can be made for, hides the tip.
    void Show(HWND field, const std::wstring& text);
    void Hide();

    // The text while the tip shows, else empty.
    const std::wstring& Text() const { return m_text; }

private:
    HWND m_field = nullptr;
    HWND m_tooltip = nullptr;
    std::wstring m_text;
};
