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

// The size a picture of size own keeps when it will be drawn at most bound: fitted inside the
// bound with its proportions, never enlarged, never below 1 x 1. A 0 x 0 bound keeps all.
[[nodiscard]] constexpr PixelSize KeptSize(PixelSize own, DrawBound bound) {
  if (bound.width <= 0 || bound.height <= 0) return own;
  if (own.width <= bound.width && own.height <= bound.height) return own;
  const std::int64_t w = own.width, h = own.height, bw = bound.width, bh = bound.height;
  if (bw * h <= bh * w)  // the width limits
    return {bound.width, static_cast<int>(std::max<std::int64_t>(1, (h * bw + w / 2) / w))};
  return {static_cast<int>(std::max<std::int64_t>(1, (w * bh + h / 2) / h)), bound.height};
}

// libjpeg's output side for a scale of eighths/8: rounded up.
[[nodiscard]] constexpr std::int64_t ScaledSide(std::int64_t side, int eighths) {
  return (side * eighths + 7) / 8;
}

// The smallest of the scales 1/8, 1/4, 1/2 and 1 at which a JPEG of size stored still covers
// needed, so that the DCT does most of the reduction and no detail the screen can show is lost.
// libjpeg-turbo also offers 3/8, 5/8 ...: those run without SIMD and, measured against a Lanczos
// reference, their block-wise reduction left more error than 1/2 plus our own filter.
[[nodiscard]] constexpr int ScaledDecodeEighths(PixelSize stored, PixelSize needed) {
  for (int n = 1; n < 8; n *= 2)
    if (ScaledSide(stored.width, n) >= needed.width && ScaledSide(stored.height, n) >= needed.height) return n;
  return 8;
}

}  // namespace lumiroll
