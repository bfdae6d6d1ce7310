#include "saver/timed_wait.h"

#include <algorithm>

namespace lumiroll {

std::int32_t ElapsedMilliseconds(std::uint32_t start, std::uint32_t now) {
  return static_cast<std::int32_t>(now - start);
}

std::uint32_t TimeLeft(std::int32_t requested, std::int32_t elapsed) {
  const std::int64_t left = static_cast<std::int64_t>(requested) - elapsed;
  constexpr std::int64_t longestBlock = 0xFFFFFFFEll;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(left, 0, longestBlock));
}

void RunTimedWait(std::int32_t milliseconds, std::int16_t& SkipWait, const WaitServices& services) {
  const std::uint32_t start = services.now();
  for (;;) {
    services.processPendingEvents();
    if (SkipWait != 0) break;
    const std::int32_t elapsed = ElapsedMilliseconds(start, services.now());
    if (milliseconds <= elapsed) break;
    services.waitForEvents(TimeLeft(milliseconds, elapsed));
  }
  SkipWait = 0;
}

}  // namespace lumiroll
