#pragma once
#include <cstdint>

namespace lumiroll {

// Waits the given milliseconds while handling window and input events, blocked in the operating
// system between events. A handler that sets SkipWait ends the wait; SkipWait is 0 on return.
void TimedWait(std::int32_t milliseconds, std::int16_t& SkipWait);

}  // namespace lumiroll
