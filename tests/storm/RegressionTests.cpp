// Defects of the date controls found while building the storms, each as the
// smallest test that shows it.
//
// While a test asks for it, freed blocks are poisoned and kept
// (DeletionWatch.h), so that a use of a deleted object aborts the program
// instead of passing unnoticed.
#include "controls/ControlClasses.h"
#include "controls/DatumProtocol.h"
#include "tests/controls/support/ClientView.h"
#include "tests/win32/support/DeletionWatch.h"
#include "tests/controls/support/HostDialog.h"
#include "tests/controls/support/PopupDriver.h"

#include <gtest/gtest.h>

namespace storm {
namespace {

constexpr test::HostIds kIds{.first = 1000, .second = 1003, .plainEdit = 1004};

using test::TextOf;

class StormRegression : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&controls);
        RegisterDatumCtrlClass();
    }
    void TearDown() override { test::PoisonFreedBlocks(false); }
};

// Found by the storm with seed 1 (event 401). A minus sign in the year piece
// gives the year 65536 minus the number, which the calendar rule accepts:
// the date control took the typed text -1230101 and rewrote it on leaving
// as 65413-01-01. That rewrite reads as no date, so the next time the user
// left the field it was refused and the focus was trapped by a text the
// field wrote itself; and DCM_TEXTTOVALUE stored it as the bound text with
// an empty bound value. Either the typed text is refused as typed, or its
// rewrite is accepted again and the value says what the text says.
TEST_F(StormRegression, TextWithANegativeYearIsNotRefusedAfterItsOwnRewrite)
{
    test::HostDialog dlg("DatumCtrl", {}, {}, kIds);
    ASSERT_TRUE(dlg.Open());
    const HWND field = dlg.Item(kIds.first);
    dlg.Focus(kIds.first);
    dlg.Type(kIds.first, "-1230101");
    dlg.Tab();
    if (dlg.FocusId() == kIds.first) {
        EXPECT_EQ(TextOf(field), "-1230101");   // refused as typed
    } else {
        const CString rewritten = TextOf(field);
        dlg.Focus(kIds.first);
        dlg.Tab();
        EXPECT_EQ(dlg.FocusId(), kIds.second) << "the field refuses its own rewrite " << rewritten.GetString();
    }

    ::SetWindowTextA(field, "-1230101");
    ::SendMessageA(field, DCM_TEXTTOVALUE, 0, 0);
    EXPECT_EQ(dlg.date[0].FormatDashed(), dlg.text[0]) << "bound text " << dlg.text[0].GetString();
}

// A host that destroys its dialog while a date control's popup runs (from a
// timer, say) deletes the control and its button inside the popup's modal
// run. When the run returned, the control's popup procedure went on with the
// deleted object: it redrew its parent, read and wrote its entry text and
// took the focus. With freed blocks poisoned, such a use aborts the program
// (reading the entry text of the deleted control). Both ways in: the
// request sent to the control, and a click on its button.
TEST_F(StormRegression, ControlDestroyedWhileItsPopupRunsIsNotUsedAgain)
{
    for (const bool byButton : {false, true}) {
        SCOPED_TRACE(byButton ? "button" : "request");
        test::DeletionWatch deletions;
        test::HostDialog dlg("DatumCtrl", {.initial = "2007-01-15"}, {}, kIds);
        ASSERT_TRUE(dlg.Open());
        dlg.Focus(kIds.first);
        const HWND field = dlg.Item(kIds.first);
        const HWND button = test::PopupButtonOf(field);
        ASSERT_TRUE(deletions.Watch(field) && deletions.Watch(button));
        test::PopupDriver driver([&](CKalenderPopupDlg&) {
            test::PoisonFreedBlocks(true);
            dlg.DestroyWindow();
        });
        if (byButton)
            ::SendMessageA(dlg.m_hWnd, WM_COMMAND, win32::MakeWParam(IDC_POPUPBUTTON, BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
        else
            ::SendMessageA(field, DCM_OPENPOPUP, 0, 0);
        test::PoisonFreedBlocks(false);

        EXPECT_TRUE(driver.scriptRan);
        EXPECT_FALSE(::IsWindow(field));
        EXPECT_EQ(deletions.Deletions(field), 1);
        EXPECT_EQ(deletions.Deletions(button), 1);
    }
}

} // namespace
} // namespace storm
