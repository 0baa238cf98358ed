// ClientView.cpp: the thread's windows by enumeration, client objects through oleacc.
#include "tests/controls/support/ClientView.h"

#include "controls/DatumProtocol.h"

namespace test {
namespace {

constexpr GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

bool IsTooltip(HWND window)
{
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    return ::lstrcmpiA(className, TOOLTIPS_CLASSA) == 0;
}

BOOL CALLBACK KeepShownTooltip(HWND window, LPARAM found)
{
    if (!::IsWindowVisible(window) || !IsTooltip(window))
        return TRUE;
    *win32::FromLParam<HWND>(found) = window;
    return FALSE;
}

BOOL CALLBACK CountTooltip(HWND window, LPARAM count)
{
    if (IsTooltip(window))
        ++*win32::FromLParam<int>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*win32::FromLParam<int>(count);
    return TRUE;
}

} // namespace

HWND ShownTooltip()
{
    HWND tooltip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &KeepShownTooltip, win32::ToLParam(&tooltip));
    return tooltip;
}

CString ShownTooltipText()
{
    const HWND tooltip = ShownTooltip();
    if (tooltip == nullptr)
        return CString();
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    ::SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, win32::ToLParam(&tool));
    return CString(text);
}

std::wstring ShownTooltipTextW()
{
    const HWND tooltip = ShownTooltip();
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.lpszText = text;
    if (tooltip != nullptr)
        ::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, win32::ToLParam(&tool));
    return text;
}

int TooltipCount()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTooltip, win32::ToLParam(&count));
    return count;
}

int TopLevelWindowCount()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, win32::ToLParam(&count));
    return count;
}

IAccessible* ClientObjectOf(HWND window)
{
    void* found = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, &found)))
        return nullptr;
    return static_cast<IAccessible*>(found);
}

CString TakeText(BSTR text)
{
    char buffer[256] = {};
    if (text != nullptr)
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    ::SysFreeString(text);
    return CString(buffer);
}

std::wstring DescriptionOfW(HWND window)
{
    IAccessible* object = ClientObjectOf(window);
    if (object == nullptr)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::wstring description;
    if (object->get_accDescription(self, &text) == S_OK && text != nullptr)
        description = text;
    ::SysFreeString(text);
    object->Release();
    return description;
}

CString DescriptionOf(HWND window)
{
    IAccessible* object = ClientObjectOf(window);
    if (object == nullptr)
        return CString();
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const CString description = object->get_accDescription(self, &text) == S_OK ? TakeText(text) : CString();
    object->Release();
    return description;
}

HWND PopupButtonOf(HWND field)
{
    const HWND next = ::GetWindow(field, GW_HWNDNEXT);
    return next != nullptr && ::GetDlgCtrlID(next) == IDC_POPUPBUTTON ? next : nullptr;
}

} // namespace test
