// CmdTarget.h: command maps for the objects that take menu and accelerator
// commands without being windows (the application, documents).
//
//   CCmdTarget        an object with a command map, chained to its base's
//   CommandMapEntry   one row: which command id goes to which handler
//   CommandMap        a class's rows and the map of its base class
//   CommandEntry      the typed builder of a row
//
// Windows keep their commands in their message maps (OnCommand rows); the
// frame routes a command to the active view, itself, the view's document and
// the application, in that order, until one takes it.
//
//   const CommandMap* CMyApp::GetCommandMap() const
//   {
//       static constexpr CommandMapEntry kEntries[] = {
//           CommandEntry<&CMyApp::OnAppAbout>(ID_APP_ABOUT),
//       };
//       static const CommandMap kMap{CWinApp::GetCommandMap(), kEntries};
//       return &kMap;
//   }
#pragma once

#include "platform/appservices/Object.h"

#include <cstddef>
#include <type_traits>

class CCmdTarget;

using CommandThunk = void (*)(CCmdTarget& target);

struct CommandMapEntry {
    UINT id;
    CommandThunk thunk;
};

struct CommandMap {
    const CommandMap* base;   // the base class's map, or null for CCmdTarget
    const CommandMapEntry* entries;
    std::size_t count;

    template <std::size_t N>
    CommandMap(const CommandMap* baseMap, const CommandMapEntry (&rows)[N]) : base(baseMap), entries(rows), count(N)
    {
    }
    explicit CommandMap(const CommandMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    // The first row, in this map or up the chain, for the command.
    const CommandMapEntry* Find(UINT id) const;
};

class CCmdTarget : public CObject {
public:
    // Runs the handler of the command; FALSE when no row takes it.
    BOOL OnCmdMsg(UINT id);

protected:
    // This class's command map; every class with command handlers overrides it.
    virtual const CommandMap* GetCommandMap() const;
};

namespace command_map_detail {
template <class T>
struct MemberOf;
template <class C>
struct MemberOf<void (C::*)()> {
    using Class = C;
};

template <auto Handler>
void Call(CCmdTarget& target)
{
    using Class = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<Class&>(target).*Handler)();
}
} // namespace command_map_detail

// A menu or accelerator command. Handler: void OnX()
template <auto Handler>
constexpr CommandMapEntry CommandEntry(UINT id)
{
    using Class = typename command_map_detail::MemberOf<decltype(Handler)>::Class;
    static_assert(std::is_base_of_v<CCmdTarget, Class>, "handler must be a member of a command target");
    return {id, &command_map_detail::Call<Handler>};
}
