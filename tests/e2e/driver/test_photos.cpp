#include "test_photos.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include <jpeglib.h>

#include "driver.h"

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

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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

JSAMPLE Clamp(int v) { return static_cast<JSAMPLE>(v < 0 ? 0 : v > 255 ? 255 : v); }

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
  std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"wb"));
  if (!file) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // the default handler ends the test program on an error
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.get());
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 92, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
  const int channel[3] = {static_cast<int>(colour >> 16), static_cast<int>((colour >> 8) & 0xFF),
                          static_cast<int>(colour & 0xFF)};
  Noise noise;
  while (info.next_scanline < info.image_height) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = Clamp(channel[i % 3] + noise.Next(12));
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace lumiroll::e2e
