#include "platform/gif_decoder.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/byte_reader.h"
#include "platform/gif_lzw.h"
#include "platform/picture_geometry.h"
#include "platform/picture_region.h"

namespace lumiroll {
namespace {

using Palette = std::array<std::uint32_t, 256>;

// What the records before the first image say of it, and where its coded pixels lie.
struct FirstImage {
  PixelSize screen;
  PictureRegion frame;
  bool interlaced = false;
  Palette palette{};
  int codeSize = 0;
  std::span<const std::uint8_t> blocks;  // the data sub-blocks, up to the file's end
};

constexpr std::uint8_t kImageIntroducer = 0x2C, kExtensionIntroducer = 0x21;
constexpr std::uint8_t kGraphicControlLabel = 0xF9, kPlainTextLabel = 0x01;
constexpr std::uint8_t kTableFlag = 0x80, kInterlaceFlag = 0x40, kTransparentFlag = 0x01;

// A colour table of 2 << (packed & 7) entries as 0x00RRGGBB; the entries past 256 are not kept.
Palette ReadTable(ByteCursor& cursor, std::uint8_t packed) {
  Palette palette{};
  const int count = 2 << (packed & 7);
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const auto rgb = cursor.Take(3);
    if (!rgb.empty()) palette[i] = std::uint32_t{rgb[0]} << 16 | std::uint32_t{rgb[1]} << 8 | rgb[2];
  }
  return palette;
}

// A grey ramp from black to white, as long as the table the packed field sizes: what an image
// with no colour table at all shows.
Palette GreyRamp(std::uint8_t packed) {
  Palette palette{};
  const int count = 2 << (packed & 7);
  for (int i = 0; i < count; ++i) {
    const auto grey = static_cast<std::uint32_t>((i * 255 + (count - 1) / 2) / (count - 1));
    palette[static_cast<std::size_t>(i)] = grey * 0x010101u;
  }
  return palette;
}

// Reads an extension after its introducer; transparent becomes the index a graphic control
// extension makes transparent (-1 for none), and a plain text's extension takes the control
// before it for itself.
void ReadExtension(ByteCursor& cursor, int& transparent) {
  const auto label = cursor.Next<std::uint8_t>();
  if (label == kPlainTextLabel) transparent = -1;
  bool first = true;
  for (std::uint8_t size = cursor.Next<std::uint8_t>(); size != 0 && !cursor.failed();
       size = cursor.Next<std::uint8_t>()) {
    const auto block = cursor.Take(size);
    if (first && label == kGraphicControlLabel && block.size() == 4)
      transparent = (block[0] & kTransparentFlag) != 0 ? block[3] : -1;
    first = false;
  }
}

// The first image's description; nothing when the file is no GIF, holds no image or breaks off
// before the image's data.
std::optional<FirstImage> ReadUpToFirstImage(std::span<const std::uint8_t> bytes) {
  ByteCursor cursor(bytes);
  const auto signature = cursor.Take(6);
  if (signature.empty() || signature[0] != 'G' || signature[1] != 'I' || signature[2] != 'F') return std::nullopt;
  FirstImage image;
  image.screen.width = cursor.Next<std::uint16_t>();
  image.screen.height = cursor.Next<std::uint16_t>();
  const auto screenPacked = cursor.Next<std::uint8_t>();
  cursor.Skip(2);  // background colour and aspect ratio
  const Palette global = (screenPacked & kTableFlag) != 0 ? ReadTable(cursor, screenPacked) : GreyRamp(screenPacked);
  int transparent = -1;
  auto introducer = cursor.Next<std::uint8_t>();
  while (introducer == kExtensionIntroducer && !cursor.failed()) {
    ReadExtension(cursor, transparent);
    introducer = cursor.Next<std::uint8_t>();
  }
  if (cursor.failed() || introducer != kImageIntroducer) return std::nullopt;  // the trailer, or no GIF record
  image.frame.left = cursor.Next<std::uint16_t>();
  image.frame.top = cursor.Next<std::uint16_t>();
  image.frame.width = cursor.Next<std::uint16_t>();
  image.frame.height = cursor.Next<std::uint16_t>();
  const auto imagePacked = cursor.Next<std::uint8_t>();
  image.interlaced = (imagePacked & kInterlaceFlag) != 0;
  image.palette = (imagePacked & kTableFlag) != 0 ? ReadTable(cursor, imagePacked) : global;
  if (transparent >= 0) image.palette[static_cast<std::size_t>(transparent)] = 0;
  image.codeSize = cursor.Next<std::uint8_t>();
  if (cursor.failed()) return std::nullopt;
  image.blocks = bytes.subspan(cursor.position());
  return image;
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
bool ReadKeptRows(const FirstImage& image, const PictureRegion& kept, KeptRows& rows) {
  const PictureRegion& frame = image.frame;
  const int firstRow = std::max(frame.top, kept.top),
            endRow = std::min(frame.top + frame.height, kept.top + kept.height);
  const int firstColumn = std::max(frame.left, kept.left);
  const int endColumn = std::min(frame.left + frame.width, kept.left + kept.width);
  int needed = std::max(0, endRow - firstRow);
  GifLzwDecoder decoder(image.codeSize, image.blocks);
  std::vector<std::uint16_t> indices(static_cast<std::size_t>(frame.width));
  std::vector<std::uint32_t> screenRow(static_cast<std::size_t>(kept.width));
  for (int i = 0; i < frame.height && needed > 0; ++i) {
    if (!decoder.Fill(indices)) return false;
    const int y = frame.top + FrameRow(i, frame.height, image.interlaced);
    if (y < firstRow || y >= endRow) continue;
    for (int x = firstColumn; x < endColumn; ++x) {
      const std::uint16_t index = indices[static_cast<std::size_t>(x - frame.left)];
      // A code size above 8 can name indices past any table: black, like those past a short one.
      screenRow[static_cast<std::size_t>(x - kept.left)] = index < image.palette.size() ? image.palette[index] : 0;
    }
    rows.Add(y - kept.top, screenRow.data(), firstColumn - kept.left, endColumn - kept.left);
    --needed;
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeGif(std::span<const std::uint8_t> bytes, DrawBound bound) {
  const auto image = ReadUpToFirstImage(bytes);
  if (!image) return std::nullopt;
  const PictureRegion& frame = image->frame;
  // A screen that claims less than its first image holds (0 x 0 from some encoders) grows to it.
  const PixelSize own{std::max(image->screen.width, frame.left + frame.width),
                      std::max(image->screen.height, frame.top + frame.height)};
  if (!DeclaredSizeAcceptable(frame.width, frame.height) || !DeclaredSizeAcceptable(own.width, own.height))
    return std::nullopt;
  const KeptPart part = KeptPartFor(own, bound);
  KeptRows rows(part, image->interlaced);
  if (!ReadKeptRows(*image, part.region, rows)) return std::nullopt;
  return Picture{own.width, own.height, part.pixels.width, part.pixels.height, rows.Take(), part.region};
}

}  // namespace lumiroll
