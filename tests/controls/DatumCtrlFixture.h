// DatumCtrlFixture.h: what the tests of the date control and its popup share:
// the registered class, the common controls, a host dialog of two date
// controls, and small readers of window state.
#pragma once

#include "controls/ControlClasses.h"
#include "controls/DatumCtrl.h"
#include "controls/KodPopupButton.h"
#include "platform/window/Module.h"
#include "tests/controls/support/ClientView.h"
#include "tests/controls/support/HostDialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Rectangles compared and printed by gtest.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace test {

// The second field and the plain edit keep clear of the buttons' id 1001.
constexpr HostIds kCtrlIds{.first = 1000, .second = 1003, .plainEdit = 1004};

inline RECT NormalRect(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
}

class DatumCtrlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&controls);
        RegisterDatumCtrlClass();
    }

    // Opens a host dialog whose two date controls are bound as given.
    HostDialog& Open(Binding first = {}, Binding second = {})
    {
        m_dialog = std::make_unique<HostDialog>("DatumCtrl", first, second, kCtrlIds);
        EXPECT_TRUE(m_dialog->Open());
        return *m_dialog;
    }

    // A date control made outside the template, in pixels of the dialog's client area.
    HWND CreateCtrl(DWORD style, RECT rect, int id = 1010)
    {
        return ::CreateWindowExA(0, "DatumCtrl", "", style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, m_dialog->m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
    }

    CDatumCtrl& Ctrl(int id) { return *dynamic_cast<CDatumCtrl*>(m_dialog->GetDlgItem(id)); }
    HWND Button(int id) { return PopupButtonOf(m_dialog->Item(id)); }

    std::unique_ptr<HostDialog> m_dialog;
};

} // namespace test
