#pragma once
// The program's millisecond clock: a wrapping 32-bit count read from the system's precise
// counter, so that a wait that ends at its deadline reads as ended. (timeGetTime moves in steps
// of 5 to 16 ms on Windows: a high-resolution timer's wake-up would read as early and wait again.)
#include <cstdint>

namespace lumiroll {

// Whole milliseconds of a counter's reading, rounded down, wrapping at 2^32 like the count the
// show's arithmetic takes. Exact for any reading; ticksPerSecond must not be 0.
[[nodiscard]] std::uint32_t CounterMilliseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond);

// The system's precise counter in milliseconds (Win32 only); every thread reads the same clock.
[[nodiscard]] std::uint32_t MillisecondClock();

}  // namespace lumiroll
