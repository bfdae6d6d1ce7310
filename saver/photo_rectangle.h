#pragma once
// Where PaintPhoto puts a picture: centred, fitted or at a given scale.
#include <cstdint>
#include <optional>

namespace lumiroll {

// Destination pixels. 32-bit, so that a picture of more than 32,767 pixels at the given scale is
// still centred and cut off correctly instead of overflowing.
struct PhotoRectangle {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PhotoRectangle&, const PhotoRectangle&) = default;
};

// The rectangle for a source of sourceWidth x sourceHeight on a destination of destinationWidth x
// destinationHeight; kFitScale fits the picture (FittedSize). Nothing when there is nothing to draw: a source
// side of 0, an empty rectangle, or values beyond 32 bits.
[[nodiscard]] std::optional<PhotoRectangle> PlacePhoto(int destinationWidth, int destinationHeight, int sourceWidth,
                                                       int sourceHeight, float scale);

}  // namespace lumiroll
