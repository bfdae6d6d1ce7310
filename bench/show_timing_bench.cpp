// The show on time, measured from outside as a viewer sees it: two builds of Lumiroll.scr (today's
// path and the one under test) run in turn on the same folders of camera-like photographs, and
// the screen is sampled with a high-resolution clock. Prints, per build:
//   lateness of each photograph against its due time (the previous one's appearance plus the
//   display time), median and worst, at 12, 24 and 48 megapixels and 1 s and 2 s;
//   Up and Down to the other photograph on the screen, with the next one given time to be decoded;
//   the peak working set of the show (fit, and actual size at 2 s), and /s to the first photograph on the screen
//   (once beside each lateness run, and five times in turn with the other build); the processor
//   time the show takes within a display period once the next photograph is ready.
// Figures, not pass/fail.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bench/median.h"
#include "bench/processor_time.h"
#include "driver.h"
#include "screen_watch.h"

using namespace lumiroll::e2e;
using lumiroll::bench::Median;

namespace {

// Samples spread over the screen: every photograph differs from the one before in some of them.
std::vector<POINT> Probes() {
  const int w = ScreenWidth(), h = ScreenHeight();
  return {{w / 2, h / 2}, {w / 3, h / 3}, {2 * w / 3, h / 3}, {w / 3, 2 * h / 3}, {2 * w / 3, 2 * h / 3}};
}

// The times at which a new photograph appeared; a repaint seen half-done counts once.
std::vector<double> Appearances(const std::vector<ScreenChange>& changes) {
  std::vector<double> times;
  for (const auto& c : changes)
    if (times.empty() || c.at - times.back() > 150.0) times.push_back(c.at);
  return times;
}

struct Run {
  RunningProgram program;
  double started = 0;
};

Run StartShow(const std::wstring& saver, const std::wstring& folder, const wchar_t* seconds,
              const wchar_t* photoSize = L"1") {
  StoreSettings(seconds, photoSize, folder, L"1");
  const double started = NowMilliseconds();
  return {RunningProgram::Start(saver, L"/s"), started};
}

void End(const Run& run) {
  run.program.Kill();
  (void)run.program.WaitForExit(10000);
  ::Sleep(300);
}

double PeakWorkingSetMb(const RunningProgram& program) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(program.process(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// photoSize: L"1" fits, L"2" shows the actual size.
void MeasureLateness(const std::wstring& saver, const std::wstring& label, const std::wstring& folder,
                     const wchar_t* size, int seconds, const wchar_t* photoSize = L"1") {
  const std::wstring secondsText = std::to_wstring(seconds);
  Run run = StartShow(saver, folder, secondsText.c_str(), photoSize);
  // The first photograph: when the screen's centre stops being black.
  double first = -1;
  (void)WaitUntil(
      [&] {
        if (ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2) == 0) return false;
        first = NowMilliseconds() - run.started;
        return true;
      },
      20000, 2);
  const auto times = Appearances(WatchPixels(Probes(), seconds * 1000.0 * 7.5));
  const double peak = PeakWorkingSetMb(run.program);
  End(run);
  std::vector<double> lateness;
  for (std::size_t i = 1; i < times.size(); ++i) lateness.push_back(times[i] - times[i - 1] - seconds * 1000.0);
  const double worst = lateness.empty() ? 0 : *std::max_element(lateness.begin(), lateness.end());
  std::printf(
      "%-8ls %-5ls %-6s %d s  changes %2zu  lateness median %6.1f ms  worst %6.1f ms  peak WS %6.1f MB  "
      "first photo %6.0f ms\n",
      label.c_str(), size, photoSize[0] == L'2' ? "actual" : "fit", seconds, lateness.size(), Median(lateness), worst,
      peak, first);
}

// Up, then Down, then Up again: each time to the other photograph on the screen, with the next
// one given time to be decoded (the one Down goes back to was on the screen just before).
void MeasureSteps(const std::wstring& saver, const std::wstring& label, const std::wstring& folder,
                  const wchar_t* size) {
  Run run = StartShow(saver, folder, L"30");
  (void)WaitUntil([] { return ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2) != 0; }, 20000, 2);
  std::vector<double> latencies[2];  // Up, Down
  for (int i = 0; i < 6; ++i) {
    ::Sleep(2500);  // time to decode the next one ahead
    const bool up = i % 2 == 0;
    // Compared with the screen before the key: the other photograph may be painted before the
    // first sample after it.
    const std::uint32_t before = ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2);
    const double pressed = NowMilliseconds();
    PressKey(up ? VK_UP : VK_DOWN);
    const auto changes = WatchPixels({{ScreenWidth() / 2, ScreenHeight() / 2}}, 3000,
                                     [&](const ScreenChange& c) { return c.colour != before; });
    if (!changes.empty() && changes.back().colour != before)
      latencies[up ? 0 : 1].push_back(changes.back().at - pressed);
  }
  End(run);
  for (int key = 0; key < 2; ++key) {
    const std::vector<double>& l = latencies[key];
    const double worst = l.empty() ? 0 : *std::max_element(l.begin(), l.end());
    std::printf("%-8ls %-5ls %-4s to the other photograph: median %6.1f ms  worst %6.1f ms  (%zu presses)\n",
                label.c_str(), size, key == 0 ? "Up" : "Down", Median(l), worst, l.size());
  }
}

// The show's processor use within a 10 s display period once the next photograph is decoded.
void MeasureIdle(const std::wstring& saver, const std::wstring& label, const std::wstring& folder,
                 const wchar_t* size) {
  Run run = StartShow(saver, folder, L"10");
  (void)WaitUntil([] { return ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2) != 0; }, 20000, 2);
  ::Sleep(3000);
  const double before = lumiroll::bench::ProcessorSeconds(run.program.process());
  ::Sleep(6000);
  const double total = lumiroll::bench::ProcessorSeconds(run.program.process());
  const double used = total - before;
  End(run);
  // Where the system reports no processor time for another process, the figure means nothing.
  std::printf("%-8ls %-5ls processor between photographs: %5.2f %% of one core over 6 s (%.2f s in all)\n",
              label.c_str(), size, 100.0 * used / 6.0, total);
}

// /s to the first photograph on the screen, the builds started in turn so both meet the same load.
void MeasureStartUp(const std::pair<std::wstring, std::wstring> (&builds)[2], const std::wstring& folder,
                    const wchar_t* size) {
  std::vector<double> times[2];
  for (int round = 0; round < 5; ++round) {
    for (int b = 0; b < 2; ++b) {
      Run run = StartShow(builds[b].second, folder, L"30");
      if (WaitUntil([] { return ScreenPixel(ScreenWidth() / 2, ScreenHeight() / 2) != 0; }, 20000, 2))
        times[b].push_back(NowMilliseconds() - run.started);
      End(run);
    }
  }
  for (int b = 0; b < 2; ++b) {
    const double worst = times[b].empty() ? 0 : *std::max_element(times[b].begin(), times[b].end());
    std::printf("%-8ls %-5ls /s to the first photograph: median %6.1f ms  worst %6.1f ms  (%zu starts)\n",
                builds[b].first.c_str(), size, Median(times[b]), worst, times[b].size());
  }
}

}  // namespace

// lumiroll_bench_show.exe TODAY.scr OURS.scr PHOTOS [SIZE] : PHOTOS holds show_12mp, show_24mp and
// show_48mp; SIZE (12mp, 24mp or 48mp) measures only that one.
int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: lumiroll_bench_show TODAY.scr OURS.scr PHOTO-FOLDERS\n");
    return 2;
  }
  DeleteRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  MovePointerTo(10, 10);
  const std::pair<std::wstring, std::wstring> builds[] = {{L"today", argv[1]}, {L"ours", argv[2]}};
  const std::wstring root = argv[3];
  std::printf("screen %d x %d, fit\n", ScreenWidth(), ScreenHeight());
  const std::wstring only = argc > 4 ? argv[4] : L"";
  for (const wchar_t* size : {L"12mp", L"24mp", L"48mp"}) {
    if (!only.empty() && only != size) continue;
    const std::wstring folder = root + L"\\show_" + size;
    for (int seconds : {1, 2})
      for (const auto& [label, saver] : builds) MeasureLateness(saver, label, folder, size, seconds);
    for (const auto& [label, saver] : builds) MeasureLateness(saver, label, folder, size, 2, L"2");
    for (const auto& [label, saver] : builds) MeasureSteps(saver, label, folder, size);
    MeasureStartUp(builds, folder, size);
    for (const auto& [label, saver] : builds) MeasureIdle(saver, label, folder, size);
  }
  ClearSettings();
  return 0;
}
