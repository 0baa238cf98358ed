// What an accessibility client reads from the date controls and the popup
// button, through the system's own in-process accessibility layer.
#include "tests/controls/DatumCtrlFixture.h"

#include <oleacc.h>

namespace test {
namespace {

constexpr GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// What a client reads from a window's client object; role 0 when it got none.
struct Reading {
    LONG role = 0;
    CString name;
    CString value;
    bool unavailable = false;
};

CString TakeText(BSTR text)
{
    char buffer[256] = {};
    if (text != nullptr)
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    ::SysFreeString(text);
    return CString(buffer);
}

Reading Read(HWND window)
{
    Reading reading;
    void* found = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, &found)))
        return reading;
    auto* object = static_cast<IAccessible*>(found);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        reading.role = role.lVal;
    VARIANT state{};
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        reading.unavailable = (state.lVal & STATE_SYSTEM_UNAVAILABLE) != 0;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(self, &text)))
        reading.name = TakeText(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accValue(self, &text)))
        reading.value = TakeText(text);
    object->Release();
    return reading;
}

// The date controls read as editable text whose value is the field's text,
// like the plain edit beside them, and as unavailable when disabled. The
// popup button reads as a push button named after what it does, and is
// unavailable with its control; its window text stays its own.
TEST_F(DatumCtrlTest, ScreenReadersReadTheFieldsAsTextAndTheButtonAsAPushButton)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    RegisterDatumEditClass();
    HostDialog& ctrls = Open({.initial = "2007-01-15"}, {.initial = "2007-02-01"});
    HostDialog edits("DatumEdit", {.initial = "20070115"}, {.initial = "20070201"});
    ASSERT_TRUE(edits.Open());
    ::EnableWindow(ctrls.Item(kCtrlIds.second), FALSE);
    ::EnableWindow(edits.Item(kSecondId), FALSE);
    ::SetWindowTextA(ctrls.Item(kCtrlIds.plainEdit), "plain");

    struct Case {
        const char* what;
        HWND window;
        LONG role;
        const char* value;
        const char* name;   // null: the system's own
        bool unavailable;
    };
    const Case cases[] = {
        {"plain edit", ctrls.Item(kCtrlIds.plainEdit), ROLE_SYSTEM_TEXT, "plain", nullptr, false},
        {"DatumCtrl", ctrls.Item(kCtrlIds.first), ROLE_SYSTEM_TEXT, "2007-01-15", nullptr, false},
        {"disabled DatumCtrl", ctrls.Item(kCtrlIds.second), ROLE_SYSTEM_TEXT, "2007-02-01", nullptr, true},
        {"DatumEdit", edits.Item(kFirstId), ROLE_SYSTEM_TEXT, "20070115", nullptr, false},
        {"disabled DatumEdit", edits.Item(kSecondId), ROLE_SYSTEM_TEXT, "20070201", nullptr, true},
        {"popup button", Button(kCtrlIds.first), ROLE_SYSTEM_PUSHBUTTON, "", "Open calendar", false},
        {"popup button of the disabled DatumCtrl", Button(kCtrlIds.second), ROLE_SYSTEM_PUSHBUTTON, "",
         "Open calendar", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Reading reading = Read(c.window);
        EXPECT_EQ(reading.role, c.role);
        EXPECT_EQ(reading.value, c.value);
        if (c.name != nullptr) {
            EXPECT_EQ(reading.name, c.name);
        }
        EXPECT_EQ(reading.unavailable, c.unavailable);
    }
    EXPECT_EQ(TextOf(Button(kCtrlIds.first)), "Kodpopup");
    ::OleUninitialize();
}

} // namespace
} // namespace test
