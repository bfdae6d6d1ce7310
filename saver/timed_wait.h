#pragma once
// The arithmetic and the steps of the show's wait, apart from the operating system: the clock,
// the blocking wait and the event processing come in as functions.
#include <cstdint>
#include <functional>

namespace lumiroll {

// Milliseconds between two readings of a wrapping 32-bit counter, taken modulo 2^32 and read as
// a signed number: right across the wrap.
[[nodiscard]] std::int32_t ElapsedMilliseconds(std::uint32_t start, std::uint32_t now);

// How long the operating system may block before the requested time is up; 0 when it is up.
// Never the "infinite" timeout 0xFFFFFFFF.
[[nodiscard]] std::uint32_t TimeLeft(std::int32_t requested, std::int32_t elapsed);

struct WaitServices {
  std::function<std::uint32_t()> now;                    // the millisecond counter
  std::function<void(std::uint32_t)> waitForEvents;      // blocks until an event or the timeout
  std::function<void()> processPendingEvents;            // runs the input handlers
};

// Waits the requested milliseconds while handling events; non-zero SkipWait (set by a handler)
// ends the wait early. SkipWait is 0 on return. Events are handled at least once per call, even
// for a request of 0 or less, so the show never stops answering input.
void RunTimedWait(std::int32_t milliseconds, std::int16_t& SkipWait, const WaitServices& services);

}  // namespace lumiroll
