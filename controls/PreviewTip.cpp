// PreviewTip.cpp: a wide tracking tooltip under the field.
#include "controls/PreviewTip.h"

namespace {

void AnnounceDescriptionChange(HWND field)
{
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, field, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace

CPreviewTip::~CPreviewTip() { Hide(); }

void CPreviewTip::Show(HWND field, const std::wstring& text)
{
    if (text.empty() || (m_tooltip != nullptr && field != m_field))
        Hide();
    if (text.empty() || text == m_text)
        return;
    m_field = field;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;   // the size every version of the tooltip reads
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = field;
    tool.uId = 1;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());   // the tooltip copies the text
    if (m_tooltip == nullptr || !::IsWindow(m_tooltip)) {
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&classes);
        m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, field, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
        if (m_tooltip == nullptr) {
            Hide();
            return;
        }
        ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, win32::ToLParam(&tool));
        RECT rect{};
        ::GetWindowRect(field, &rect);
        ::SendMessageW(m_tooltip, TTM_TRACKPOSITION, 0,
                       static_cast<LPARAM>(win32::MakeWParam(static_cast<UINT>(rect.left), static_cast<UINT>(rect.bottom))));
        ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, TRUE, win32::ToLParam(&tool));
    } else {
        ::SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, win32::ToLParam(&tool));
    }
    m_text = text;
    AnnounceDescriptionChange(m_field);
}

void CPreviewTip::Hide()
{
    // The tooltip may have gone with the dialog that owns it.
    if (m_tooltip != nullptr && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    if (m_text.empty())
        return;
    m_text.clear();
    AnnounceDescriptionChange(m_field);
}
