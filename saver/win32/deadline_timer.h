#pragma once
// How the show's loop blocks until its deadline, to the millisecond, without holding the system's
// timer at 1 ms for the whole show: a high-resolution waitable timer where the system has one;
// elsewhere the 1 ms period is asked for only in the last moments before a deadline.
#include <windows.h>

#include <cstdint>

#include "platform/win32/handles.h"

namespace lumiroll {

class DeadlineTimer {
 public:
  DeadlineTimer();
  DeadlineTimer(const DeadlineTimer&) = delete;
  DeadlineTimer& operator=(const DeadlineTimer&) = delete;
  ~DeadlineTimer() { HoldFinePeriod(false); }

  // Blocks in the program's pump until a message arrives, event (may be null) is signalled or
  // timeout milliseconds have passed (kWaitForever: no deadline).
  void Wait(HANDLE event, std::uint32_t timeout);

 private:
  // The block's timeout on the system's coarse timer: short of the deadline while it is far, so
  // that its last moments are waited at 1 ms.
  [[nodiscard]] DWORD CoarseBlock(std::uint32_t timeout);
  void HoldFinePeriod(bool hold);

  UniqueHandle timer_;  // null where the system has no high-resolution timer
  bool finePeriod_ = false;
};

}  // namespace lumiroll
