// The runtime library's clock and calendar calls, reached only through here.
//
// The date values call these under their runtime names. In the Windows build
// they are the C runtime's functions; natively they are the POSIX
// equivalents (time, localtime_r, strftime). Tests can replace the time
// source through platform/core/ClockForTesting.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

namespace platform {

// Seconds since 1970-01-01 00:00:00 UTC, 64 bits wide on every target.
using time64_t = std::int64_t;

// The current calendar time; also stored through timer when it is not null.
time64_t _time64(time64_t* timer);

// Local broken-down time of *timer in a buffer shared by all callers, or
// null when the time cannot be converted.
std::tm* _localtime64(const time64_t* timer);

// Reentrant form: 0 and *result filled on success, an errno value on failure.
int _localtime64_s(std::tm* result, const time64_t* timer);

// The C library's strftime: the number of characters written without the
// terminator, or 0 when the text does not fit.
std::size_t strftime(char* buffer, std::size_t size, const char* format, const std::tm* time);

} // namespace platform
