#include "test_photos.h"

#include <windows.h>

#include <string_view>

#include "driver.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll::e2e {
namespace {

void PutU16(std::string& bytes, std::uint16_t v) {
  bytes += static_cast<char>(v & 0xFF);
  bytes += static_cast<char>(v >> 8);
}
void PutU32(std::string& bytes, std::uint32_t v) {
  PutU16(bytes, static_cast<std::uint16_t>(v & 0xFFFF));
  PutU16(bytes, static_cast<std::uint16_t>(v >> 16));
}

// A small fast generator: the noise only has to look like a sensor's to the decoder.
class Noise {
 public:
  int Next(int amplitude) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(2 * amplitude + 1)) - amplitude;
  }

 private:
  std::uint64_t state_ = 42;
};

int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

}  // namespace

void WriteSolidBmp(const std::wstring& path, int width, int height, std::uint32_t colour) {
  const int rowBytes = (width * 3 + 3) & ~3;
  std::string bytes = "BM";
  PutU32(bytes, static_cast<std::uint32_t>(54 + rowBytes * height));
  PutU32(bytes, 0);
  PutU32(bytes, 54);
  PutU32(bytes, 40);
  PutU32(bytes, static_cast<std::uint32_t>(width));
  PutU32(bytes, static_cast<std::uint32_t>(height));
  PutU16(bytes, 1);
  PutU16(bytes, 24);
  for (int i = 0; i < 6; ++i) PutU32(bytes, 0);
  std::string row(static_cast<std::size_t>(rowBytes), '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(colour & 0xFF);
    row[x * 3 + 1] = static_cast<char>((colour >> 8) & 0xFF);
    row[x * 3 + 2] = static_cast<char>(colour >> 16);
  }
  for (int y = 0; y < height; ++y) bytes += row;
  WriteFileBytes(path, bytes);
}

bool WriteNoisyJpeg(const std::wstring& path, int width, int height, std::uint32_t colour) {
  const int red = static_cast<int>(colour >> 16), green = static_cast<int>((colour >> 8) & 0xFF),
            blue = static_cast<int>(colour & 0xFF);
  Noise noise;  // rows are encoded top to bottom, left to right, so the noise runs in that order
  const test::Bytes jpeg = test::EncodeJpeg(width, height, [&](int, int) {
    const int r = Clamp(red + noise.Next(12)), g = Clamp(green + noise.Next(12)), b = Clamp(blue + noise.Next(12));
    return test::Rgb{r, g, b};
  });
  return WriteFileBytes(path, std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size()));
}

}  // namespace lumiroll::e2e
