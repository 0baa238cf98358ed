// Dialog.cpp: modal and modeless dialogs over the Win32 dialog manager.
#include "platform/window/Dialog.h"

#include "platform/window/DataExchange.h"
#include "platform/window/Module.h"

namespace {

// The dialog manager's own procedure (DefDlgProc) calls this one. Every
// message already went through the object's message map, so nothing is left
// for it to do.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
    : m_template(dialogTemplate), m_pParentWnd(parent) {}

const MessageMap* CDialog::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&CDialog::OnInitDialogMessage>(WM_INITDIALOG),
        OnCommand<&CDialog::OnIdOk>(IDOK),
        OnCommand<&CDialog::OnIdCancel>(IDCANCEL),
    };
    static const MessageMap kMap{CWnd::GetMessageMap(), kEntries};
    return &kMap;
}

const DLGTEMPLATE* CDialog::FindTemplate(UINT templateId) const
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC resource = ::FindResourceA(instance, win32::ResourceId(templateId), win32::ResourceId(5 /* RT_DIALOG */));
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = (main && main->m_hWnd) ? ::GetLastActivePopup(main->m_hWnd) : ::GetActiveWindow();
    }
    // Only a top-level window can own a dialog.
    if (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetAncestor(owner, GA_ROOT);
    return owner;
}

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE* dialogTemplate = m_template ? m_template : FindTemplate(m_templateId);
    if (!dialogTemplate || m_hWnd)
        return -1;
    HWND owner = ModalOwner();
    m_modal = true;
    AfxHookWindowCreate(*this);
    const INT_PTR result = ::DialogBoxIndirectParamA(AfxGetInstanceHandle(), dialogTemplate, owner,
                                                     &PassiveDialogProc, 0);
    AfxUnhookWindowCreate();
    m_modal = false;
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    return CreateModeless(FindTemplate(templateId), parent);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    return CreateModeless(dialogTemplate, parent);
}

BOOL CDialog::CreateModeless(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    if (!dialogTemplate || m_hWnd)
        return FALSE;
    m_pParentWnd = parent;
    AfxHookWindowCreate(*this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), dialogTemplate,
                                             parent ? parent->m_hWnd : nullptr, &PassiveDialogProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

void CDialog::EndDialog(int result)
{
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.HasFailed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;  // the failed check has told the user and moved the focus; stay open
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT CDialog::OnIdOk()
{
    OnOK();
    return 0;
}

LRESULT CDialog::OnIdCancel()
{
    OnCancel();
    return 0;
}
