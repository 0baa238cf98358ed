// Storm.h: seeded storms of random user and host input over a host dialog of
// date fields, with the invariants checked after every step.
//
//   StormOptions   seed, number of events, tracing; read from the environment
//   StormReport    what a storm did, and its first broken invariant with the
//                  seed, the tail of the event log and the line that replays it
//   RunStorm       runs one storm over the hosts that a factory makes
//   RunStorms      the storms that the environment asks for, each announced
//                  and summed up on standard output
//   PrepareFieldClasses   the common controls and the two field classes
//
// Replaying a failure: STORM_SEED=<seed> STORM_EVENTS=<event number + 1>
// reruns the same events and stops right after the failing one;
// STORM_TRACE=1 prints every event and step as it runs.
#pragma once

#include "tests/storm/support/StormHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace storm {

struct StormOptions {
    std::uint64_t seed = 1;
    int events = 1000;
    int seeds = 1;          // consecutive seeds from seed on, each a storm of its own
    bool trace = false;
    int tail = 60;          // events printed before a failure

    // STORM_SEED (decimal or 0x hex), STORM_EVENTS, STORM_SEEDS, STORM_TRACE,
    // STORM_TAIL; the defaults where a variable is not set.
    static StormOptions FromEnvironment(std::uint64_t defaultSeed, int defaultEvents);
};

struct StormReport {
    bool passed = true;
    std::string failure;
    std::uint64_t seed = 0;
    int events = 0;
    int steps = 0;
    int dialogs = 0;          // host dialogs opened
    int popups = 0;           // calendar popups opened
    int picks = 0;            // days picked in them
    int messageBoxes = 0;     // the framework's boxes (a failed length check on OK)
    int maxFocusArrivals = 0;  // the most focus arrivals in one step
    int lostInputs = 0;       // real clicks and keys that never arrived (not counted as failures)
    double seconds = 0;

    std::string Summary() const;
};

StormReport RunStorm(std::uint64_t seed, int events, const StormOptions& options, const HostFactory& factory);

// One storm per seed of StormOptions::FromEnvironment(defaultSeed, defaultEvents).
std::vector<StormReport> RunStorms(std::uint64_t defaultSeed, int defaultEvents, const HostFactory& factory);

void PrepareFieldClasses();

} // namespace storm
