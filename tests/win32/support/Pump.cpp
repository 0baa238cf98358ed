// Pump.cpp: the one message pump of the window tests.
#include "tests/win32/support/Pump.h"

namespace test {

bool PumpMessages(HWND dialog, int limit)
{
    const bool wide = dialog != nullptr && ::IsWindowUnicode(dialog) != FALSE;
    const auto peek = wide ? &::PeekMessageW : &::PeekMessageA;
    const auto isDialogMessage = wide ? &::IsDialogMessageW : &::IsDialogMessageA;
    const auto dispatch = wide ? &::DispatchMessageW : &::DispatchMessageA;
    MSG message;
    for (int count = 0; limit < 0 || count < limit; ++count) {
        if (!peek(&message, nullptr, 0, 0, PM_REMOVE))
            return true;
        if (dialog != nullptr && ::IsWindow(dialog) && isDialogMessage(dialog, &message))
            continue;
        ::TranslateMessage(&message);
        dispatch(&message);
    }
    return false;
}

} // namespace test
