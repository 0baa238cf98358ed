// ScriptedDialog.h: a dialog that runs a test's steps from inside its own
// message loop, so that modal runs can be driven without blocking the test.
//
//   ScriptedDialog   CDialog with a script (run once the dialog is up) and an
//                    exchange (its DDX_/DDV_ calls), both set by the test
#pragma once

#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

#include <functional>

namespace test {

class ScriptedDialog : public CDialog {
public:
    // DoModal's result when the script has not ended the dialog after 10 seconds.
    static constexpr int kTimedOut = -2;

    explicit ScriptedDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr)
        : CDialog(dialogTemplate, parent) {}

    // Runs once, from a message posted by OnInitDialog, inside the dialog's loop.
    std::function<void(ScriptedDialog& dialog)> script;
    // The dialog's data exchange.
    std::function<void(CDataExchange* pDX)> exchange;

    using CDialog::UpdateData;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnRunScript(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
};

} // namespace test
