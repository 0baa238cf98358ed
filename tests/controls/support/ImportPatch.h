// ImportPatch.h: one import of the test program answered by a stand-in for a while.
//
//   ImportPatch   while it lives, the program's own import address table
//                 sends its calls of one named function of one library to
//                 a stand-in, which can fail them; the entry is put back
//                 when it ends
//
// Only the calls that this program makes change: the system's libraries
// keep calling one another directly, so a window that user32 creates for a
// dialog is still created. The product knows nothing of it: its calls go
// through the import table like any call of a system function.
#pragma once

#include "platform/window/Win32.h"

namespace test {

class ImportPatch {
public:
    // library: as the import table names it, in any case ("user32.dll").
    ImportPatch(const char* library, const char* function, void* standIn);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the program imports no such function by name.
    bool Applied() const { return m_entry != nullptr; }
    // The function that the entry held before, for a stand-in that passes
    // some calls on.
    void* Original() const { return m_original; }

private:
    void** m_entry = nullptr;
    void* m_original = nullptr;
};

} // namespace test
