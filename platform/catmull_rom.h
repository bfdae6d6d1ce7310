#pragma once
// The Catmull-Rom cubic (Keys, a = -0.5) both resamplers weigh their source pixels with: sharp,
// and exact on straight ramps. No Windows here.
#include <cmath>

namespace lumiroll {

// The weight of a pixel at distance x (in the filter's own pixels) from the centre.
[[nodiscard]] inline double CatmullRom(double x) {
  x = std::abs(x);
  if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
  if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
  return 0;
}

}  // namespace lumiroll
