#include "platform/millisecond_clock.h"

namespace lumiroll {

std::uint32_t CounterMilliseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond) {
  // Seconds and the rest apart: ticks * 1000 would overflow after 58 years at 10 MHz.
  const std::uint64_t seconds = ticks / ticksPerSecond;
  const std::uint64_t rest = ticks % ticksPerSecond;
  return static_cast<std::uint32_t>(seconds * 1000 + rest * 1000 / ticksPerSecond);
}

}  // namespace lumiroll
