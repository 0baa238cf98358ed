// Wnd.cpp: window objects, the handle map, message dispatch and reflection.
#include "platform/window/Wnd.h"

#include "platform/window/Module.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// A temporary object and the dispatch depth at which it was made.
struct Temporary {
    std::unique_ptr<CWnd> object;
    int depth;
};

// The message being handled at one level of dispatch, for Default().
struct Frame {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool reflected;  // a child's notification handed back to it: no default processing
};

// One user-interface thread, so plain process-wide state.
struct WindowState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, Temporary> temporary;
    std::vector<Frame> frames;
    int depth = 0;               // nesting of AfxCallWndProc
    CWnd* pendingCreate = nullptr;
    HHOOK createHook = nullptr;
};

WindowState& State()
{
    static WindowState state;
    return state;
}

// Deletes the temporary objects made at this dispatch depth or deeper.
void ReleaseTemporaries(int depth)
{
    auto& temporary = State().temporary;
    for (auto it = temporary.begin(); it != temporary.end();) {
        if (it->second.depth >= depth) {
            it->second.object->m_hWnd = nullptr;  // a temporary never destroys its window
            it = temporary.erase(it);
        } else {
            ++it;
        }
    }
}

class FrameScope {
public:
    explicit FrameScope(const Frame& frame) { State().frames.push_back(frame); }
    ~FrameScope() { State().frames.pop_back(); }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;
};

bool IsImeWindow(HWND hWnd)
{
    char name[8] = {};
    ::GetClassNameA(hWnd, name, static_cast<int>(sizeof name));
    return ::lstrcmpiA(name, "IME") == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    WindowState& state = State();
    if (code == HCBT_CREATEWND && state.pendingCreate) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd)) {
            CWnd* window = state.pendingCreate;
            state.pendingCreate = nullptr;
            if (window->Attach(hWnd))
                window->SetSuperWndProc(win32::SetWindowProc(hWnd, AfxGetAfxWndProc()));
        }
    }
    return ::CallNextHookEx(state.createHook, code, wParam, lParam);
}

HWND FindDescendant(HWND parent, int id)
{
    if (HWND direct = ::GetDlgItem(parent, id))
        return direct;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = FindDescendant(child, id))
            return found;
    }
    return nullptr;
}

// The reflection rule: which child sent the notification, and under which
// kind and code its map lists it; null for a message that is no child's
// notification.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam, MessageKind* kind, UINT* code)
{
    switch (message) {
    case WM_COMMAND:
        *kind = MessageKind::ReflectedCommand;
        *code = win32::HighWord(wParam);
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: {
        const NMHDR* header = win32::FromLParam<NMHDR>(lParam);
        if (!header)
            return nullptr;
        *kind = MessageKind::ReflectedNotify;
        *code = header->code;
        return header->hwndFrom;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = win32::FromLParam<DRAWITEMSTRUCT>(lParam);
        if (!item || item->CtlType == ODT_MENU)
            return nullptr;
        *kind = MessageKind::ReflectedDrawItem;
        *code = WM_DRAWITEM;
        return item->hwndItem;
    }
    default:
        return nullptr;
    }
}

} // namespace

// --- message maps ---

const MessageMapEntry* MessageMap::Find(MessageKind kind, UINT value, UINT id) const
{
    for (const MessageMap* map = this; map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.kind == kind && entry.value == value && entry.id == id)
                return &entry;
        }
    }
    return nullptr;
}

// --- the framework's window procedure ---

LRESULT AfxCallWndProc(CWnd& window, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState& state = State();
    const int depth = ++state.depth;
    LRESULT result;
    {
        FrameScope frame({hWnd, message, wParam, lParam, false});
        result = window.WindowProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY && window.m_hWnd == hWnd) {
        // The window's last message: hand the window back to its own
        // procedure, detach, and let the object end its life.
        if (win32::GetWindowProc(hWnd) == AfxGetAfxWndProc() && window.m_pfnSuper)
            win32::SetWindowProc(hWnd, window.m_pfnSuper);
        window.Detach();
        window.PostNcDestroy();
    }
    if (!state.temporary.empty())
        ReleaseTemporaries(depth);
    --state.depth;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* window = CWnd::FromHandlePermanent(hWnd);
    if (!window)  // detached while still routed here: no object, no super procedure known
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(*window, hWnd, message, wParam, lParam);
}

WNDPROC AfxGetAfxWndProc() { return &AfxWndProc; }

LRESULT AfxAdoptWindow(CWnd& window, WNDPROC superProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    window.Attach(hWnd);
    window.SetSuperWndProc(superProc);
    win32::SetWindowProc(hWnd, AfxGetAfxWndProc());
    return ::CallWindowProcA(AfxGetAfxWndProc(), hWnd, message, wParam, lParam);
}

void AfxHookWindowCreate(CWnd& window)
{
    WindowState& state = State();
    if (!state.createHook)
        state.createHook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    state.pendingCreate = &window;
}

BOOL AfxUnhookWindowCreate()
{
    WindowState& state = State();
    const bool created = state.pendingCreate == nullptr;
    state.pendingCreate = nullptr;
    return created;
}

// --- CWnd: construction ---

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    HWND hWnd = m_hWnd;
    if (FromHandlePermanent(hWnd) == this) {
        // Detach first, so that the window's last messages reach no half-destroyed object.
        if (win32::GetWindowProc(hWnd) == AfxGetAfxWndProc() && m_pfnSuper)
            win32::SetWindowProc(hWnd, m_pfnSuper);
        Detach();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
    m_hWnd = nullptr;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (m_hWnd)
        return FALSE;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    AfxHookWindowCreate(*this);
    HWND hWnd = ::CreateWindowExA(0, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menuOrId,
                                  AfxGetInstanceHandle(), nullptr);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

// --- CWnd: the handle map ---

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    WindowState& state = State();
    auto it = state.temporary.find(hWnd);
    if (it == state.temporary.end()) {
        auto object = std::make_unique<CWnd>();
        object->m_hWnd = hWnd;
        it = state.temporary.emplace(hWnd, Temporary{std::move(object), state.depth}).first;
    }
    return it->second.object.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto& permanent = State().permanent;
    auto it = permanent.find(hWnd);
    return it == permanent.end() ? nullptr : it->second;
}

void CWnd::DeleteTempMap() { ReleaseTemporaries(0); }


BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd)
        return FALSE;
    if (!State().permanent.emplace(hWnd, this).second)
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        auto& permanent = State().permanent;
        auto it = permanent.find(hWnd);
        if (it != permanent.end() && it->second == this)
            permanent.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    m_pfnSuper = win32::SetWindowProc(hWnd, AfxGetAfxWndProc());
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    HWND hWnd = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return hWnd ? SubclassWindow(hWnd) : FALSE;
}

// --- CWnd: relatives ---

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const
{
    HWND found = FindDescendant(m_hWnd, id);
    return onlyPermanent ? FromHandlePermanent(found) : FromHandle(found);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

// --- CWnd: window state ---

int CWnd::GetWindowText(char* buffer, int capacity) const { return ::GetWindowTextA(m_hWnd, buffer, capacity); }

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length);
    const int copied = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

void CWnd::SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, placement);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::RedrawWindow(const RECT* update, HRGN region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, update, region, flags);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

// --- CWnd: message handling ---

const MessageMap* CWnd::GetMessageMap() const
{
    static const MessageMap kMap(nullptr);
    return &kMap;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result))
        return result;

    const MessageMap* map = GetMessageMap();
    const MessageMapEntry* entry = map->Find(MessageKind::Message, message, 0);
    if (!entry && message == WM_COMMAND) {
        // Button clicks and menus carry code 0; accelerators code 1 and no window.
        const UINT code = win32::HighWord(wParam);
        if (code == 0 || (code == 1 && lParam == 0))
            entry = map->Find(MessageKind::Command, 0, win32::LowWord(wParam));
    }
    if (!entry && message == WM_NOTIFY) {
        const NMHDR* header = win32::FromLParam<NMHDR>(lParam);
        if (header)
            entry = map->Find(MessageKind::Notify, header->code, static_cast<UINT>(header->idFrom));
    }
    if (entry)
        return entry->thunk(*this, wParam, lParam);
    return Default();
}

LRESULT CWnd::Default()
{
    const auto& frames = State().frames;
    if (frames.empty())
        return 0;
    const Frame frame = frames.back();
    if (frame.reflected || frame.hWnd != m_hWnd)
        return 0;
    return DefWindowProc(frame.message, frame.wParam, frame.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    MessageKind kind{};
    UINT code = 0;
    const HWND child = NotifyingChild(message, wParam, lParam, &kind, &code);
    if (!child || child == m_hWnd)
        return FALSE;
    CWnd* object = FromHandlePermanent(child);
    return object ? object->OnChildNotify(kind, code, wParam, lParam, result) : FALSE;
}

HWND AfxNotifyingChild(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageKind kind{};
    UINT code = 0;
    return NotifyingChild(message, wParam, lParam, &kind, &code);
}

BOOL AfxReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    MessageKind kind{};
    UINT code = 0;
    CWnd* object = CWnd::FromHandlePermanent(NotifyingChild(message, wParam, lParam, &kind, &code));
    if (!object)
        return FALSE;
    WindowState& state = State();
    const int depth = ++state.depth;
    LRESULT handled = 0;
    const BOOL taken = object->OnChildNotify(kind, code, wParam, lParam, handled);
    if (!state.temporary.empty())
        ReleaseTemporaries(depth);
    --state.depth;
    if (taken)
        *result = handled;
    return taken;
}

BOOL CWnd::OnChildNotify(MessageKind kind, UINT code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const MessageMapEntry* entry = GetMessageMap()->Find(kind, code, 0);
    if (!entry)
        return FALSE;
    FrameScope frame({m_hWnd, code, wParam, lParam, true});
    result = entry->thunk(*this, wParam, lParam);
    return TRUE;
}
