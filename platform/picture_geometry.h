#pragma once
// Size arithmetic of picture loading: which declared sizes are believed, how much resolution is
// kept for a draw bound, and how far a JPEG can be reduced while it decodes. No Windows here, so
// the native tests reach it.
#include <algorithm>
#include <cstdint>

#include "platform/picture.h"
#include "shared/text_forms.h"

namespace lumiroll {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The largest side any of our formats can declare honestly in practice, and a pixel count above
// the largest camera composites (about 400 megapixels). Anything beyond is treated as damaged.
inline constexpr std::int64_t kMaxPictureSide = 65'535;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Fuzzing: the same checks at a 32nd of the count, so that an input declaring the most believed
// stays quick and the fuzzer explores; the sides keep their full range, and so their arithmetic.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;
#else
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 29;  // 536,870,912
#endif

[[nodiscard]] constexpr bool DeclaredSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// PaintPhoto's fitting scale for a picture of size own on a destination: the ratio that makes it
// touch the destination in one direction and fit in the other (on a tie the width's), kept in
// single precision, as the painting scale is.
[[nodiscard]] inline float FitScale(PixelSize own, PixelSize destination) {
  const double hr = static_cast<double>(destination.height) / own.height;
  const double wr = static_cast<double>(destination.width) / own.width;
  return static_cast<float>(hr < wr ? hr : wr);
}

// The side PaintPhoto draws for a side scaled to scaledSide: rounded up unless its fraction is tiny.
[[nodiscard]] inline double DrawnSide(double scaledSide) { return RoundHalfEven(scaledSide + 0.4999); }

// The one rule for the size of a fitted picture: what PaintPhoto draws, and so what a decoder keeps
// when the picture is larger than the destination, which then paints as a plain copy. Sides of
// own must be positive.
[[nodiscard]] inline PixelSize FittedSize(PixelSize own, PixelSize destination) {
  const double scale = FitScale(own, destination);
  const auto side = [scale](int ownSide) {
    return static_cast<int>(std::clamp(DrawnSide(ownSide * scale), 0.0, double{kMaxPictureSide}));
  };
  return {side(own.width), side(own.height)};
}

// The size a picture of size own keeps when it will be fitted into bound: its fitted size, never
// enlarged (a smaller picture keeps all and is enlarged when painted), never below 1 x 1. A 0 x 0
// bound, or one drawn at a scale rather than fitted, keeps all.
[[nodiscard]] inline PixelSize KeptSize(PixelSize own, DrawBound bound) {
  if (bound.width <= 0 || bound.height <= 0 || !Fits(bound)) return own;
  if (own.width <= bound.width && own.height <= bound.height) return own;
  const PixelSize fitted = FittedSize(own, {bound.width, bound.height});
  return {std::clamp(fitted.width, 1, own.width), std::clamp(fitted.height, 1, own.height)};
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
