#pragma once
// The show's one event loop, apart from the operating system: it handles the pending events,
// paints the due cycle once its picture is ready, and otherwise blocks until an event, the wait's
// end, a finished load or the loader's no-data watch. The clock, the blocking, the event handling
// and the painting come in as functions.
#include <cstdint>
#include <functional>

#include "saver/show_engine.h"

namespace lumiroll {

struct ShowLoopServices {
  std::function<std::uint32_t()> now;                     // the millisecond counter
  std::function<void(std::uint32_t)> waitForEvents;       // until input, a finished load or the timeout
  std::function<bool()> processPendingEvents;             // runs the handlers; false once the program ends
  std::function<bool()> runDueCycle;                      // paints the due cycle; false while its picture is awaited
  std::function<std::uint32_t(std::uint32_t)> loadWatch;  // ms until the loader's watch is due; 0: act now
};

// Runs until event processing says the program ends. Events are handled before every cycle, so
// the show answers input whatever the display time, 0 or less included, and while a picture is
// awaited, however long.
void RunShowLoop(const ShowEngine& engine, const ShowLoopServices& services);

}  // namespace lumiroll
