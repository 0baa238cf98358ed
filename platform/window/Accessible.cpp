// Accessible.cpp: the standard accessible object with a role, name or description of our own.
#include "platform/window/Accessible.h"

#include <oleacc.h>

#include <atomic>
#include <string>

namespace platform {
namespace {

// The interface ids, written out here: in a static cross build the
// toolchain's IID_IAccessible resolved to wrong bytes.
constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The library's entry, kept once found. A library that could not be loaded
// is tried again at the next request: one failed load must not take the
// answers away for the rest of the program.
template <class Function>
Function* Entry(Function*& kept, const char* library, const char* name)
{
    if (kept == nullptr)
        kept = win32::LibraryEntry<Function>(library, name);
    return kept;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A text for the client, who frees it with SysFreeString.
HRESULT AllocatedText(const std::wstring& text, BSTR* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    static decltype(::SysAllocString)* allocate = nullptr;
    *out = Entry(allocate, "oleaut32.dll", "SysAllocString") != nullptr ? allocate(text.c_str()) : nullptr;
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Forwards every call to the standard object, except the answers of the
// window itself that were set. The interface is a private base: only
// QueryInterface hands it out, and only Release deletes the object.
class StdAnswersReplaced final : private IAccessible {
public:
    // Takes over the caller's reference to standard.
    StdAnswersReplaced(IAccessible* standard, HWND window, const StdAccessibleAnswers& answers)
        : m_standard(standard),
          m_window(window),
          m_role(answers.role),
          m_hasName(answers.name != nullptr),
          m_name(m_hasName ? answers.name : L""),
          m_description(answers.description)
    {
    }
    StdAnswersReplaced(const StdAnswersReplaced&) = delete;
    StdAnswersReplaced& operator=(const StdAnswersReplaced&) = delete;

    // --- IUnknown ---
    // The window behind the object (IOleWindow) is the standard object's
    // answer; other interfaces, such as the enumeration of children, are not
    // offered, so that a client never reaches the standard object's role and
    // name around this one.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (iid == kIidOleWindow)
            return m_standard->QueryInterface(iid, object);
        if (iid != kIidUnknown && iid != kIidDispatch && iid != kIidAccessible)
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    // --- IDispatch ---
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override
    {
        return m_standard->Invoke(id, iid, locale, flags, params, result, exception, argError);
    }

    // --- IAccessible: the answers of our own ---
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!IsSelf(child) || m_role == 0)
            return m_standard->get_accRole(child, role);
        if (role == nullptr)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child) || !m_hasName)
            return m_standard->get_accName(child, name);
        return AllocatedText(m_name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        const LPCWSTR now = IsSelf(child) && m_description != nullptr ? m_description(m_window) : nullptr;
        if (now == nullptr || *now == L'\0')
            return m_standard->get_accDescription(child, description);
        return AllocatedText(now, description);
    }

    // --- IAccessible: the standard object's answers ---
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return m_standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override { return m_standard->accSelect(how, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    // Only Release deletes the object.
    ~StdAnswersReplaced() { m_standard->Release(); }

    IAccessible* const m_standard;
    const HWND m_window;
    const LONG m_role;
    const bool m_hasName;
    const std::wstring m_name;
    LPCWSTR (*const m_description)(HWND window);
    std::atomic<ULONG> m_references{1};
};

} // namespace

LRESULT LresultFromStdAccessible(HWND window, WPARAM flags, const StdAccessibleAnswers& answers)
{
    static decltype(::CreateStdAccessibleObject)* createStandard = nullptr;
    static decltype(::LresultFromObject)* fromObject = nullptr;
    if (Entry(createStandard, "oleacc.dll", "CreateStdAccessibleObject") == nullptr ||
        Entry(fromObject, "oleacc.dll", "LresultFromObject") == nullptr)
        return 0;

    void* standard = nullptr;
    if (FAILED(createStandard(window, OBJID_CLIENT, kIidAccessible, &standard)) || standard == nullptr)
        return 0;
    auto* wrapper = new StdAnswersReplaced(static_cast<IAccessible*>(standard), window, answers);
    // LresultFromObject holds its own reference until the client takes the object.
    void* object = nullptr;
    wrapper->QueryInterface(kIidUnknown, &object);
    const LRESULT result = fromObject(kIidAccessible, flags, static_cast<IUnknown*>(object));
    static_cast<IUnknown*>(object)->Release();
    wrapper->Release();
    return result > 0 ? result : 0;
}

} // namespace platform
