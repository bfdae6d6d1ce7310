#include "saver/win32/deadline_timer.h"

#include <timeapi.h>

#include "platform/win32/window.h"
#include "saver/timed_wait.h"
#include "saver/win32/show_counters.h"

namespace lumiroll {
namespace {

// The coarse timer wakes up to one 15.6 ms tick late: a block ends this long before its deadline
// and the rest is waited at 1 ms.
constexpr std::uint32_t kFineLead = 40;

HANDLE CreateHighResolutionTimer() {
#ifdef LUMIROLL_COARSE_TIMER_ONLY
  return nullptr;  // the benchmark build's measure of the fallback
#else
  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, which MinGW's headers do not name; older systems refuse it.
  constexpr DWORD kHighResolutionTimer = 0x00000002;
  return ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
#endif
}

}  // namespace

DeadlineTimer::DeadlineTimer() : timer_(CreateHighResolutionTimer()) {}

void DeadlineTimer::Wait(HANDLE event, std::uint32_t timeout) {
  HANDLE handles[2]{};
  DWORD count = 0;
  if (event) handles[count++] = event;
  DWORD block = timeout == kWaitForever ? INFINITE : timeout;
  bool armed = false;
  if (timer_ && timeout != kWaitForever && timeout > 0) {
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(timeout) * 10000;  // relative, in 100 ns
    armed = ::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE) != FALSE;
    if (armed) {
      handles[count++] = timer_.get();
      block = INFINITE;
    }
  }
  if (!timer_) block = CoarseBlock(timeout);
  WaitForEvents(block, {handles, count});
  if (armed) ::CancelWaitableTimer(timer_.get());
}

DWORD DeadlineTimer::CoarseBlock(std::uint32_t timeout) {
  if (timeout == 0) return 0;
  if (timeout == kWaitForever || timeout > kFineLead) {
    HoldFinePeriod(false);
    return timeout == kWaitForever ? INFINITE : timeout - kFineLead;
  }
  HoldFinePeriod(true);
  return timeout;
}

void DeadlineTimer::HoldFinePeriod(bool hold) {
  if (hold == finePeriod_) return;
  if (hold && ::timeBeginPeriod(1) != TIMERR_NOERROR) return;
  if (!hold) ::timeEndPeriod(1);
  finePeriod_ = hold;
  CountFinePeriod(hold);
}

}  // namespace lumiroll
