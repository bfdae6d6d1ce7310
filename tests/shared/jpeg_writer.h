#pragma once
// JPEGs encoded with libjpeg for the tests, native and under Wine alike.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lumiroll::test {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// The four quadrant colours every test picture uses (see tests/win/data/make_test_pictures.sh).
inline constexpr Rgb kTopLeft{200, 40, 40}, kTopRight{40, 160, 40}, kBottomLeft{40, 40, 200},
    kBottomRight{220, 200, 40};

// A colour for each pixel (x, y) of a width x height picture.
using PixelFunction = std::function<Rgb(int x, int y)>;

// How EncodeJpegWith codes a picture.
struct JpegCoding {
  std::span<const std::uint8_t> app1{};  // written as an APP1 segment when not empty
  int quality = 92;
  bool progressive = false;
  bool arithmetic = false;
  bool greyscale = false;
  int restartRows = 0;  // a restart marker every so many rows of blocks; 0 for none
};
[[nodiscard]] Bytes EncodeJpegWith(int width, int height, const PixelFunction& pixel, const JpegCoding& coding);

}  // namespace lumiroll::test
