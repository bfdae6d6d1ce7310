// How long painting takes: a kept picture stretched into a 1920 x 1080 back buffer, shrunk,
// copied, enlarged, and enlarged far beyond the screen (only the visible part is computed).
// Median of several runs. Prints figures; passes or fails nothing.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/stretch_pixels.h"

namespace {

constexpr int kRuns = 9;
constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

struct Case {
  const char* what;
  int pictureWidth, pictureHeight;
  std::int64_t left, top, width, height;
};

double MedianMilliseconds(const Case& c) {
  std::vector<std::uint32_t> picture(static_cast<std::size_t>(c.pictureWidth) * c.pictureHeight);
  std::uint32_t noise = 12345;
  for (auto& p : picture) p = (noise = noise * 1664525u + 1013904223u) >> 8;
  std::vector<std::uint32_t> screen(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    lumiroll::StretchPixels({picture, c.pictureWidth, c.pictureHeight}, {screen, kScreenWidth, kScreenHeight},
                            {c.left, c.top, c.width, c.height});
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const Case cases[] = {
      {"shrink 2x   (3840 x 2160 fitted)", 3840, 2160, 0, 0, 1920, 1080},
      {"shrink 1.6x (3000 x 2000 fitted)", 3000, 2000, 150, 0, 1620, 1080},
      {"shrink 4x   (7680 x 4320 fitted)", 7680, 4320, 0, 0, 1920, 1080},
      {"copy        (1920 x 1080 at 1:1)", 1920, 1080, 0, 0, 1920, 1080},
      {"enlarge 3x  (640 x 360 fitted)", 640, 360, 0, 0, 1920, 1080},
      {"enlarge 4x, mostly cut off (4000 x 3000 shown 16000 x 12000)", 4000, 3000, -7040, -5460, 16000, 12000},
      {"enlarge 2000x, mostly cut off (1000 x 800)", 1000, 800, -999040, -799460, 2000000, 1600000},
  };
  std::printf("Painting into a %d x %d back buffer, median of %d runs\n", kScreenWidth, kScreenHeight, kRuns);
  for (const Case& c : cases) {
    std::printf("  %-62s %7.1f ms\n", c.what, MedianMilliseconds(c));
    std::fflush(stdout);
  }
  return 0;
}
