// ParentReflection.cpp: the window subclass that reflects child notifications
// for a parent without a framework object.
#include "platform/window/ParentReflection.h"

#include <algorithm>
#include <unordered_map>

namespace {

// One subclassed parent: the procedure ours passes messages on to, whether
// it was installed through the W functions, how many reflections are alive
// under it, and the children they registered (a child once per
// registration). With no reflection alive it only passes messages on.
struct ParentRecord {
    WNDPROC previous = nullptr;
    bool wide = false;
    int reflections = 0;
    std::vector<HWND> children;
};

// One user-interface thread, so plain process-wide state.
std::unordered_map<HWND, ParentRecord>& Parents()
{
    static std::unordered_map<HWND, ParentRecord> parents;
    return parents;
}

// The window procedure, read and replaced through the functions of the
// window's character set: through the other set a Unicode window would
// become a single-byte one, and its procedure would read as a stand-in.
WNDPROC ProcOf(HWND hWnd, bool wide)
{
    return wide ? reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) : win32::GetWindowProc(hWnd);
}

WNDPROC ReplaceProc(HWND hWnd, WNDPROC proc, bool wide)
{
    if (!wide)
        return win32::SetWindowProc(hWnd, proc);
    return reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

// A registered child's notification goes to the child's object first; what
// its map does not take, and every other message, goes on to the procedure
// that the parent had before. The parent's last message ends the record,
// and takes our procedure off when it is still on top.
LRESULT CALLBACK ReflectingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& parents = Parents();
    const auto it = parents.find(hWnd);
    if (it == parents.end())
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    // Copies: a handler may end the record before the message goes on.
    const WNDPROC previous = it->second.previous;
    const bool wide = it->second.wide;
    if (message == WM_NCDESTROY) {
        if (ProcOf(hWnd, wide) == &ReflectingProc)
            ReplaceProc(hWnd, previous, wide);
        parents.erase(it);
    } else if (const HWND child = AfxNotifyingChild(message, wParam, lParam)) {
        const auto& children = it->second.children;
        LRESULT result = 0;
        if (std::find(children.begin(), children.end(), child) != children.end() &&
            AfxReflectToChild(message, wParam, lParam, &result))
            return result;
    }
    return wide ? ::CallWindowProcW(previous, hWnd, message, wParam, lParam)
                : ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
}

} // namespace

CParentReflection::~CParentReflection() { Stop(); }

CWnd* CParentReflection::Start(CWnd& child)
{
    const HWND parent = ::GetParent(child.m_hWnd);
    if (parent == nullptr || m_hParent != nullptr)
        return nullptr;
    if (CWnd* framework = CWnd::FromHandlePermanent(parent)) {
        m_hParent = parent;   // it reflects by itself: a second reflection would hand a notification over twice
        return framework;
    }

    auto& parents = Parents();
    auto it = parents.find(parent);
    if (it == parents.end()) {   // first reflection under this parent: install ours on top
        const bool wide = ::IsWindowUnicode(parent) != FALSE;
        const WNDPROC previous = ReplaceProc(parent, &ReflectingProc, wide);
        if (previous == nullptr)
            return nullptr;
        it = parents.emplace(parent, ParentRecord{previous, wide, 0, {}}).first;
    }
    ++it->second.reflections;
    m_hParent = parent;
    m_subclassing = true;
    m_pParentObject = std::make_unique<CWnd>();
    m_pParentObject->m_hWnd = parent;
    Add(child);
    return m_pParentObject.get();
}

void CParentReflection::Add(CWnd& child)
{
    if (!m_subclassing || child.m_hWnd == nullptr)
        return;
    const auto it = Parents().find(m_hParent);
    if (it == Parents().end())
        return;   // the parent is gone
    it->second.children.push_back(child.m_hWnd);
    m_children.push_back(child.m_hWnd);
}

void CParentReflection::Stop()
{
    auto& parents = Parents();
    const auto it = m_subclassing ? parents.find(m_hParent) : parents.end();
    if (it != parents.end()) {
        ParentRecord& record = it->second;
        for (HWND child : m_children) {
            const auto registered = std::find(record.children.begin(), record.children.end(), child);
            if (registered != record.children.end())
                record.children.erase(registered);
        }
        // Off only from the top of the chain; below another subclass ours
        // passes messages on until WM_NCDESTROY.
        if (--record.reflections == 0 && ProcOf(m_hParent, record.wide) == &ReflectingProc) {
            ReplaceProc(m_hParent, record.previous, record.wide);
            parents.erase(it);
        }
    }
    m_children.clear();
    m_hParent = nullptr;
    m_subclassing = false;
    m_pParentObject.reset();
}
