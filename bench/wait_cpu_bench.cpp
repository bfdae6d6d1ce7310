// How much processor time the show's wait costs: its event loop, blocked between events, against
// a wait that spins on PeekMessage and the millisecond counter, each for the same time in the
// same run.
// Prints figures; passes or fails nothing.
#include <windows.h>
#include <timeapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "bench/processor_time.h"
#include "platform/win32/window.h"
#include "saver/show_engine.h"
#include "saver/timed_wait.h"
#include "saver/win32/show_events.h"

namespace {

// The wait as a busy loop: handle events, read the counter, again and again.
void SpinningWait(std::int32_t milliseconds) {
  const std::uint32_t start = ::timeGetTime();
  while (milliseconds > lumiroll::ElapsedMilliseconds(start, ::timeGetTime())) lumiroll::ProcessPendingEvents();
}

// One display period of the show's event loop; the cycle at its end posts the quit message.
void ShowLoopWait(std::int32_t milliseconds) {
  lumiroll::ShowState state;
  state.PhotoDisplayTime = milliseconds / 1000.0;
  lumiroll::ShowEngine engine(state, 1, lumiroll::kFitScreen);
  engine.Begin(::timeGetTime());
  engine.StartWait(::timeGetTime());
  (void)lumiroll::RunShowEvents(
      engine, nullptr,
      [] {
        ::PostQuitMessage(0);
        return true;
      },
      [](std::uint32_t) { return lumiroll::kWaitForever; });
}

template <typename Wait>
void Measure(const char* name, std::int32_t milliseconds, Wait wait) {
  const double cpuBefore = lumiroll::bench::ProcessorSeconds(::GetCurrentProcess());
  const std::uint32_t wallBefore = ::timeGetTime();
  wait(milliseconds);
  const double wall = lumiroll::ElapsedMilliseconds(wallBefore, ::timeGetTime()) / 1000.0;
  const double cpu = lumiroll::bench::ProcessorSeconds(::GetCurrentProcess()) - cpuBefore;
  std::printf("%-30s wall %6.2f s  process CPU %7.3f s  = %6.2f %% of one core\n", name, wall, cpu, 100.0 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
  const std::int32_t milliseconds = argc > 1 ? std::atoi(argv[1]) * 1000 : 10000;
  Measure("show event loop (blocking)", milliseconds, ShowLoopWait);
  Measure("spinning PeekMessage loop", milliseconds, SpinningWait);
  return 0;
}
