#pragma once
// The show's one event loop, apart from the operating system: it handles the pending events,
// runs a cycle when the wait is over, and otherwise blocks until an event or the wait's end.
// The clock, the blocking, the event handling and the cycle itself come in as functions.
#include <cstdint>
#include <functional>

#include "saver/show_engine.h"

namespace lumiroll {

struct ShowLoopServices {
  std::function<std::uint32_t()> now;                // the millisecond counter
  std::function<void(std::uint32_t)> waitForEvents;  // until input, a finished decode or the timeout
  std::function<bool()> processPendingEvents;        // runs the handlers; false once the program ends
  std::function<void()> runCycle;                    // Next, load, paint, start the wait
};

// Runs until event processing says the program ends. Events are handled before every cycle, so
// the show answers input whatever the display time, 0 or less included.
void RunShowLoop(const ShowEngine& engine, const ShowLoopServices& services);

}  // namespace lumiroll
