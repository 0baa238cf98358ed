// CmdTarget.cpp: command maps of the objects that are not windows.
#include "platform/appservices/CmdTarget.h"

const CommandMapEntry* CommandMap::Find(UINT id) const
{
    for (const CommandMap* map = this; map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            if (map->entries[i].id == id)
                return &map->entries[i];
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id)
{
    const CommandMapEntry* entry = GetCommandMap()->Find(id);
    if (!entry)
        return FALSE;
    entry->thunk(*this);
    return TRUE;
}

const CommandMap* CCmdTarget::GetCommandMap() const
{
    static const CommandMap kMap(nullptr);
    return &kMap;
}
