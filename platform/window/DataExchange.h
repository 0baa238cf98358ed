// DataExchange.h: dialog data exchange between child windows and members.
//
//   CDataExchange   one exchange: the dialog, its direction, whether it failed
//   DDX_Text        a child's window text to or from a string member
//   DDV_MaxChars    a length limit on the text of the preceding DDX_Text
//   DDX_Control     a member object attached to an existing child
//
// No exceptions: a failed check marks the exchange failed, and every DDX_ and
// DDV_ call after it does nothing, so the user sees one message only.
#pragma once

#include "platform/core/String.h"
#include "platform/window/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    // The dialog's child with this id, remembered as the control that a
    // following DDV_ call checks; null when there is none.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);

    // Marks the exchange failed and gives the focus to the last prepared
    // control (an edit also gets its text selected).
    void Fail();
    BOOL HasFailed() const { return m_bFailed; }
    HWND LastControl() const { return m_hWndLastControl; }

    BOOL m_bSaveAndValidate;   // TRUE: from the controls into the members
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
    BOOL m_bFailed = FALSE;
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);

// Loading: limits the edit to maxChars characters. Saving: a longer value
// fails the exchange with one message box and the focus on the control.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);

// Attaches control to the child with this id and routes the child through
// the framework's procedure, on the first exchange only.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
