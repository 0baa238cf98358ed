// Dialog.h: dialog boxes from a resource or an in-memory template.
//
//   CDialog   modal (DoModal) and modeless (Create) dialogs whose window is
//             attached to the object before its first message; data exchange
//             on initialisation (towards the controls) and on OK (from them)
#pragma once

#include "platform/window/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // --- construction ---
    // The template is a dialog resource of the framework's module ...
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    // ... or a DLGTEMPLATE / DLGTEMPLATEEX in memory, which must outlive the dialog's window.
    explicit CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

    // --- operations ---
    // Runs the dialog in a nested message loop until EndDialog; returns its
    // result (IDOK, IDCANCEL, ...) or -1 when the window could not be made.
    // Without a parent the owner is the last active popup of the main window,
    // or the active window when there is no main window, so that a dialog
    // opened while another modal dialog runs is owned by it and disables it.
    INT_PTR DoModal();
    // Creates the dialog modeless, from a resource or from the constructor's template.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    // Ends a modal run with this result; destroys a modeless dialog.
    void EndDialog(int result);
    // Exchanges data with the controls: towards them (FALSE) or from them
    // (TRUE). FALSE when a check failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    // WM_INITDIALOG: exchanges data towards the controls. TRUE lets the
    // dialog manager give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    // IDOK (button, Enter): exchanges data from the controls and ends with
    // IDOK only when the exchange succeeds.
    virtual void OnOK();
    // IDCANCEL (button, Escape, close box): ends with IDCANCEL, no exchange.
    virtual void OnCancel();
    // The dialog's DDX_ and DDV_ calls; none here.
    virtual void DoDataExchange(CDataExchange* pDX);

    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnInitDialogMessage(WPARAM focus, LPARAM initParam);
    LRESULT OnIdOk();
    LRESULT OnIdCancel();

    const DLGTEMPLATE* FindTemplate(UINT templateId) const;
    HWND ModalOwner() const;
    BOOL CreateModeless(const DLGTEMPLATE* dialogTemplate, CWnd* parent);

    UINT m_templateId = 0;
    const DLGTEMPLATE* m_template = nullptr;
    CWnd* m_pParentWnd = nullptr;
    bool m_modal = false;
};
