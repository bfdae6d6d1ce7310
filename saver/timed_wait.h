#pragma once
// The arithmetic of the show's wait on a wrapping 32-bit millisecond counter.
#include <cstdint>

namespace lumiroll {

// The operating system's "infinite" timeout: block until an event comes.
inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFFu;

// Milliseconds between two readings of a wrapping 32-bit counter, taken modulo 2^32 and read as
// a signed number: right across the wrap.
[[nodiscard]] std::int32_t ElapsedMilliseconds(std::uint32_t start, std::uint32_t now);

// How long the operating system may block before the requested time is up; 0 when it is up.
// Never the "infinite" timeout 0xFFFFFFFF.
[[nodiscard]] std::uint32_t TimeLeft(std::int32_t requested, std::int32_t elapsed);

}  // namespace lumiroll
