#pragma once
// What the show does, counted in the benchmark build only (LUMIROLL_SHOW_COUNTERS), in a named
// shared section the benchmarks read while the show runs. The product counts nothing.
#include <windows.h>

namespace lumiroll {

struct ShowCounters {
  LONG decodes;              // loads started
  LONG paints;               // photographs painted
  LONG fineMilliseconds;     // with the 1 ms timer period held, before fineSince
  DWORD fineSince;           // timeGetTime when the period was last asked for; 0 while not held
  LONG coveredMicroseconds;  // from the process's creation to the cover shown; 0 before
  LONG codeMicroseconds;     // from the process's creation to the program's own first code
};

inline constexpr wchar_t kShowCountersName[] = L"Local\\LumirollShowCounters";

#ifdef LUMIROLL_SHOW_COUNTERS
void CountDecode();
void CountPaint();
void CountFinePeriod(bool held);
void CountCovered();
#else
inline void CountDecode() {}
inline void CountPaint() {}
inline void CountFinePeriod(bool) {}
inline void CountCovered() {}
#endif

}  // namespace lumiroll
