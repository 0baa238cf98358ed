// AboutDlg.h: the test dialog.
//
//   CAboutDlg   the About box of template 100, whose date control (id 1000)
//               is bound to a ten-character text member and a date member
#pragma once

#include "datevalues/DateValue.h"
#include "platform/window/Dialog.h"
#include "platform/core/String.h"

class CAboutDlg : public CDialog {
public:
    // Template 100, no parent: the framework's default owner.
    CAboutDlg();
    ~CAboutDlg() override;

    CString m_text;    // the control's text as last exchanged; empty at first
    CDateValue m_date; // the date the control is bound to; only host commands touch it

protected:
    // Binds control 1000 on the first call and moves its text to or from
    // m_text, at most 10 characters.
    void DoDataExchange(CDataExchange* pDX) override;

    // Empty: every message from the control gets the dialog's default processing.
    const MessageMap* GetMessageMap() const override;
};
