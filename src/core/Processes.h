#pragma once

#include <cstdint>

namespace zarvic {

// When a process of this machine started (clock ticks after boot); 0 when unknown. With the process
// id it tells a process from a later one that was given the same id.
std::uint64_t ProcessStartTime(int pid);
// Whether a process of this machine with that id still runs (one we may not signal runs too); with a
// start time, only when it is the process that started then.
bool ProcessAlive(int pid, std::uint64_t startTime = 0);

}  // namespace zarvic
