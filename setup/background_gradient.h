#pragma once
// The installer's background: blue at the top fading to black at the bottom, drawn as bands two
// units apart and three units high, each overlapping the next by one.
#include <cstdint>
#include <vector>

namespace lumiroll {

struct GradientBand {
  int left, top, right, bottom;  // right and bottom exclusive
  std::uint8_t blue;

  friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// The bands for a surface of this inner size, top to bottom. The blue level is kept in single
// precision and stepped by -510 / height, so the bands reach black half-way through the last
// row pair; each level is rounded half to even.
[[nodiscard]] std::vector<GradientBand> BackgroundBands(int width, int height);

}  // namespace lumiroll
