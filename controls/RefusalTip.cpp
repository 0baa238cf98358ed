// RefusalTip.cpp: the edit's balloon, or a balloon tooltip of our own.
#include "controls/RefusalTip.h"

#include "platform/window/Wnd.h"

namespace {

// TTM_TRACKPOSITION's point: x in the low word, y in the high word.
LPARAM ScreenPoint(LONG x, LONG y)
{
    return static_cast<LPARAM>(win32::MakeWParam(static_cast<UINT>(x), static_cast<UINT>(y)));
}

// Tells accessibility clients that the field's description (the sentence) changed.
void AnnounceDescriptionChange(HWND field)
{
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, field, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace

CRefusalTip::~CRefusalTip() { Hide(); }

void CRefusalTip::Show(const CWnd& field, const CString& sentence)
{
    Hide();
    m_field = field.m_hWnd;
    m_sentence = sentence;
    // A host's reason for a blocked day is in the program's code page.
    m_wide.assign(static_cast<std::size_t>(sentence.GetLength()), L'\0');
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, sentence.GetString(), sentence.GetLength(), m_wide.data(),
                                           static_cast<int>(m_wide.size()));
    m_wide.resize(static_cast<std::size_t>(wide > 0 ? wide : 0));

    // The edit of common controls 6 shows a balloon of its own; an older
    // edit does not know the message and answers 0.
    EDITBALLOONTIP balloon{sizeof balloon, L"", m_wide.c_str(), TTI_NONE};
    if (::SendMessageA(m_field, EM_SHOWBALLOONTIP, 0, win32::ToLParam(&balloon)) != FALSE) {
        m_editBalloon = true;
        if (!m_sentence.IsEmpty())
            AnnounceDescriptionChange(m_field);
        return;
    }

    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    m_tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_field, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (m_tooltip == nullptr) {   // no tip: no sentence that a client could read
        m_sentence.Empty();
        m_wide.clear();
        return;
    }
    // The size of the record that every version of the tooltip reads.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = m_field;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(m_sentence.GetString());   // the tooltip copies the text
    ::SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, win32::ToLParam(&tool));
    // The balloon's stem points at the middle of the field's bottom edge.
    RECT rect{};
    ::GetWindowRect(m_field, &rect);
    ::SendMessageA(m_tooltip, TTM_TRACKPOSITION, 0, ScreenPoint((rect.left + rect.right) / 2, rect.bottom));
    ::SendMessageA(m_tooltip, TTM_TRACKACTIVATE, TRUE, win32::ToLParam(&tool));
    if (!m_sentence.IsEmpty())
        AnnounceDescriptionChange(m_field);
}

void CRefusalTip::HideAtInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KILLFOCUS:
        Hide();
        break;
    default:
        break;
    }
}

// Whatever Show made goes, an empty sentence's tooltip too.
void CRefusalTip::Hide()
{
    if (m_editBalloon && ::IsWindow(m_field))
        ::SendMessageA(m_field, EM_HIDEBALLOONTIP, 0, 0);
    // The tooltip may have gone with the dialog that owns it.
    if (m_tooltip != nullptr && ::IsWindow(m_tooltip))
        ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    m_editBalloon = false;
    if (m_sentence.IsEmpty())
        return;
    m_sentence.Empty();
    m_wide.clear();
    AnnounceDescriptionChange(m_field);
}
