#pragma once
// Which part of a picture a draw bound can show, and where that part lies in a JPEG's stored
// (not yet upright) pixels. At a scale only the centred part a destination shows is decoded and
// kept; fitted, the whole picture is. No Windows here, so the native tests reach it.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/exif_orientation.h"
#include "platform/picture.h"
#include "platform/picture_geometry.h"

namespace lumiroll {

// Pixels kept around the visible part, in kept pixels: PlacePhoto's rounding and the resampling
// filter's reach never find an edge that the whole picture would not have had.
inline constexpr int kRegionMarginPixels = 4;

// The part of a picture that is kept (own pixels) and the size it is kept at.
struct KeptPart {
  PictureRegion region;
  PixelSize pixels;
  friend bool operator==(const KeptPart&, const KeptPart&) = default;
};

// The size a region of a picture of size own keeps for bound: fitted, KeptSize of the whole; at a
// scale below 1 the region reduced by that scale; at 1 or more the region itself (never enlarged).
[[nodiscard]] inline PixelSize KeptPixels(PictureRegion region, PixelSize own, DrawBound bound) {
  if (bound.width <= 0 || bound.height <= 0 || !(bound.scale > 0.0f)) return KeptSize(own, bound);
  if (bound.scale >= 1.0f) return {region.width, region.height};
  const auto reduced = [&](int side) {
    return static_cast<int>(std::clamp<double>(std::ceil(side * static_cast<double>(bound.scale)), 1.0, side));
  };
  return {reduced(region.width), reduced(region.height)};
}

namespace region_detail {
// The own pixels [first, first + count) a destination side of visible pixels shows at scale, centred
// like PlacePhoto centres, widened by the margin and clipped to the picture.
inline void CentredSpan(int own, int visible, double scale, int& first, int& count) {
  const double margin = kRegionMarginPixels / std::min(scale, 1.0) + 1.0;
  const double half = visible / scale / 2.0 + margin;
  const double centre = own / 2.0;
  const double low = std::max(0.0, std::floor(centre - half));
  const double high = std::min(static_cast<double>(own), std::ceil(centre + half));
  first = static_cast<int>(low);
  count = std::max(1, static_cast<int>(high - low));
}
}  // namespace region_detail

// The part of a picture of size own (upright) that is kept for bound, and its kept size.
[[nodiscard]] inline KeptPart KeptPartFor(PixelSize own, DrawBound bound) {
  PictureRegion region{0, 0, own.width, own.height};
  if (bound.width > 0 && bound.height > 0 && bound.scale > 0.0f) {
    region_detail::CentredSpan(own.width, bound.width, bound.scale, region.left, region.width);
    region_detail::CentredSpan(own.height, bound.height, bound.scale, region.top, region.height);
  }
  return {region, KeptPixels(region, own, bound)};
}

// Where the upright region of a picture whose upright size is upright lies in its stored pixels,
// for an EXIF orientation (the pixel mapping of OrientPixels, applied to rectangles).
[[nodiscard]] constexpr PictureRegion StoredRegion(PictureRegion r, PixelSize upright, int orientation) {
  const bool swaps = OrientationSwapsSides(orientation);
  const int W = swaps ? upright.height : upright.width, H = swaps ? upright.width : upright.height;  // stored
  switch (orientation) {
    case 2: return {W - r.left - r.width, r.top, r.width, r.height};
    case 3: return {W - r.left - r.width, H - r.top - r.height, r.width, r.height};
    case 4: return {r.left, H - r.top - r.height, r.width, r.height};
    case 5: return {r.top, r.left, r.height, r.width};
    case 6: return {r.top, H - r.left - r.width, r.height, r.width};
    case 7: return {W - r.top - r.height, H - r.left - r.width, r.height, r.width};
    case 8: return {W - r.top - r.height, r.left, r.height, r.width};
    default: return r;
  }
}

// The inverse: where a region of the stored pixels (stored size stored) lies in the upright picture.
[[nodiscard]] constexpr PictureRegion UprightRegion(PictureRegion s, PixelSize stored, int orientation) {
  const int W = stored.width, H = stored.height;
  switch (orientation) {
    case 2: return {W - s.left - s.width, s.top, s.width, s.height};
    case 3: return {W - s.left - s.width, H - s.top - s.height, s.width, s.height};
    case 4: return {s.left, H - s.top - s.height, s.width, s.height};
    case 5: return {s.top, s.left, s.height, s.width};
    case 6: return {H - s.top - s.height, s.left, s.height, s.width};
    case 7: return {H - s.top - s.height, W - s.left - s.width, s.height, s.width};
    case 8: return {s.top, W - s.left - s.width, s.height, s.width};
    default: return s;
  }
}

// The region widened to multiples of step on every side, clipped to size.
[[nodiscard]] constexpr PictureRegion AlignedOutward(PictureRegion r, int step, PixelSize size) {
  const int left = r.left / step * step, top = r.top / step * step;
  const int right = std::min(size.width, (r.left + r.width + step - 1) / step * step);
  const int bottom = std::min(size.height, (r.top + r.height + step - 1) / step * step);
  return {left, top, right - left, bottom - top};
}

// What a JPEG decoder reads for a draw bound: a region of the stored pixels on whole 8 x 8 blocks
// (so that every DCT scale maps its edges onto whole output pixels), and the upright part that is.
struct StoredPlan {
  PictureRegion stored;
  KeptPart upright;
};

[[nodiscard]] inline StoredPlan PlanStoredPart(PixelSize stored, int orientation, DrawBound bound) {
  const PixelSize own = OrientationSwapsSides(orientation) ? PixelSize{stored.height, stored.width} : stored;
  const KeptPart wanted = KeptPartFor(own, bound);
  const PictureRegion aligned = AlignedOutward(StoredRegion(wanted.region, own, orientation), 8, stored);
  const PictureRegion region = UprightRegion(aligned, stored, orientation);
  return {aligned, {region, KeptPixels(region, own, bound)}};
}

}  // namespace lumiroll
