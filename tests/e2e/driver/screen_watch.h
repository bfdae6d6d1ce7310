#pragma once
// The screen watched over time from inside the prefix: a few pixels sampled as fast as the
// display allows, each change stamped with the time it was first seen.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace lumiroll::e2e {

// Milliseconds of a high-resolution clock, for stamping what the screen shows.
[[nodiscard]] double NowMilliseconds();

// The colour of a screen pixel as 0x00RRGGBB.
[[nodiscard]] std::uint32_t ScreenPixel(int x, int y);

struct ScreenChange {
  double at = 0;             // NowMilliseconds when first seen
  std::uint32_t colour = 0;  // of the first watched pixel
};

// Samples the pixels until the time is up or until stop says so; one entry for the first sample
// and for each sample in which any pixel differs from the one before.
[[nodiscard]] std::vector<ScreenChange> WatchPixels(const std::vector<POINT>& pixels, double milliseconds,
                                                    const std::function<bool(const ScreenChange&)>& stop = {});

}  // namespace lumiroll::e2e
