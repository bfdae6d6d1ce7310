#pragma once
// Size arithmetic of picture loading: which declared sizes are believed, how much resolution is
// kept for a draw bound, and how far a JPEG can be reduced while it decodes. No Windows here, so
// the native tests reach it.
#include <algorithm>
#include <cstdint>

#include "platform/picture.h"

namespace lumiroll {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The largest side any of our formats can declare honestly in practice, and a pixel count above
// the largest camera composites (about 400 megapixels). Anything beyond is treated as damaged.
inline constexpr std::int64_t kMaxPictureSide = 65'535;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 29;  // 536,870,912

[[nodiscard]] constexpr bool DeclaredSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// The size a picture of size own keeps when it will be fitted into bound: fitted inside the
// bound with its proportions, never enlarged, never below 1 x 1. A 0 x 0 bound, or one drawn at a
// scale rather than fitted, keeps all.
[[nodiscard]] constexpr PixelSize KeptSize(PixelSize own, DrawBound bound) {
  if (bound.width <= 0 || bound.height <= 0 || bound.scale != 0.0f) return own;
  if (own.width <= bound.width && own.height <= bound.height) return own;
  const std::int64_t w = own.width, h = own.height, bw = bound.width, bh = bound.height;
  if (bw * h <= bh * w)  // the width limits
    return {bound.width, static_cast<int>(std::max<std::int64_t>(1, (h * bw + w / 2) / w))};
  return {static_cast<int>(std::max<std::int64_t>(1, (w * bh + h / 2) / h)), bound.height};
}

// libjpeg's output side for a scale of eighths/8: rounded up.
[[nodiscard]] constexpr std::int64_t ScaledSide(std::int64_t side, int eighths) { return (side * eighths + 7) / 8; }

// The smallest scale n/8 (n from 1 to 8) at which a JPEG of size stored still covers needed with
// a quarter to spare, so that the DCT does most of the reduction, no detail the screen can show is
// lost, and our own filter does the rest. Measured against a Lanczos reference, the DCT's
// block-wise reduction left clearly more error when it had to land within a few percent of the
// final size (4000 x 3000 at 3/8 for 1440 x 1080: 1500 x 1125) than when our filter still had a
// quarter or more to take off.
[[nodiscard]] constexpr int ScaledDecodeEighths(PixelSize stored, PixelSize needed) {
  const auto covers = [&](int n) {
    return ScaledSide(stored.width, n) * 4 >= std::int64_t{needed.width} * 5 &&
           ScaledSide(stored.height, n) * 4 >= std::int64_t{needed.height} * 5;
  };
  for (int n = 1; n < 8; ++n)
    if (covers(n)) return n;
  return 8;
}

}  // namespace lumiroll
