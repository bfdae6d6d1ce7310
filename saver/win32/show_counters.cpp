#include "saver/win32/show_counters.h"

#ifdef LUMIROLL_SHOW_COUNTERS
#include <timeapi.h>

namespace lumiroll {
namespace {

// The section lives as long as the process; the benchmark opens it by name.
ShowCounters& Counters() {
  // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): the shared section is written by design
  static ShowCounters& counters = *[] {
    HANDLE section =
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ShowCounters), kShowCountersName);
    static ShowCounters unshared{};
    void* view = section ? ::MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, sizeof(ShowCounters)) : nullptr;
    return view ? static_cast<ShowCounters*>(view) : &unshared;
  }();
  return counters;
}

}  // namespace

void CountDecode() { ::InterlockedIncrement(&Counters().decodes); }
void CountPaint() { ::InterlockedIncrement(&Counters().paints); }

void CountFinePeriod(bool held) {
  ShowCounters& counters = Counters();
  const DWORD now = ::timeGetTime();
  if (held) {
    counters.fineSince = now == 0 ? 1 : now;
  } else if (counters.fineSince != 0) {
    counters.fineMilliseconds += static_cast<LONG>(now - counters.fineSince);
    counters.fineSince = 0;
  }
}

namespace {

// Microseconds from the process's creation to now; 0 when it cannot be told.
LONG SinceCreation() {
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  ::GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<LONG>((ticks(now) - ticks(created)) / 10);  // 100 ns ticks
}

// Stamped as the program's static data is made, before its entry point: what the system's own
// start of a process takes, apart from the program's.
[[maybe_unused]] const bool kCodeStamped = [] {
  Counters().codeMicroseconds = SinceCreation();
  return true;
}();

}  // namespace

void CountCovered() { Counters().coveredMicroseconds = SinceCreation(); }

}  // namespace lumiroll
#endif
