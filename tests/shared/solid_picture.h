#pragma once
// A picture of one colour, kept whole at its own size. Shared by the native tests and the
// painting tests under Wine.
#include <cstddef>
#include <cstdint>

#include "platform/picture.h"

namespace lumiroll::test {

[[nodiscard]] inline Picture Solid(int width, int height, std::uint32_t colour) {
  Picture picture;
  picture.width = picture.pixelWidth = width;
  picture.height = picture.pixelHeight = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
  return picture;
}

}  // namespace lumiroll::test
