// MessageRecorder.h: records what chosen windows receive and compares it with
// an expected sequence, in the manner of conformance tests.
//
//   Expect            one expected message: what, to which window role, which parameters
//   Command, Notify   expected WM_COMMAND / WM_NOTIFY by control id and notification code
//   MessageRecorder   watches windows, logs their messages, matches and prints sequences
//
// A scenario reads as its expected sequence:
//
//   enum Role { kParent = 1, kEdit };
//   // Typing into the edit tells the parent of the change.
//   const Expect kTyped[] = {
//       { WM_CHAR, kEdit, 'x' },
//       Optional(Command(kParent, 100, EN_UPDATE)),
//       Command(kParent, 100, EN_CHANGE),
//   };
//   MessageRecorder log;
//   log.Watch(dialog, kParent, "parent");
//   log.Watch(edit, kEdit, "edit");
//   ... drive the windows ...
//   EXPECT_TRUE(log.Matches(kTyped));
//
// Recording subclasses each watched window on top of whatever procedure it
// has, logs every message on arrival (sent or dispatched) and passes it on.
// Noise (painting, hit tests, cursor, IME, text queries, WM_GETDLGCODE, ...)
// is not logged; Ignore and Record change that per message.
#pragma once

#include "platform/window/Win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace test {

// What of a logged message an Expect compares, besides message and role.
enum ExpectFlags : unsigned {
    kMessageOnly = 0,
    kWParam = 1u << 0,
    kLParam = 1u << 1,
    kOptional = 1u << 2,   // may be absent from the log
};

struct Expect {
    UINT message;
    int role;                  // the role given to Watch
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    unsigned flags = kWParam;
};

// WM_COMMAND with this control id and notification code.
constexpr Expect Command(int role, UINT id, UINT code)
{
    return {WM_COMMAND, role, win32::MakeWParam(id, code), 0, kWParam};
}

// WM_NOTIFY from this control id with this code (logged as wParam = id, lParam = code).
constexpr Expect Notify(int role, UINT id, UINT code)
{
    return {WM_NOTIFY, role, id, static_cast<LPARAM>(static_cast<int>(code)), kWParam | kLParam};
}

constexpr Expect Optional(Expect expect)
{
    expect.flags |= kOptional;
    return expect;
}

struct Recorded {
    int role;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;   // for WM_NOTIFY: the notification code
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Watch(HWND hWnd, int role, const char* roleName);
    void Unwatch(HWND hWnd);
    // Stops recording; the log stays.
    void UnwatchAll();

    // Noise control: stop or start logging one message.
    void Ignore(UINT message);
    void Record(UINT message);
    // Logs only the messages for which keep returns true (noise stays out).
    void KeepOnly(std::function<bool(UINT message)> keep) { m_keep = std::move(keep); }

    void Clear() { m_log.clear(); }
    const std::vector<Recorded>& Log() const { return m_log; }

    // Matches the whole log against the expected sequence; on a mismatch the
    // failure lists expected and actual line by line with the first difference marked.
    ::testing::AssertionResult Matches(std::span<const Expect> expected) const;

    // Names printed instead of numbers; the defaults cover the common
    // window, edit, button and dialog messages and notification codes.
    static void NameMessage(UINT message, const char* name);
    static void NameNotification(UINT code, const char* name);

    std::string Describe(const Recorded& entry) const;
    std::string Describe(const Expect& entry) const;

private:
    static LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Add(int role, UINT message, WPARAM wParam, LPARAM lParam);
    std::string RoleName(int role) const;

    std::vector<Recorded> m_log;
    std::set<UINT> m_ignored;
    std::function<bool(UINT)> m_keep;
    std::map<int, std::string> m_roleNames;
    std::vector<HWND> m_watched;
};

} // namespace test
