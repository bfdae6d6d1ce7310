#include "screen_watch.h"

#include "platform/win32/handles.h"

namespace lumiroll::e2e {

double NowMilliseconds() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

namespace {

std::uint32_t AsPixel(COLORREF c) {
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

std::vector<std::uint32_t> Sample(HDC screen, const std::vector<POINT>& pixels) {
  std::vector<std::uint32_t> colours;
  for (POINT p : pixels) colours.push_back(AsPixel(::GetPixel(screen, p.x, p.y)));
  return colours;
}

}  // namespace

std::uint32_t ScreenPixel(int x, int y) {
  ScopedGetDc screen(nullptr);
  return AsPixel(::GetPixel(screen.get(), x, y));
}

std::vector<ScreenChange> WatchPixels(const std::vector<POINT>& pixels, double milliseconds,
                                      const std::function<bool(const ScreenChange&)>& stop) {
  ScopedGetDc screen(nullptr);
  std::vector<ScreenChange> changes;
  std::vector<std::uint32_t> last;
  const double end = NowMilliseconds() + milliseconds;
  for (double now = NowMilliseconds(); now < end; now = NowMilliseconds()) {
    std::vector<std::uint32_t> colours = Sample(screen.get(), pixels);
    if (colours != last) {
      changes.push_back({now, colours.front()});
      last = std::move(colours);
      if (stop && stop(changes.back())) break;
    }
    ::Sleep(1);  // the watch's sampling interval: as often as the screen can be read
  }
  return changes;
}

}  // namespace lumiroll::e2e
