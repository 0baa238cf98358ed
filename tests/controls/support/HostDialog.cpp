// HostDialog.cpp: the modeless host dialog of the date-control tests.
#include "tests/controls/support/HostDialog.h"

#include "controls/DatumBinding.h"
#include "platform/window/DataExchange.h"
#include "tests/win32/support/Pump.h"

#include <cstring>
#include <cwchar>

namespace test {

DialogTemplate HostTemplate(const char* className, const HostIds& ids)
{
    DialogTemplate form({.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, .cx = 220, .cy = 90,
                         .title = "Date host"});
    form.Add(EditBox(static_cast<WORD>(ids.first), 10, 10, 80, className))
        .Add(EditBox(static_cast<WORD>(ids.second), 10, 30, 80, className))
        .Add(EditBox(static_cast<WORD>(ids.plainEdit), 10, 50, 80))
        .Add(DefPushButton("OK", IDOK, 150, 10))
        .Add(PushButton("Cancel", IDCANCEL, 150, 30));
    return form;
}

namespace {

DatumBinding ByHandle(const Binding& b)
{
    return {b.maxLen, b.flags, b.initial, b.dateTime, b.minDate, b.maxDate, b.dayRule, b.dayRuleContext, b.locale,
            b.partial};
}

} // namespace

HostDialog::HostDialog(const char* className, Binding first, Binding second, HostIds hostIds)
    : CDialog(static_cast<const DLGTEMPLATE*>(nullptr)),
      binding{first, second},
      ids(hostIds),
      m_template(HostTemplate(className, hostIds))
{
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
        if (b.byHandle) {
            if (exchanges == 1)
                DatumBind(control->m_hWnd, ByHandle(b));
            continue;
        }
        void* value = nullptr;
        if (b.value)
            value = b.dateTime ? static_cast<void*>(&dateTime[i]) : static_cast<void*>(&date[i]);
        if (b.dateTime)
            control->SetDateTimeValue(true);
        if (exchanges == 1) {
            control->SetRange(b.minDate, b.maxDate);
            control->SetDayRule(b.dayRule, b.dayRuleContext);
            control->SetLocale(b.locale, b.partial);
            // The members start in step, as a by-handle binding's do: the value holds the initial text's date.
            if (b.initial != nullptr && b.dateTime)
                dateTime[i].Parse(b.initial);
            else if (b.initial != nullptr)
                date[i].Parse(b.initial);
        }
        control->ExchangeData(pDX, controlIds[i], static_cast<std::uint16_t>(b.maxLen), text[i], value, b.flags,
                              b.initial);
    }
}

CDatumEntry& HostDialog::Control(int id)
{
    return *dynamic_cast<CDatumEntry*>(GetDlgItem(id));
}

int HostDialog::FocusId() const { return DialogSteps{m_hWnd}.FocusId(); }

void HostDialog::Pump() { DialogSteps{m_hWnd}.Pump(); }

void HostDialog::Type(int id, const char* keys) { DialogSteps{m_hWnd}.Type(id, keys); }

void HostDialog::SendChars(int id, const char* keys)
{
    const HWND target = Item(id);
    for (const char* c = keys; *c != '\0'; ++c)
        ::SendMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

void HostDialog::Focus(int id) { DialogSteps{m_hWnd}.Focus(id); }

void HostDialog::Tab() { DialogSteps{m_hWnd}.Tab(); }

// --- the plain host ---

PlainHostDialog::PlainHostDialog(const char* className, Binding first, Binding second, HostIds hostIds)
    : binding{first, second}, ids(hostIds), m_template(HostTemplate(className, hostIds))
{
}

PlainHostDialog::~PlainHostDialog()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

bool PlainHostDialog::Open(bool wide)
{
    const auto create = wide ? &::CreateDialogIndirectParamW : &::CreateDialogIndirectParamA;
    m_hWnd = create(::GetModuleHandleA(nullptr), m_template.Get(), nullptr, &DialogProc, win32::ToLParam(this));
    if (m_hWnd == nullptr)
        return false;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    DialogSteps{m_hWnd}.Pump();
    return true;
}

INT_PTR CALLBACK PlainHostDialog::DialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const auto* host = win32::FromLParam<PlainHostDialog>(lParam);
    const int controlIds[2] = {host->ids.first, host->ids.second};
    for (int i = 0; i < 2; ++i) {
        if (host->binding[i].bind)
            DatumBind(::GetDlgItem(dialog, controlIds[i]), ByHandle(host->binding[i]));
    }
    return TRUE;
}

// --- driving steps ---

int DialogSteps::FocusId() const
{
    const HWND focus = ::GetFocus();
    return focus != nullptr ? ::GetDlgCtrlID(focus) : -1;
}

void DialogSteps::Pump() const { PumpMessages(dialog); }

void DialogSteps::Type(int id, const char* keys) const
{
    const HWND target = Item(id);
    for (const char* c = keys; *c != '\0'; ++c)
        ::PostMessageA(target, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
    Pump();
}

void DialogSteps::Focus(int id) const
{
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    Pump();
}

void DialogSteps::Tab() const
{
    ::SendMessageA(dialog, WM_NEXTDLGCTL, 0, 0);
    Pump();
}

void DialogSteps::Paste(int id, const wchar_t* text) const
{
    if (!::OpenClipboard(dialog))
        return;
    ::EmptyClipboard();
    const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(memory), text, bytes);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_UNICODETEXT, memory);
    }
    ::CloseClipboard();
    ::SendMessageA(Item(id), WM_PASTE, 0, 0);
}

bool DialogSteps::PumpUntil(const std::function<bool()>& done, DWORD limitMs) const
{
    for (const DWORD start = ::GetTickCount(); !done(); ::Sleep(10)) {
        if (::GetTickCount() - start > limitMs)
            return false;
        Pump();
    }
    return true;
}

ProtocolLog::ProtocolLog(HostDialog& dialog) : ProtocolLog(dialog.m_hWnd, dialog.ids) {}

std::vector<Expect> ExactlyAsLogged(const std::vector<Recorded>& log)
{
    std::vector<Expect> expected;
    for (const Recorded& entry : log) {
        const bool handle = entry.message == WM_NEXTDLGCTL && entry.lParam != 0;
        expected.push_back({entry.message, entry.role, entry.wParam, entry.lParam, handle ? kLParam : kWParam | kLParam});
    }
    return expected;
}

ProtocolLog::ProtocolLog(HWND dialog, const HostIds& ids)
{
    KeepOnly([](UINT message) {
        return (message >= DCN_EXITCHANGEDALT && message <= DCM_YIELDFOCUS) || message == WM_NEXTDLGCTL;
    });
    Watch(dialog, kRoleParent, "parent");
    Watch(::GetDlgItem(dialog, ids.first), kRoleFirst, "first");
    Watch(::GetDlgItem(dialog, ids.second), kRoleSecond, "second");
    Watch(::GetDlgItem(dialog, ids.plainEdit), kRolePlainEdit, "plain edit");
    Watch(::GetDlgItem(dialog, IDOK), kRoleOk, "OK");
    Watch(::GetDlgItem(dialog, IDCANCEL), kRoleCancel, "Cancel");
    NameMessage(DCN_EXITCHANGEDALT, "DCN_EXITCHANGEDALT");
    NameMessage(DCN_EXITCHANGED, "DCN_EXITCHANGED");
    NameMessage(DCN_CHANGE, "DCN_CHANGE");
    NameMessage(DCN_EXITUNCHANGEDALT, "DCN_EXITUNCHANGEDALT");
    NameMessage(DCN_EXITUNCHANGED, "DCN_EXITUNCHANGED/DCM_EXITCHECK");
    NameMessage(DCN_INVALID, "DCN_INVALID");
    NameMessage(DCM_CLEAR, "DCM_CLEAR");
    NameMessage(DCM_VALUETOTEXT, "DCM_VALUETOTEXT");
    NameMessage(DCM_TEXTTOVALUE, "DCM_TEXTTOVALUE");
    NameMessage(DCM_SETRANGE, "DCM_SETRANGE");
    NameMessage(DCM_SETDAYRULE, "DCM_SETDAYRULE");
    NameMessage(DCM_VERIFY, "DCM_VERIFY");
    NameMessage(DCM_CHECKMODIFIED, "DCM_CHECKMODIFIED");
    NameMessage(DCN_MODIFIED, "DCN_MODIFIED");
    NameMessage(DCM_OPENPOPUP, "DCM_OPENPOPUP");
    NameMessage(DCM_SETLOCALE, "DCM_SETLOCALE");
    NameMessage(DCM_BUTTONFOCUS, "DCM_BUTTONFOCUS");
    NameMessage(DCM_YIELDFOCUS, "DCM_YIELDFOCUS");
}

} // namespace test
