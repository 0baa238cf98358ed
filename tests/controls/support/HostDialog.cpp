// HostDialog.cpp: the modeless host dialog of the date-control tests.
#include "tests/controls/support/HostDialog.h"

#include "platform/DataExchange.h"

namespace test {

HostDialog::HostDialog(const char* className, Binding first, Binding second, HostIds hostIds)
    : CDialog(static_cast<const DLGTEMPLATE*>(nullptr)),
      binding{first, second},
      ids(hostIds),
      m_template({.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, .cx = 220, .cy = 90,
                  .title = "Date host"})
{
    m_template.Add(EditBox(static_cast<WORD>(ids.first), 10, 10, 80, className))
        .Add(EditBox(static_cast<WORD>(ids.second), 10, 30, 80, className))
        .Add(EditBox(static_cast<WORD>(ids.plainEdit), 10, 50, 80))
        .Add(DefPushButton("OK", IDOK, 150, 10))
        .Add(PushButton("Cancel", IDCANCEL, 150, 30));
}

HostDialog::~HostDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

bool HostDialog::Open()
{
    if (!CreateIndirect(m_template.Get()))
        return false;
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    Pump();
    return true;
}

void HostDialog::DoDataExchange(CDataExchange* pDX)
{
    ++exchanges;
    const int controlIds[2] = {ids.first, ids.second};
    for (int i = 0; i < 2; ++i) {
        auto* control = dynamic_cast<CDatumEntry*>(GetDlgItem(controlIds[i]));
        const Binding& b = binding[i];
        if (control == nullptr || !b.bind)
            continue;
        void* value = nullptr;
        if (b.value)
            value = b.dateTime ? static_cast<void*>(&dateTime[i]) : static_cast<void*>(&date[i]);
        if (b.dateTime)
            control->SetDateTimeValue(true);
        control->ExchangeData(pDX, controlIds[i], static_cast<std::uint16_t>(b.maxLen), text[i], value, b.flags,
                              b.initial);
    }
}

CDatumEntry& HostDialog::Control(int id)
{
    return *dynamic_cast<CDatumEntry*>(GetDlgItem(id));
}

int HostDialog::FocusId() const
{
    const HWND focus = ::GetFocus();
    return focus != nullptr ? ::GetDlgCtrlID(focus) : -1;
}

void HostDialog::Pump()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (m_hWnd != nullptr && ::IsDialogMessageA(m_hWnd, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void HostDialog::Type(int id, const char* keys)
{
    const HWND target = Item(id);
    for (const char* c = keys; *c != '\0'; ++c)
        ::PostMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
    Pump();
}

void HostDialog::SendChars(int id, const char* keys)
{
    const HWND target = Item(id);
    for (const char* c = keys; *c != '\0'; ++c)
        ::SendMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

void HostDialog::Focus(int id)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    Pump();
}

void HostDialog::Tab()
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
    Pump();
}

ProtocolLog::ProtocolLog(HostDialog& dialog)
{
    KeepOnly([](UINT message) {
        return (message >= DCN_EXITCHANGEDALT && message <= DCM_YIELDFOCUS) || message == WM_NEXTDLGCTL;
    });
    Watch(dialog.m_hWnd, kParent, "parent");
    Watch(dialog.Item(dialog.ids.first), kFirst, "first");
    Watch(dialog.Item(dialog.ids.second), kSecond, "second");
    Watch(dialog.Item(dialog.ids.plainEdit), kPlainEdit, "plain edit");
    Watch(dialog.Item(IDOK), kOk, "OK");
    Watch(dialog.Item(IDCANCEL), kCancel, "Cancel");
    NameMessage(DCN_EXITCHANGEDALT, "DCN_EXITCHANGEDALT");
    NameMessage(DCN_EXITCHANGED, "DCN_EXITCHANGED");
    NameMessage(DCN_CHANGE, "DCN_CHANGE");
    NameMessage(DCN_EXITUNCHANGEDALT, "DCN_EXITUNCHANGEDALT");
    NameMessage(DCN_EXITUNCHANGED, "DCN_EXITUNCHANGED/DCM_EXITCHECK");
    NameMessage(DCN_INVALID, "DCN_INVALID");
    NameMessage(DCM_CLEAR, "DCM_CLEAR");
    NameMessage(DCM_VALUETOTEXT, "DCM_VALUETOTEXT");
    NameMessage(DCM_TEXTTOVALUE, "DCM_TEXTTOVALUE");
    NameMessage(DCM_VERIFY, "DCM_VERIFY");
    NameMessage(DCM_CHECKMODIFIED, "DCM_CHECKMODIFIED");
    NameMessage(DCN_MODIFIED, "DCN_MODIFIED");
    NameMessage(DCM_OPENPOPUP, "DCM_OPENPOPUP");
    NameMessage(DCM_BUTTONFOCUS, "DCM_BUTTONFOCUS");
    NameMessage(DCM_YIELDFOCUS, "DCM_YIELDFOCUS");
}

} // namespace test
