#include "platform/core/Clock.h"

#include "platform/core/ClockForTesting.h"

#include <cerrno>

namespace platform {
namespace {

// Set only by tests, through platform::testing::SetFixedTime.
const testing::FixedTime* g_fixed = nullptr;

// The count that _time64 returns while a fixed clock is installed; the
// conversions ignore the count they are given then.
constexpr time64_t kFixedCount = 0;

} // namespace

namespace testing {

const FixedTime* SetFixedTime(const FixedTime* fixed)
{
    const FixedTime* previous = g_fixed;
    g_fixed = fixed;
    return previous;
}

} // namespace testing

time64_t _time64(time64_t* timer)
{
    time64_t now;
    if (g_fixed) {
        now = kFixedCount;
    } else {
#if defined(_WIN32)
        now = ::_time64(nullptr);
#else
        now = static_cast<time64_t>(std::time(nullptr));
#endif
    }
    if (timer)
        *timer = now;
    return now;
}

int _localtime64_s(std::tm* result, const time64_t* timer)
{
    if (!result || !timer)
        return EINVAL;
    if (g_fixed) {
        if (g_fixed->conversionFails)
            return EINVAL;
        *result = g_fixed->local;
        return 0;
    }
#if defined(_WIN32)
    const __time64_t t = *timer;
    return ::_localtime64_s(result, &t);
#else
    const std::time_t t = static_cast<std::time_t>(*timer);
    if (static_cast<time64_t>(t) != *timer || !localtime_r(&t, result))
        return EINVAL;
    return 0;
#endif
}

std::tm* _localtime64(const time64_t* timer)
{
    if (!timer)
        return nullptr;
    if (g_fixed) {
        static std::tm fixedResult;
        if (g_fixed->conversionFails)
            return nullptr;
        fixedResult = g_fixed->local;
        return &fixedResult;
    }
#if defined(_WIN32)
    const __time64_t t = *timer;
    return ::_localtime64(&t);
#else
    // The runtime's shared buffer, as on Windows.
    static std::tm shared;
    return _localtime64_s(&shared, timer) == 0 ? &shared : nullptr;
#endif
}

std::size_t strftime(char* buffer, std::size_t size, const char* format, const std::tm* time)
{
    if (g_fixed && g_fixed->formatFails) {
        // A failed call leaves the buffer's contents undefined; make them look like a date.
        const char stale[] = "19991231";
        for (std::size_t i = 0; i < size; ++i)
            buffer[i] = i + 1 < size && i < sizeof stale ? stale[i] : '\0';
        return 0;
    }
    return std::strftime(buffer, size, format, time);
}

} // namespace platform
