// Prng.h: the storm's one source of randomness.
//
//   Prng   a seeded stream (splitmix64) that gives the same draws with every
//          compiler and library, so that a seed replays a storm event for
//          event; nothing else in a storm may decide at random
#pragma once

#include <cstddef>
#include <cstdint>

namespace storm {

class Prng {
public:
    explicit Prng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. count - 1 (count > 0). The bias of the modulo is far below what a
    // storm could notice.
    std::uint32_t Below(std::uint32_t count) { return static_cast<std::uint32_t>(Next() % count); }

    // lowest .. highest, both included.
    int Between(int lowest, int highest)
    {
        return lowest + static_cast<int>(Below(static_cast<std::uint32_t>(highest - lowest + 1)));
    }

    bool Percent(std::uint32_t percent) { return Below(100) < percent; }

    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t m_state;
};

} // namespace storm
