// How much processor time the show's wait costs: the blocking TimedWait against a wait that
// spins on PeekMessage and the millisecond counter, each for the same time in the same run.
// Prints figures; passes or fails nothing.
#include <windows.h>
#include <timeapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/window.h"
#include "saver/timed_wait.h"
#include "saver/win32/timed_wait.h"

namespace {

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// The wait as a busy loop: handle events, read the counter, again and again.
void SpinningWait(std::int32_t milliseconds) {
  const std::uint32_t start = ::timeGetTime();
  while (milliseconds > lumiroll::ElapsedMilliseconds(start, ::timeGetTime())) lumiroll::ProcessPendingEvents();
}

template <typename Wait>
void Measure(const char* name, std::int32_t milliseconds, Wait wait) {
  const double cpuBefore = ProcessCpuSeconds();
  const std::uint32_t wallBefore = ::timeGetTime();
  wait(milliseconds);
  const double wall = lumiroll::ElapsedMilliseconds(wallBefore, ::timeGetTime()) / 1000.0;
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  std::printf("%-30s wall %6.2f s  process CPU %7.3f s  = %6.2f %% of one core\n", name, wall, cpu,
              100.0 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t milliseconds = argc > 1 ? std::atoi(argv[1]) * 1000 : 10000;
  std::int16_t skipWait = 0;
  Measure("TimedWait (blocking)", milliseconds, [&](std::int32_t ms) { lumiroll::TimedWait(ms, skipWait); });
  Measure("spinning PeekMessage loop", milliseconds, SpinningWait);
  return 0;
}
