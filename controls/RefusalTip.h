// RefusalTip.h: the balloon tip under a date field that says why its text
// was refused, or under the calendar that says why a day is not picked.
//
//   CRefusalTip   shows one sentence at a window and hides it again: the
//                 edit's own balloon (EM_SHOWBALLOONTIP) where the common
//                 controls have one (version 6), else a tracking tooltip
//                 window with the balloon style; either way a standard
//                 tooltip window, which screen readers announce
//
// The tip never takes the focus; the window it shows at hides it at the
// next key, click or focus change. Its coming and going is announced to
// accessibility clients as a change of the field's description.
#pragma once

#include "platform/core/String.h"
#include "platform/window/Win32.h"

#include <string>

class CWnd;

class CRefusalTip {
public:
    CRefusalTip() = default;
    ~CRefusalTip();
    CRefusalTip(const CRefusalTip&) = delete;
    CRefusalTip& operator=(const CRefusalTip&) = delete;

    // Shows the sentence under the field, in place of any sentence shown
    // before. When no tip can be made, no sentence is kept either.
    void Show(const CWnd& field, const CString& sentence);
    // Takes away whatever Show made; the destructor does too.
    void Hide();
    // Hides the tip when the message is a key, a click or a focus change,
    // which a window passes here before any handler sees it.
    void HideAtInput(UINT message);

    // The sentence while the tip shows, else empty; and the same in UTF-16
    // for the accessibility layer and the edit's balloon.
    const CString& Sentence() const { return m_sentence; }
    const std::wstring& WideSentence() const { return m_wide; }

private:
    HWND m_field = nullptr;
    HWND m_tooltip = nullptr;
    bool m_editBalloon = false;
    CString m_sentence;
    std::wstring m_wide;
};
