#include "tests/win/gif_test_file.h"

#include <gif_lib.h>

#include <algorithm>
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

void PutWord(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Codes packed least significant bit first, in sub-blocks of at most 255 bytes.
class CodeWriter {
 public:
  void Put(int code, int width) {
    bits_ |= static_cast<std::uint32_t>(code) << count_;
    for (count_ += width; count_ >= 8; count_ -= 8, bits_ >>= 8) bytes_.push_back(static_cast<std::uint8_t>(bits_));
  }
  void Finish(std::vector<std::uint8_t>& out) {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_));
    for (std::size_t at = 0; at < bytes_.size(); at += 255) {
      const std::size_t size = std::min<std::size_t>(255, bytes_.size() - at);
      out.push_back(static_cast<std::uint8_t>(size));
      out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    out.push_back(0);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

}  // namespace

std::vector<std::uint8_t> WriteWideCodeGif(const WideCodeGif& image) {
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(out, image.width);
  PutWord(out, image.height);
  out.insert(out.end(), {0xF7, 0, 0});  // a global table of 256 entries
  for (std::size_t i = 0; i < 256; ++i)
    for (int shift : {16, 8, 0})
      out.push_back(i < image.colours.size() ? static_cast<std::uint8_t>(image.colours[i] >> shift) : 0);
  out.push_back(0x2C);
  for (int value : {0, 0, image.width, image.height}) PutWord(out, value);
  out.push_back(0);
  out.push_back(static_cast<std::uint8_t>(image.codeSize));
  // The decoder's table grows by one entry a code after the first since a clear, its codes one
  // bit wider each time it reaches a power of two, up to 12 bits and 4096 entries.
  const int clear = 1 << image.codeSize;
  CodeWriter codes;
  int width = image.codeSize + 1, next = clear + 2, sinceClear = 0;
  codes.Put(clear, width);
  for (std::uint16_t index : image.indices) {
    if (image.clearEvery > 0 && sinceClear == image.clearEvery) {
      codes.Put(clear, width);
      width = image.codeSize + 1;
      next = clear + 2;
      sinceClear = 0;
    }
    codes.Put(index, width);
    if (sinceClear++ > 0 && next < 4096 && ++next == 1 << width && width < 12) ++width;
  }
  codes.Put(clear + 1, width);
  codes.Finish(out);
  out.push_back(0x3B);
  return out;
}

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
