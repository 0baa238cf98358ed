// ScriptedDialog.cpp: a dialog that runs a test's steps from inside its own message loop.
#include "tests/win32/support/ScriptedDialog.h"

namespace test {
namespace {
constexpr UINT kRunScript = WM_APP + 0x3F0;
constexpr UINT_PTR kWatchdog = 0x5C;
} // namespace

const MessageMap* ScriptedDialog::GetMessageMap() const
{
    static constexpr MessageMapEntry kEntries[] = {
        OnMessage<&ScriptedDialog::OnRunScript>(kRunScript),
        OnMessage<&ScriptedDialog::OnTimer>(WM_TIMER),
    };
    static const MessageMap kMap{CDialog::GetMessageMap(), kEntries};
    return &kMap;
}

BOOL ScriptedDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    ::SetTimer(m_hWnd, kWatchdog, 10000, nullptr);
    PostMessage(kRunScript);
    return result;
}

void ScriptedDialog::DoDataExchange(CDataExchange* pDX)
{
    if (exchange)
        exchange(pDX);
}

LRESULT ScriptedDialog::OnRunScript(WPARAM, LPARAM)
{
    if (script)
        script(*this);
    return 0;
}

LRESULT ScriptedDialog::OnTimer(WPARAM id, LPARAM)
{
    if (id != kWatchdog)
        return Default();
    ::KillTimer(m_hWnd, kWatchdog);
    EndDialog(kTimedOut);
    return 0;
}

} // namespace test
