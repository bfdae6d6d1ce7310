#include "saver/win32/show_events.h"

#include <optional>

#include "platform/millisecond_clock.h"
#include "platform/win32/window.h"
#include "saver/show_loop.h"
#include "saver/win32/deadline_timer.h"

namespace lumiroll {

int RunShowEvents(const ShowEngine& engine, HANDLE loadFinished, const std::function<bool()>& runDueCycle,
                  const std::function<std::uint32_t(std::uint32_t)>& loadWatch) {
  DeadlineTimer timer;
  int exitCode = 0;
  const ShowLoopServices services{&MillisecondClock, [&](std::uint32_t timeout) { timer.Wait(loadFinished, timeout); },
                                  [&] {
                                    const std::optional<int> quit = ProcessPendingEvents();
                                    if (quit) exitCode = *quit;
                                    return !quit;
                                  },
                                  runDueCycle, loadWatch};
  RunShowLoop(engine, services);
  return exitCode;
}

}  // namespace lumiroll
