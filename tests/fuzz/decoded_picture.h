#pragma once
// What every picture decoder's harness asks of a loaded picture, at the kinds of bound the program
// draws with: fitted to a screen, at actual size, in the settings preview, and at a scale the
// input chooses. A loaded picture must be whole, cover a part of itself, and keep no more pixels than
// the bound shows.
#include <cstdlib>

#include "platform/picture.h"
#include "tests/fuzz/fuzz_input.h"

namespace lumiroll::fuzz {

// One bound an input's first bytes choose. The screens are small (the arithmetic is the same at
// any size, and a small one keeps each input quick, so the fuzzer explores): fitted, at actual
// size, the preview's fifth, and a scale the input chooses.
inline DrawBound ChosenBound(FuzzInput& input) {
  const int choice = input.Between(0, 3);
  const float chosenScale = static_cast<float>(input.Between(1, 400)) / 100.0f;
  const DrawBound bounds[] = {{480, 270, 0.0f}, {480, 270, 1.0f}, {320, 180, 0.2f}, {320, 240, chosenScale}};
  return bounds[choice];
}

inline void CheckDecoded(const Picture& p, DrawBound bound) {
  const bool whole = p.pixelWidth > 0 && p.pixelHeight > 0 &&
                     p.pixels.size() == static_cast<std::size_t>(p.pixelWidth) * p.pixelHeight;
  const PictureRegion r = CoveredRegion(p);
  const bool inside = r.left >= 0 && r.top >= 0 && r.left + r.width <= p.width && r.top + r.height <= p.height;
  // Fitted, never more than the bound; at a scale, the bound's share plus the margins and any
  // widening to whole blocks.
  const bool bounded = p.pixelWidth <= bound.width + 32 && p.pixelHeight <= bound.height + 32;
  if (!whole || !inside || !bounded) std::abort();
}

}  // namespace lumiroll::fuzz
