#include "saver/show_loop.h"

namespace lumiroll {

void RunShowLoop(const ShowEngine& engine, const ShowLoopServices& services) {
  while (services.processPendingEvents()) {
    if (engine.WaitOver(services.now())) {
      services.runCycle();
      continue;
    }
    services.waitForEvents(engine.BlockFor(services.now()));
  }
}

}  // namespace lumiroll
