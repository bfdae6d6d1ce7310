#include "platform/gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/picture_geometry.h"
#include "platform/picture_region.h"

namespace lumiroll {
namespace {

struct MemoryReader {
  std::span<const std::uint8_t> rest;
};

// giflib's input callback: the next count bytes, fewer where the file ends.
int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
  auto& reader = *static_cast<MemoryReader*>(gif->UserData);
  const std::size_t n = std::min(reader.rest.size(), static_cast<std::size_t>(std::max(count, 0)));
  if (n > 0) std::memcpy(out, reader.rest.data(), n);
  reader.rest = reader.rest.subspan(n);
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// Reads the records before the first image and its descriptor; false when the file holds none or
// breaks off first. transparent: the index the image's graphic control extension makes
// transparent, or NO_TRANSPARENT_COLOR.
bool ReadUpToFirstImage(GifFileType& gif, int& transparent) {
  transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(&gif, &type) != GIF_OK || type == TERMINATE_RECORD_TYPE) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageHeader(&gif) == GIF_OK;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(&gif, &code, &block) != GIF_OK) return false;
    GraphicsControlBlock control{};
    if (code == GRAPHICS_EXT_FUNC_CODE && block && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
      transparent = control.TransparentColor;
    else if (code == PLAINTEXT_EXT_FUNC_CODE)  // the control was that text's, not the image's
      transparent = NO_TRANSPARENT_COLOR;
    while (block)
      if (DGifGetExtensionNext(&gif, &block) != GIF_OK) return false;
  }
}

using Palette = std::array<std::uint32_t, 256>;

// The image's colours as 0x00RRGGBB: its own table, else the file's, else a grey ramp as long as
// the table the screen descriptor sizes. Indices past the table, and the transparent one, are black.
Palette PaletteOf(const GifFileType& gif, std::span<const std::uint8_t> bytes, int transparent) {
  Palette palette{};
  if (const ColorMapObject* map = gif.Image.ColorMap ? gif.Image.ColorMap : gif.SColorMap) {
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
      const GifColorType& c = map->Colors[i];
      palette[static_cast<std::size_t>(i)] = std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue;
    }
  } else {
    constexpr std::size_t kScreenPacked = 10;  // after the signature and the screen's size
    const int count = 2 << (bytes[kScreenPacked] & 7);
    for (int i = 0; i < count; ++i) {
      const auto grey = static_cast<std::uint32_t>((i * 255 + (count - 1) / 2) / (count - 1));
      palette[static_cast<std::size_t>(i)] = grey * 0x010101u;
    }
  }
  if (transparent >= 0 && transparent < 256) palette[static_cast<std::size_t>(transparent)] = 0;
  return palette;
}

// The frame row that the i-th stored row is: interlaced images store every 8th row from 0, every
// 8th from 4, every 4th from 2, then every 2nd from 1.
int FrameRow(int i, int height, bool interlaced) {
  if (!interlaced) return i;
  constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  for (const auto& [start, step] : kPasses) {
    const int count = height > start ? (height - start + step - 1) / step : 0;
    if (i < count) return start + i * step;
    i -= count;
  }
  return height;
}

// The kept part's rows as they arrive: in order (a few rows held) or, for an interlaced image, in
// any order (the part held as sums). Each row is black but for the columns the image covers, and
// rows never given are black, so a vast screen around a small image costs little.
class KeptRows {
 public:
  KeptRows(const KeptPart& part, bool anyOrder) : height_(part.region.height) {
    const PixelSize region{part.region.width, part.region.height};
    if (anyOrder) scattered_ = std::make_unique<ScatteredAreaReducer>(region, part.pixels);
    else ordered_ = std::make_unique<AreaReducer>(region, part.pixels);
  }

  // Row y of the region, coloured in its columns [first, end).
  void Add(int y, const std::uint32_t* row, int first, int end) {
    if (scattered_) return scattered_->AddRow(y, row, first, end);
    ordered_->AddBlankRows(y - next_);
    ordered_->AddRow(row, first, end);
    next_ = y + 1;
  }

  [[nodiscard]] std::vector<std::uint32_t> Take() {
    if (scattered_) return scattered_->TakePixels();
    ordered_->AddBlankRows(height_ - next_);
    return ordered_->TakePixels();
  }

 private:
  std::unique_ptr<AreaReducer> ordered_;  // one of the two
  std::unique_ptr<ScatteredAreaReducer> scattered_;
  int height_;
  int next_ = 0;
};

// Reads the image's rows until the last one the kept region needs, composing each onto the
// screen's row; false when the data ends or goes wrong first.
bool ReadKeptRows(GifFileType& gif, const Palette& palette, const PictureRegion& frame, const PictureRegion& kept,
                  KeptRows& rows) {
  const int firstRow = std::max(frame.top, kept.top),
            endRow = std::min(frame.top + frame.height, kept.top + kept.height);
  const int firstColumn = std::max(frame.left, kept.left);
  const int endColumn = std::min(frame.left + frame.width, kept.left + kept.width);
  int needed = std::max(0, endRow - firstRow);
  std::vector<GifPixelType> indices(static_cast<std::size_t>(frame.width));
  std::vector<std::uint32_t> screenRow(static_cast<std::size_t>(kept.width));
  for (int i = 0; i < frame.height && needed > 0; ++i) {
    if (DGifGetLine(&gif, indices.data(), frame.width) != GIF_OK) return false;
    const int y = frame.top + FrameRow(i, frame.height, gif.Image.Interlace);
    if (y < firstRow || y >= endRow) continue;
    for (int x = firstColumn; x < endColumn; ++x)
      screenRow[static_cast<std::size_t>(x - kept.left)] = palette[indices[static_cast<std::size_t>(x - frame.left)]];
    rows.Add(y - kept.top, screenRow.data(), firstColumn - kept.left, endColumn - kept.left);
    --needed;
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeGif(std::span<const std::uint8_t> bytes, DrawBound bound) {
  MemoryReader reader{bytes};
  const GifFile gif(DGifOpen(&reader, ReadFromMemory, nullptr));
  int transparent = NO_TRANSPARENT_COLOR;
  if (!gif || !ReadUpToFirstImage(*gif, transparent)) return std::nullopt;
  const GifImageDesc& image = gif->Image;
  const PictureRegion frame{image.Left, image.Top, image.Width, image.Height};
  // A screen that claims less than its first image holds (0 x 0 from some encoders) grows to it.
  const PixelSize own{std::max<int>(gif->SWidth, frame.left + frame.width),
                      std::max<int>(gif->SHeight, frame.top + frame.height)};
  if (!DeclaredSizeAcceptable(frame.width, frame.height) || !DeclaredSizeAcceptable(own.width, own.height))
    return std::nullopt;
  const KeptPart part = KeptPartFor(own, bound);
  KeptRows rows(part, image.Interlace);
  if (!ReadKeptRows(*gif, PaletteOf(*gif, bytes, transparent), frame, part.region, rows)) return std::nullopt;
  return Picture{own.width, own.height, part.pixels.width, part.pixels.height, rows.Take(), part.region};
}

}  // namespace lumiroll
