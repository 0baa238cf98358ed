// SystemTimeOf.h: a broken-down time from its pieces, for the time-conversion tests.
#pragma once

#include "platform/core/TimeConversions.h"

#include <cstdint>

namespace test {

inline platform::SYSTEMTIME Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    platform::SYSTEMTIME t{};
    t.wYear = static_cast<std::uint16_t>(y);
    t.wMonth = static_cast<std::uint16_t>(mo);
    t.wDay = static_cast<std::uint16_t>(d);
    t.wHour = static_cast<std::uint16_t>(h);
    t.wMinute = static_cast<std::uint16_t>(mi);
    t.wSecond = static_cast<std::uint16_t>(s);
    t.wMilliseconds = static_cast<std::uint16_t>(ms);
    return t;
}

} // namespace test
