// DataExchange.cpp: dialog data exchange between child windows and members.
#include "platform/window/DataExchange.h"

#include "platform/window/MessageBox.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND hWnd = PrepareCtrl(id);
    m_bEditLastControl = true;
    return hWnd;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (!m_hWndLastControl)
        return;
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(id);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthA(hWnd);
        char* buffer = value.GetBuffer(length);
        const int copied = ::GetWindowTextA(hWnd, buffer, length + 1);
        value.ReleaseBuffer(copied);
    } else {
        ::SetWindowTextA(hWnd, value.GetString());
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars)
{
    if (pDX->HasFailed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        if (HWND hWnd = pDX->LastControl())
            ::SendMessageA(hWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.GetLength() > maxChars) {
        CString prompt;
        prompt.Format("Enter no more than %d characters.", maxChars);
        AfxMessageBox(prompt.GetString(), MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (pDX->HasFailed() || control.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(id);
    if (hWnd)
        control.SubclassWindow(hWnd);
}
