#pragma once
// Good-quality stretching of a picture's pixels into a rectangle of a pixel buffer.
#include <cstdint>
#include <span>

namespace lumiroll {

// Top-down rows of 0x00RRGGBB pixels, no padding between rows.
struct PixelsView {
  std::span<const std::uint32_t> pixels;
  int width = 0;
  int height = 0;
};
struct PixelsTarget {
  std::span<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
};

struct StretchRectangle {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// Stretches the whole source into the rectangle, writing only the target pixels that the
// rectangle covers (it may lie partly or wholly outside). Shrinking averages the source pixels
// each target pixel covers, so fine detail turns to its mean colour instead of moiré; enlarging
// interpolates with a Catmull-Rom cubic. Work and memory grow with the visible part only.
// Does nothing when a size is not positive or a buffer is smaller than its size says.
void StretchPixels(const PixelsView& source, const PixelsTarget& target, const StretchRectangle& rectangle);

}  // namespace lumiroll
