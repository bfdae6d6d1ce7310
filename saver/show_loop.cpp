#include "saver/show_loop.h"

#include <algorithm>

#include "saver/timed_wait.h"

namespace lumiroll {

void RunShowLoop(const ShowEngine& engine, const ShowLoopServices& services) {
  while (services.processPendingEvents()) {
    const std::uint32_t now = services.now();
    const bool due = engine.WaitOver(now);
    if (due && services.runDueCycle()) continue;
    const std::uint32_t watch = services.loadWatch(now);
    if (watch == 0) continue;  // a load was given up: the due cycle goes on without it
    services.waitForEvents(std::min(due ? kWaitForever : engine.BlockFor(now), watch));
  }
}

}  // namespace lumiroll
