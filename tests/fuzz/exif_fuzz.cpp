// The EXIF reader on any APP1 segment, and turning a small picture by what it read.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/exif_orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int orientation = lumiroll::ExifOrientation({data, size});
  if (orientation < 1 || orientation > 8) std::abort();
  const int width = 1 + static_cast<int>(size % 7), height = 1 + static_cast<int>(size % 5);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i);
  const auto upright = lumiroll::OrientPixels(pixels, width, height, orientation);
  if (upright.size() != pixels.size()) std::abort();
  return 0;
}
