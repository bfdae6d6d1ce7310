#pragma once
// What every decoder's harness asks of a loaded picture: whole, covering a part of itself, and
// keeping no more pixels than the bound shows.
#include <cstddef>
#include <cstdlib>

#include "platform/picture.h"

namespace lumiroll::fuzz {

// The bounds the program draws with: fitted to a screen, at actual size, in the settings preview,
// and at a scale the input chooses (in hundredths, 1 to 400).
inline DrawBound ChosenBound(int choice, int scalePercent) {
  const DrawBound bounds[] = {
      {1920, 1080, 0.0f}, {1920, 1080, 1.0f}, {320, 180, 0.2f}, {640, 480, static_cast<float>(scalePercent) / 100.0f}};
  return bounds[choice];
}

inline void CheckBounded(const Picture& p, DrawBound bound) {
  const bool whole = p.pixelWidth > 0 && p.pixelHeight > 0 &&
                     p.pixels.size() == static_cast<std::size_t>(p.pixelWidth) * p.pixelHeight;
  const PictureRegion r = CoveredRegion(p);
  const bool inside = r.left >= 0 && r.top >= 0 && r.left + r.width <= p.width && r.top + r.height <= p.height;
  // Fitted, never more than the bound; at a scale, the bound's share plus the margins and the
  // widening to whole blocks.
  const bool bounded = p.pixelWidth <= bound.width + 32 && p.pixelHeight <= bound.height + 32;
  if (!whole || !inside || !bounded) std::abort();
}

}  // namespace lumiroll::fuzz
