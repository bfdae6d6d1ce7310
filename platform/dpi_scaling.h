#pragma once
// Sizes given at 96 dots per inch, in pixels at another DPI.

namespace lumiroll {

// Rounded to the nearest pixel, halves away from zero, as MulDiv rounds.
[[nodiscard]] constexpr int ScaleForDpi(int pixelsAt96, unsigned dpi) {
  const long long product = static_cast<long long>(pixelsAt96) * dpi;
  return static_cast<int>((product >= 0 ? product + 48 : product - 48) / 96);
}

}  // namespace lumiroll
