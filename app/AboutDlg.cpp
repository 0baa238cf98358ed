// AboutDlg.cpp: the test dialog.
#include "app/AboutDlg.h"

#include "app/Resource.h"
#include "controls/DatumCtrl.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

const MessageMap* CAboutDlg::GetMessageMap() const
{
    static const MessageMap kMap(CDialog::GetMessageMap());
    return &kMap;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    // The window's first message made the control object (the class
    // procedure of "DatumCtrl"); GetDlgItem returns that object.
    auto* control = dynamic_cast<CDatumCtrl*>(GetDlgItem(IDC_ABOUT_DATUM));
    if (!control)
        return;
    control->ExchangeData(pDX, IDC_ABOUT_DATUM, 10, m_text, &m_date, 0, nullptr);
}
