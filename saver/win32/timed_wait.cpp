#include "saver/win32/timed_wait.h"

#include <windows.h>
#include <timeapi.h>

#include "platform/window.h"
#include "saver/timed_wait.h"

namespace lumiroll {
namespace {

const WaitServices& SystemWait() {
  static const WaitServices services{
      [] { return static_cast<std::uint32_t>(::timeGetTime()); },
      // MWMO_INPUTAVAILABLE: input already in the queue but not yet looked at also ends the block.
      [](std::uint32_t timeout) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      },
      [] { ProcessPendingEvents(); }};
  return services;
}

}  // namespace

void TimedWait(std::int32_t milliseconds, std::int16_t& SkipWait) { RunTimedWait(milliseconds, SkipWait, SystemWait()); }

}  // namespace lumiroll
