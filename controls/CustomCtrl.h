// CustomCtrl.h: what a date control needs to live in a host dialog.
//
//   CCustomCtrl   the binding to the dialog's text member and date value, the
//                 control id and option bits, the entry text, and the rules by
//                 which a control checks its text when the user leaves it,
//                 takes the focus back from a refused text and tells its parent
//
// The date controls derive from the framework's CEdit first and from this
// class second. The protocol messages are in DatumProtocol.h.
#pragma once

#include "controls/DatumProtocol.h"
#include "platform/core/String.h"

#include <cstdint>

class CWnd;

class CCustomCtrl {
public:
    CCustomCtrl();
    CCustomCtrl(const CCustomCtrl&) = delete;
    CCustomCtrl& operator=(const CCustomCtrl&) = delete;
    virtual ~CCustomCtrl();

    // --- the control interface, overridden by the date controls ---

    // Copies the window text into buffer, at most capacity - 1 characters,
    // always terminated; returns the number of characters copied. A null
    // buffer or a capacity below 1 writes nothing and returns 0.
    // The base has no window text: it writes the empty string.
    virtual int GetText(char* buffer, int capacity);
    virtual void SetValuePtr(void* pValue);
    // Whether the window text is acceptable; the base accepts everything.
    virtual BOOL IsValid();
    // Whether the text as it is being typed is acceptable, for the change
    // rules: without the rules that are judged only when a text is left.
    // The base asks IsValid.
    virtual BOOL IsValidAsTyped();
    // After the text was accepted (on leaving, and by a host's command):
    // the base does nothing.
    virtual void TextAccepted();
    // Whether the focus may stay where it went from a refused text, besides
    // Cancel and the ids that keep it; the base never lets it.
    virtual BOOL LetsFocusGo();
    // Rewrites the window text in the control's display form; the base has none.
    virtual void Normalize();
    // Gives the control's own window the keyboard focus; the base has no window.
    virtual void SetCtrlFocus();
    // Tells the user why the text was refused, after every refusal, whether
    // or not the focus could be taken back; the base stays silent, as a
    // control does without DCF_EXPLAIN.
    virtual void ExplainRefusal();

    // --- binding ---
    void Bind(CCustomCtrl* pCtrl, CWnd* pParent, int nID, int nMaxLen, CString* pText, void* pValue,
              int nFlags, const char* pszInitial);
    // A control is unbound until its dialog's first data exchange.
    bool IsBound() const { return m_pText != nullptr; }

    // --- the rules ---
    void SetEntryText(const CString& text);
    CString* ClearBoundText();
    // The change rules: after every change of the window text. A text that
    // may still grow into another date (a relative form, "+1" on the way to
    // "+14") does not advance the focus even when valid.
    void OnTextChange(const CString& text, bool complete = true);
    // The focus-out check: when the user leaves the control.
    void CheckOnExit(const CString& text);
    // Whether the control may take the focus back from the window that now
    // holds it; tells that window to skip its own next focus-out check.
    BOOL MayReclaimFocus();
    // Every refusal ends here: the focus back where it may be taken
    // (ReclaimFocus), then the control's explanation (ExplainRefusal).
    void Refuse();
    // Gives the control the focus back when MayReclaimFocus allows it.
    void ReclaimFocus();
    // The explicit check of DCM_VERIFY.
    void CheckValid();
    // DCN_MODIFIED when text differs from the bound text.
    void CheckModified(const CString* text);

    // --- fields ---
    CCustomCtrl* m_pCtrl = nullptr;  // the control interface the checks call; the control itself
    CWnd* m_pParent = nullptr;       // the dialog that bound the control; receives every notification
    std::uint16_t m_nID = 0;         // the control id: wParam of every notification
    std::uint16_t m_wFlags = 0;      // DCF_ option bits
    CString* m_pText = nullptr;      // the dialog's bound text member; null while unbound
    void* m_pValue = nullptr;        // the dialog's CDateValue or CDateTimeValue, or null
    CString m_strEntry;              // the window text when the control last got the focus
    int m_nMaxLen = 0;               // maximum text length; 0 means no limit
    BOOL m_bSettingText = FALSE;     // the next change is the control's own rewrite

protected:
    // Sends one notification of the protocol to the parent: (control id, 0).
    void NotifyParent(UINT notification) const;
};
