#include "setup/background_gradient.h"

#include <algorithm>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

std::uint8_t BlueLevel(float blue) {
  // Rounding drift of the float steps may leave the last level a hair below zero.
  return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(static_cast<double>(blue)), 0.0, 255.0));
}

}  // namespace

std::vector<GradientBand> BackgroundBands(int width, int height) {
  std::vector<GradientBand> bands;
  if (height < 0) return bands;
  float blue = 255.0f;
  // A zero height has one band and no step to take (and no division by zero).
  const float step = height > 0 ? -510.0f / static_cast<float>(height) : 0.0f;
  bands.reserve(static_cast<std::size_t>(height) / 2 + 1);
  for (int i = 0; i <= height; i += 2) {
    bands.push_back({-1, i - 1, width, i + 2, BlueLevel(blue)});
    blue += step;
  }
  return bands;
}

}  // namespace lumiroll
