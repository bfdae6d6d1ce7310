#pragma once
// A decoded picture, independent of any window.
#include <cstdint>
#include <optional>
#include <vector>

namespace lumiroll {

// A rectangle of a picture's own (upright) pixels.
struct PictureRegion {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureRegion&, const PictureRegion&) = default;
};

struct Picture {
  // The picture's own size in pixels, upright (EXIF orientation applied); a frame made for a
  // fitting paint (the show's) is a picture of its surface's size.
  int width = 0;
  int height = 0;
  // The pixels kept, which may be fewer than the picture's own size when the loader was told
  // how large the picture will be drawn at most. 0x00RRGGBB, top-down rows, no padding.
  int pixelWidth = 0;
  int pixelHeight = 0;
  std::vector<std::uint32_t> pixels;
  // The part of the picture the pixels cover, in its own pixels; empty when they cover it all.
  // A picture drawn at a scale keeps only the middle that a destination can show.
  PictureRegion region;
};

// The part of the picture its pixels cover, in its own pixels.
[[nodiscard]] inline PictureRegion CoveredRegion(const Picture& picture) {
  if (picture.region.width > 0 && picture.region.height > 0) return picture.region;
  return {0, 0, picture.width, picture.height};
}

// PaintPhoto's scale that fits the picture to the destination instead of multiplying its sides.
inline constexpr float kFitScale = 0.0f;

// How a picture will be drawn: into a destination of width x height at PaintPhoto's scale
// (kFitScale, or the factor). 0 x 0 keeps full resolution. At a scale, only the centred part the
// destination shows is kept, at the resolution that scale needs.
struct DrawBound {
  int width = 0;
  int height = 0;
  float scale = kFitScale;
  friend bool operator==(const DrawBound&, const DrawBound&) = default;
};

[[nodiscard]] constexpr bool Fits(const DrawBound& bound) { return bound.scale == kFitScale; }

}  // namespace lumiroll
