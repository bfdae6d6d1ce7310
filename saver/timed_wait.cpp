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

}  // namespace lumiroll
