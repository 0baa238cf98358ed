// ParentReflection.cpp: the window subclass that reflects child notifications
// for a parent without a framework object.
#include "platform/window/ParentReflection.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Our own subclass id: with the procedure it names our subclass among any
// others that the program or the system put on the same window.
constexpr UINT_PTR kReflectionSubclassId = 0x44434652;   // "DCFR"

// One subclassed parent: how many reflections are alive under it, and the
// children they registered (a child once per registration).
struct ParentRecord {
    int reflections = 0;
    std::vector<HWND> children;
};

// One user-interface thread, so plain process-wide state.
std::unordered_map<HWND, ParentRecord>& Parents()
{
    static std::unordered_map<HWND, ParentRecord> parents;
    return parents;
}

bool IsRegisteredChild(HWND parent, HWND child)
{
    const auto& parents = Parents();
    const auto it = parents.find(parent);
    return it != parents.end() &&
           std::find(it->second.children.begin(), it->second.children.end(), child) != it->second.children.end();
}

// A registered child's notification goes to the child's object first; what
// its map does not take, and every other message, goes on to the parent's
// own procedure. The parent's last message takes the subclass off.
LRESULT CALLBACK ReflectingSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hWnd, &ReflectingSubclassProc, id);
        Parents().erase(hWnd);
        return ::DefSubclassProc(hWnd, message, wParam, lParam);
    }
    const HWND child = AfxNotifyingChild(message, wParam, lParam);
    if (child != nullptr && IsRegisteredChild(hWnd, child)) {
        LRESULT result = 0;
        if (AfxReflectToChild(message, wParam, lParam, &result))
            return result;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
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
    if (parents.find(parent) == parents.end() &&
        !::SetWindowSubclass(parent, &ReflectingSubclassProc, kReflectionSubclassId, 0))
        return nullptr;
    ++parents[parent].reflections;
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
        auto& children = it->second.children;
        for (HWND child : m_children) {
            const auto registered = std::find(children.begin(), children.end(), child);
            if (registered != children.end())
                children.erase(registered);
        }
        if (--it->second.reflections == 0) {
            ::RemoveWindowSubclass(m_hParent, &ReflectingSubclassProc, kReflectionSubclassId);
            parents.erase(it);
        }
    }
    m_children.clear();
    m_hParent = nullptr;
    m_subclassing = false;
    m_pParentObject.reset();
}

std::size_t CParentReflection::SubclassedParentCount() { return Parents().size(); }
