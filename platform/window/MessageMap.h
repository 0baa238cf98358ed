// MessageMap.h: message maps, one const table per class, chained to the base class's table.
//
//   MessageMapEntry        one row of a table: which message goes to which handler
//   MessageMap             a class's rows and the map of its base class
//   OnMessage, OnCommand, OnNotify, OnReflectedCommand, OnReflectedNotify,
//   OnReflectedDrawItem    the typed builders of rows
//
// A class declares `const MessageMap* GetMessageMap() const override;` and
// defines it with its rows and its base class's map:
//
//   const MessageMap* CDatumEdit::GetMessageMap() const
//   {
//       static constexpr MessageMapEntry kEntries[] = {
//           OnReflectedCommand<&CDatumEdit::OnEnChange>(EN_CHANGE),
//           OnMessage<&CDatumEdit::OnChar>(WM_CHAR),
//       };
//       static const MessageMap kMap{CEdit::GetMessageMap(), kEntries};
//       return &kMap;
//   }
//
// The handler is a template argument, so each row holds a plain function
// pointer to a small typed thunk: no member-pointer layouts are stored.
#pragma once

#include "platform/window/Win32.h"

#include <cstddef>
#include <type_traits>

class CWnd;

enum class MessageKind : unsigned char {
    Message,            // any message to the window itself
    Command,            // WM_COMMAND from a button, menu or accelerator with this id
    Notify,             // WM_NOTIFY with this code from the child with this id
    ReflectedCommand,   // the window's own WM_COMMAND notification, sent to its parent
    ReflectedNotify,    // the window's own WM_NOTIFY, sent to its parent
    ReflectedDrawItem,  // WM_DRAWITEM for the window, sent to its parent
};

using MessageThunk = LRESULT (*)(CWnd& window, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    MessageKind kind;
    UINT value;           // the message, or the notification code
    UINT id;              // the command or child id (Command, Notify); else 0
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* base;     // the base class's map, or null for CWnd
    const MessageMapEntry* entries;
    std::size_t count;

    template <std::size_t N>
    MessageMap(const MessageMap* baseMap, const MessageMapEntry (&rows)[N])
        : base(baseMap), entries(rows), count(N) {}
    explicit MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    // The first row, in this map or up the chain, that takes the message.
    const MessageMapEntry* Find(MessageKind kind, UINT value, UINT id) const;
};

namespace message_map_detail {

template <class T>
struct MemberOf;
template <class C, class R, class... Args>
struct MemberOf<R (C::*)(Args...)> {
    using Class = C;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler, class... Args>
constexpr bool kHasSignature = std::is_same_v<decltype(Handler), LRESULT (ClassOf<Handler>::*)(Args...)>;

template <auto Handler>
LRESULT CallWithParams(CWnd& window, WPARAM wParam, LPARAM lParam)
{
    return (static_cast<ClassOf<Handler>&>(window).*Handler)(wParam, lParam);
}

template <auto Handler>
LRESULT CallPlain(CWnd& window, WPARAM, LPARAM)
{
    return (static_cast<ClassOf<Handler>&>(window).*Handler)();
}

template <auto Handler>
LRESULT CallWithNotify(CWnd& window, WPARAM, LPARAM lParam)
{
    return (static_cast<ClassOf<Handler>&>(window).*Handler)(win32::FromLParam<NMHDR>(lParam));
}

template <auto Handler>
LRESULT CallWithDrawItem(CWnd& window, WPARAM, LPARAM lParam)
{
    return (static_cast<ClassOf<Handler>&>(window).*Handler)(win32::FromLParam<DRAWITEMSTRUCT>(lParam));
}

} // namespace message_map_detail

// A message to the window. Handler: LRESULT OnX(WPARAM wParam, LPARAM lParam)
template <auto Handler>
constexpr MessageMapEntry OnMessage(UINT message)
{
    static_assert(message_map_detail::kHasSignature<Handler, WPARAM, LPARAM>,
                  "handler must be LRESULT (C::*)(WPARAM, LPARAM)");
    return {MessageKind::Message, message, 0, &message_map_detail::CallWithParams<Handler>};
}

// WM_COMMAND with this id from a button click (BN_CLICKED), a menu or an
// accelerator. Handler: LRESULT OnX()
template <auto Handler>
constexpr MessageMapEntry OnCommand(UINT id)
{
    static_assert(message_map_detail::kHasSignature<Handler>, "handler must be LRESULT (C::*)()");
    return {MessageKind::Command, 0, id, &message_map_detail::CallPlain<Handler>};
}

// WM_NOTIFY with this code from the child with this id. Handler: LRESULT OnX(NMHDR* header)
template <auto Handler>
constexpr MessageMapEntry OnNotify(UINT code, UINT id)
{
    static_assert(message_map_detail::kHasSignature<Handler, NMHDR*>, "handler must be LRESULT (C::*)(NMHDR*)");
    return {MessageKind::Notify, code, id, &message_map_detail::CallWithNotify<Handler>};
}

// The window's own WM_COMMAND notification (EN_CHANGE, BN_CLICKED, ...),
// handed back to it by its parent. Handler: LRESULT OnX()
template <auto Handler>
constexpr MessageMapEntry OnReflectedCommand(UINT code)
{
    static_assert(message_map_detail::kHasSignature<Handler>, "handler must be LRESULT (C::*)()");
    return {MessageKind::ReflectedCommand, code, 0, &message_map_detail::CallPlain<Handler>};
}

// The window's own WM_NOTIFY, handed back to it by its parent. Handler: LRESULT OnX(NMHDR* header)
template <auto Handler>
constexpr MessageMapEntry OnReflectedNotify(UINT code)
{
    static_assert(message_map_detail::kHasSignature<Handler, NMHDR*>, "handler must be LRESULT (C::*)(NMHDR*)");
    return {MessageKind::ReflectedNotify, code, 0, &message_map_detail::CallWithNotify<Handler>};
}

// WM_DRAWITEM for the owner-drawn window, handed back to it by its parent.
// Handler: LRESULT OnX(DRAWITEMSTRUCT* item)
template <auto Handler>
constexpr MessageMapEntry OnReflectedDrawItem()
{
    static_assert(message_map_detail::kHasSignature<Handler, DRAWITEMSTRUCT*>,
                  "handler must be LRESULT (C::*)(DRAWITEMSTRUCT*)");
    return {MessageKind::ReflectedDrawItem, WM_DRAWITEM, 0, &message_map_detail::CallWithDrawItem<Handler>};
}
