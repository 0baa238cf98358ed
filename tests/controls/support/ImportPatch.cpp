// ImportPatch.cpp: finding and writing one entry of the program's import address table.
#include "tests/controls/support/ImportPatch.h"

#include <cstring>

namespace test {
namespace {

// The entry of the import address table that the loader filled in for the
// function, found through the names the import descriptor lists for it.
void** ImportEntry(const char* library, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    for (const auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0)
            continue;
        const DWORD namesAt = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk
                                                                   : descriptor->FirstThunk;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + namesAt);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&entries->u1.Function);
        }
    }
    return nullptr;
}

// The table may lie in a read-only section: opened for the one write.
void WriteEntry(void** entry, void* value)
{
    DWORD previous = 0;
    if (!::VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &previous))
        return;
    *entry = value;
    ::VirtualProtect(entry, sizeof *entry, previous, &previous);
    ::FlushInstructionCache(::GetCurrentProcess(), entry, sizeof *entry);
}

} // namespace

ImportPatch::ImportPatch(const char* library, const char* function, void* standIn)
    : m_entry(ImportEntry(library, function))
{
    if (m_entry == nullptr)
        return;
    m_original = *m_entry;
    WriteEntry(m_entry, standIn);
}

ImportPatch::~ImportPatch()
{
    if (m_entry != nullptr)
        WriteEntry(m_entry, m_original);
}

} // namespace test
