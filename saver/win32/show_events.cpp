#include "saver/win32/show_events.h"

#include <timeapi.h>

#include <optional>

#include "platform/window.h"
#include "saver/show_loop.h"

namespace lumiroll {
namespace {

// The operating system's timer resolution at 1 ms while the show runs, so a photograph is due to
// the millisecond rather than to the next 15.6 ms tick.
class FineTimer {
 public:
  FineTimer() : set_(::timeBeginPeriod(1) == TIMERR_NOERROR) {}
  FineTimer(const FineTimer&) = delete;
  FineTimer& operator=(const FineTimer&) = delete;
  ~FineTimer() {
    if (set_) ::timeEndPeriod(1);
  }

 private:
  bool set_;
};

}  // namespace

int RunShowEvents(const ShowEngine& engine, HANDLE loadFinished, const std::function<bool()>& runDueCycle,
                  const std::function<std::uint32_t(std::uint32_t)>& loadWatch) {
  const FineTimer timer;
  int exitCode = 0;
  const DWORD handleCount = loadFinished ? 1 : 0;
  const ShowLoopServices services{
      [] { return static_cast<std::uint32_t>(::timeGetTime()); },
      // MWMO_INPUTAVAILABLE: input already in the queue but not yet looked at also ends the block.
      [&](std::uint32_t timeout) {
        ::MsgWaitForMultipleObjectsEx(handleCount, &loadFinished, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      },
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
