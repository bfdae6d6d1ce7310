#include "tests/unit/native_pictures.h"

#include <fstream>
#include <iterator>

namespace lumiroll::test {

Bytes DataFileBytes(const std::string& name) {
  std::ifstream file(std::string(LUMIROLL_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Bytes EncodeJpeg(int width, int height, const std::function<std::uint32_t(int x, int y)>& colour) {
  return EncodeJpegWith(
      width, height,
      [&colour](int x, int y) {
        const std::uint32_t c = colour(x, y);
        return Rgb{static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c & 0xFF)};
      },
      {});
}

}  // namespace lumiroll::test
