#pragma once
// A process's processor time, kernel and user together, for the benchmarks of idle waiting.
#include <windows.h>

#include <cstdint>

namespace lumiroll::bench {

// Seconds of processor time the process has used; 0 where the system does not report it.
[[nodiscard]] inline double ProcessorSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  const auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace lumiroll::bench
