// HostDialog.h: a modeless host dialog for date-control tests.
//
//   Binding      how the dialog binds one date control: limit, option bits,
//                initial text, and whether its value is a CDateTimeValue
//   HostIds      the ids of the host's three fields
//   HostDialog   two date controls of the class under test (ids 1000 and
//                1001 unless given others), a plain edit (1002), OK and
//                Cancel; its data exchange binds both date controls to its
//                own members
//   PlainHostDialog   the same dialog under a plain dialog procedure, which
//                binds the controls by window handle (DatumBind); single-byte
//                or, as a Unicode program makes it, wide
//   DialogSteps  the driving steps of both: focus moves, typing, pumping
//   ProtocolLog  a message recorder that keeps only the protocol's messages
//                and WM_NEXTDLGCTL; Notice, Request and the rest are the
//                entries a test expects in it
//
// The dialogs are modeless so that a test drives them step by step: SetFocus,
// typed characters through the queue or sent directly, host commands.
#pragma once

#include "controls/DatumEntry.h"
#include "datevalues/DateTimeValue.h"
#include "datevalues/DateValue.h"
#include "platform/window/Dialog.h"
#include "tests/win32/support/DialogTemplate.h"
#include "tests/win32/support/MessageRecorder.h"
#include "tests/win32/support/WindowText.h"

#include <functional>

namespace test {

enum HostRole { kRoleParent = 1, kRoleFirst, kRoleSecond, kRolePlainEdit, kRoleOk, kRoleCancel };

// A notification to the parent: wParam the control's id, lParam 0.
constexpr Expect Notice(UINT code, int id) { return {code, kRoleParent, static_cast<WPARAM>(id), 0, kWParam | kLParam}; }
constexpr Expect Change(int id) { return Notice(DCN_CHANGE, id); }
constexpr Expect ExitChanged(int id) { return Notice(DCN_EXITCHANGED, id); }
constexpr Expect ExitUnchanged(int id) { return Notice(DCN_EXITUNCHANGED, id); }
constexpr Expect NextControl() { return {WM_NEXTDLGCTL, kRoleParent, 0, 0, kMessageOnly}; }
// A request that reached a watched control: wParam and lParam 0.
constexpr Expect Request(UINT message, int role) { return {message, role, 0, 0, kWParam | kLParam}; }

// The window's text as the controls' own string, for comparing with theirs.
inline CString TextOf(HWND window) { return CString(WindowText(window).c_str()); }

constexpr int kFirstId = 1000;
constexpr int kSecondId = 1001;
constexpr int kPlainEditId = 1002;

// Every "DatumCtrl" has a popup button with id 1001, so a host of those
// controls gives its second field and its plain edit other ids.
struct HostIds {
    int first = kFirstId;
    int second = kSecondId;
    int plainEdit = kPlainEditId;
};

struct Binding {
    int maxLen = 10;
    int flags = 0;
    const char* initial = nullptr;
    bool dateTime = false;   // bind the CDateTimeValue member instead of the CDateValue
    bool value = true;       // bind a value at all
    bool bind = true;        // call ExchangeData at all
    bool byHandle = false;   // bind with DatumBind at the first exchange instead
    CDateValue minDate{};    // the range, given to SetRange or DatumBind; empty: no limit
    CDateValue maxDate{};
    DatumDayRule dayRule = nullptr;   // the day rule, given to SetDayRule or DatumBind; null: none
    void* dayRuleContext = nullptr;
    const wchar_t* locale = nullptr;  // the locale, given to SetLocale or DatumBind; null: the user's default
    DatumPartial partial = DatumPartial::Nearest;
};

// Driving a host dialog, whatever runs it, as the dialog manager and a user would.
struct DialogSteps {
    HWND dialog;

    HWND Item(int id) const { return ::GetDlgItem(dialog, id); }
    int FocusId() const;
    // Dispatches what is queued, through the dialog manager like a real
    // loop: the wide functions for a Unicode dialog, as its program's loop.
    void Pump() const;
    // Types each character as a key press through the message queue.
    void Type(int id, const char* keys) const;
    // Focus moves as the dialog manager makes them.
    void Focus(int id) const;
    void Tab() const;
    // Puts the text on the clipboard and pastes it into the item (WM_PASTE).
    void Paste(int id, const wchar_t* text) const;
    // Pumps until done, at most limitMs: real input arrives through the
    // queue. False when it never was done.
    bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 3000) const;
};

// The host dialogs' template: the two fields of the class, the plain edit, OK and Cancel.
DialogTemplate HostTemplate(const char* className, const HostIds& ids);

class HostDialog : public CDialog {
public:
    HostDialog(const char* className, Binding first, Binding second = {}, HostIds ids = {});
    ~HostDialog() override;

    // Creates the dialog (its initial exchange binds the controls) and shows it.
    bool Open();
    CDatumEntry& Control(int id);
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int FocusId() const;

    // Dispatches what is queued, through the dialog manager like a real loop.
    void Pump();
    bool PumpUntil(const std::function<bool()>& done) { return DialogSteps{m_hWnd}.PumpUntil(done); }
    // Types each character as a key press through the message queue.
    void Type(int id, const char* keys);
    // Sends each character straight to the control as WM_CHAR.
    void SendChars(int id, const char* keys);
    // Focus moves as the dialog manager makes them.
    void Focus(int id);
    void Tab();

    using CDialog::UpdateData;

    CString text[2];
    CDateValue date[2];
    CDateTimeValue dateTime[2];
    Binding binding[2];
    const HostIds ids;
    int exchanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    DialogTemplate m_template;
};

// HostDialog's dialog and bindings under a plain dialog procedure, which
// binds the fields with DatumBind as it initialises, owns no members and
// ignores every notification.
class PlainHostDialog {
public:
    PlainHostDialog(const char* className, Binding first, Binding second = {}, HostIds ids = {});
    ~PlainHostDialog();
    PlainHostDialog(const PlainHostDialog&) = delete;
    PlainHostDialog& operator=(const PlainHostDialog&) = delete;

    // Creates the dialog (its initialisation binds the controls) and shows
    // it; wide: through CreateDialogIndirectParamW, a Unicode window.
    bool Open(bool wide = false);

    HWND m_hWnd = nullptr;
    Binding binding[2];
    const HostIds ids;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    DialogTemplate m_template;
};

// Watches the dialog and its children under the roles above and keeps only
// the messages of the date-control protocol (and WM_NEXTDLGCTL).
class ProtocolLog : public MessageRecorder {
public:
    explicit ProtocolLog(HostDialog& dialog);
    ProtocolLog(HWND dialog, const HostIds& ids);
};

// A log as an exact expectation, for comparing two runs of one scenario;
// only a focus move to a given window (WM_NEXTDLGCTL with lParam TRUE)
// names a handle, which differs from run to run.
std::vector<Expect> ExactlyAsLogged(const std::vector<Recorded>& log);

} // namespace test
