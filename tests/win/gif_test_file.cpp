#include "tests/win/gif_test_file.h"

#include <gif_lib.h>

#include <stdexcept>

namespace lumiroll::test {
namespace {

int Append(GifFileType* gif, const GifByteType* bytes, int count) {
  auto& out = *static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out.insert(out.end(), bytes, bytes + count);
  return count;
}

void Check(int result) {
  if (result != GIF_OK) throw std::runtime_error("giflib could not write the test GIF");
}

// The frame's rows in the order the file stores them.
std::vector<int> StoredRows(int height, bool interlaced) {
  std::vector<int> rows;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  for (const auto& [start, step] : passes)
    for (int y = start; y < height; y += step) rows.push_back(y);
  return rows;
}

}  // namespace

std::vector<std::uint8_t> WriteGif(const GifImage& image) {
  std::vector<std::uint8_t> out;
  GifFileType* gif = EGifOpen(&out, Append, nullptr);
  std::vector<GifColorType> colours;
  for (std::uint32_t c : image.colours)
    colours.push_back(
        {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8), static_cast<GifByteType>(c)});
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  EGifSetGifVersion(gif, true);
  Check(EGifPutScreenDesc(gif, image.screenWidth, image.screenHeight, 8, 0, map));
  GifFreeMapObject(map);
  if (image.transparent >= 0) {
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, image.transparent};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension));
  }
  const PictureRegion& f = image.frame;
  Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, image.interlaced, nullptr));
  std::vector<GifPixelType> row(static_cast<std::size_t>(f.width));
  for (int y : StoredRows(f.height, image.interlaced)) {
    for (int x = 0; x < f.width; ++x)
      row[static_cast<std::size_t>(x)] = image.indices[static_cast<std::size_t>(y) * f.width + x];
    Check(EGifPutLine(gif, row.data(), f.width));
  }
  Check(EGifCloseFile(gif, nullptr));
  if (image.withoutTable) {  // the flag cleared, the table's size bits kept, its colours cut out
    constexpr std::size_t kScreenPacked = 10, kTable = 13;
    out[kScreenPacked] &= 0x7F;
    out.erase(out.begin() + kTable, out.begin() + kTable + 3 * static_cast<std::ptrdiff_t>(image.colours.size()));
  }
  return out;
}

}  // namespace lumiroll::test
