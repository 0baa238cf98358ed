// Storms of seeded random input over the application's own test dialog
// (template 100 with its one date control, bound as the application binds
// it), with the same invariants as the storms over the storm's own dialog.
#include "tests/storm/support/Storm.h"

#include "app/AboutDlg.h"
#include "app/Resource.h"

#include <gtest/gtest.h>

namespace storm {
namespace {

constexpr std::uint64_t kDefaultSeed = 19500105;
constexpr int kDefaultEvents = 1500;

// The test dialog, made modeless so that the storm drives it step by step;
// OK and Cancel end it as they end the modal one.
class TestDialogHost : public StormHost {
public:
    TestDialogHost()
    {
        Field field;
        field.id = IDC_ABOUT_DATUM;
        field.kind = Kind::Ctrl;
        field.flags = 0;
        field.maxLen = 10;
        field.text = &m_dialog.m_text;
        field.value = &m_dialog.m_date;
        m_fields.push_back(field);
    }
    ~TestDialogHost() override
    {
        if (m_dialog.m_hWnd != nullptr)
            m_dialog.DestroyWindow();
    }

    bool Open() override
    {
        if (!m_dialog.Create(IDD_ABOUTBOX))
            return false;
        m_dialog.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_dialog.m_hWnd);
        return true;
    }
    CDialog& Dialog() override { return m_dialog; }

private:
    CAboutDlg m_dialog;
};

class TestDialogStormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareFieldClasses(); }
};

// Random typing, Tab, Down, clicks, popups, host commands, pastes and
// exchanges over the application's test dialog, opened again each time the
// user closes it; every invariant holds after every step.
TEST_F(TestDialogStormTest, TestDialogSurvivesARandomStorm)
{
    const HostFactory testDialog = [](Prng&) { return std::make_unique<TestDialogHost>(); };
    for (const StormReport& report : RunStorms(kDefaultSeed, kDefaultEvents, testDialog))
        EXPECT_TRUE(report.passed) << report.failure;
}

} // namespace
} // namespace storm
