#include "platform/millisecond_clock.h"

#include <windows.h>

namespace lumiroll {
namespace {

// The counter's frequency is fixed at boot; QueryPerformanceCounter never fails on Windows XP and later.
std::uint64_t CounterFrequency() {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart > 0 ? static_cast<std::uint64_t>(frequency.QuadPart) : 1000;
}

}  // namespace

std::uint32_t MillisecondClock() {
  static const std::uint64_t frequency = CounterFrequency();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return CounterMilliseconds(static_cast<std::uint64_t>(now.QuadPart), frequency);
}

}  // namespace lumiroll
