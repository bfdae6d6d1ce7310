#include "platform/bitmap_layout.h"

#include <algorithm>
#include <bit>

#include "platform/bitmap_header.h"
#include "platform/byte_reader.h"

namespace lumiroll {
namespace {

constexpr std::uint32_t kCoreInfoSize = 12, kPlainInfoSize = 40, kOs2InfoSize = 64;
constexpr std::size_t kFileHeaderSize = 14;

struct InfoHeader {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows stored top-down
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBitmapRgb;
  std::uint32_t colours = 0;  // palette entries declared; 0: as many as the bit count indexes
};

std::optional<InfoHeader> ReadInfoHeader(std::span<const std::uint8_t> bytes, std::size_t at) {
  const ByteReader in(bytes);
  InfoHeader h;
  h.size = in.At<std::uint32_t>(at);
  if ((h.size != kCoreInfoSize && h.size < kPlainInfoSize) || !in.Holds(at, h.size)) return std::nullopt;
  if (h.size == kCoreInfoSize) {  // the old core header: 16-bit sizes, no compression
    h.width = in.At<std::uint16_t>(at + 4);
    h.height = in.At<std::uint16_t>(at + 6);
    h.bitCount = in.At<std::uint16_t>(at + 10);
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) return std::nullopt;
    return h;
  }
  h.width = in.At<std::int32_t>(at + 4);
  h.height = in.At<std::int32_t>(at + 8);
  h.bitCount = in.At<std::uint16_t>(at + 14);
  h.compression = in.At<std::uint32_t>(at + 16);
  h.colours = in.At<std::uint32_t>(at + 32);
  // OS/2's 64-byte header numbers its own codings from 3 (Huffman, 24-bit runs); neither is drawn.
  if (h.size == kOs2InfoSize && h.compression > kBitmapRunLength4) return std::nullopt;
  return h;
}

constexpr std::array<ChannelMask, 4> kRgb555{{{10, 5}, {5, 5}, {0, 5}, {0, 0}}};
constexpr std::array<ChannelMask, 4> kRgb888{{{16, 8}, {8, 8}, {0, 8}, {24, 8}}};

// The channels of 16- and 32-bit pixels. Masks lie inside a header with room for them (52 bytes
// and more, but for OS/2's), else right after the header, where paletteAt then moves past them.
std::optional<std::array<ChannelMask, 4>> ReadChannels(std::span<const std::uint8_t> bytes, const InfoHeader& h,
                                                       std::size_t infoAt, std::size_t& paletteAt) {
  if (h.compression != kBitmapBitFields && h.compression != kBitmapAlphaBitFields)
    return h.bitCount == 16 ? kRgb555 : kRgb888;
  const bool inHeader = h.size >= 52 && h.size != kOs2InfoSize;
  const std::size_t masksAt = inHeader ? infoAt + kPlainInfoSize : paletteAt;
  const std::size_t count = h.compression == kBitmapAlphaBitFields || (inHeader && h.size >= 56) ? 4 : 3;
  const ByteReader in(bytes);
  if (!in.Holds(masksAt, 4 * count)) return std::nullopt;
  std::array<ChannelMask, 4> channels{};
  for (std::size_t i = 0; i < count; ++i) {
    const auto mask = in.At<std::uint32_t>(masksAt + 4 * i);
    const auto channel = ChannelOf(mask);
    if (!channel || (h.bitCount == 16 && mask > 0xFFFF)) return std::nullopt;
    channels[i] = *channel;
  }
  if (!inHeader) paletteAt += 4 * count;
  return channels;
}

// The palette's declared entries: for the old core header and for 0, all the bit count indexes.
std::uint64_t DeclaredColours(const InfoHeader& h) {
  if (h.bitCount > 8) return h.size == kCoreInfoSize ? 0 : h.colours;
  return h.colours == 0 || h.size == kCoreInfoSize ? std::uint64_t{1} << h.bitCount : h.colours;
}

// Reads the palette's first entries (three bytes each after a core header, else four), which
// the caller has found inside the bytes.
void ReadPalette(std::span<const std::uint8_t> bytes, std::size_t at, std::uint64_t entries, std::size_t entrySize,
                 BitmapLayout& layout) {
  for (std::size_t i = 0; i < std::min<std::uint64_t>(entries, layout.palette.size()); ++i) {
    const std::size_t e = at + i * entrySize;
    layout.palette[i] = std::uint32_t{bytes[e + 2]} << 16 | std::uint32_t{bytes[e + 1]} << 8 | bytes[e];
  }
}

// The layout of the image whose info header is at infoAt; pixelOffset as the file states it, or
// none when the pixels follow the palette; rowsPerImage 2 for an icon's colour and mask rows.
std::optional<BitmapLayout> ReadLayout(std::span<const std::uint8_t> bytes, std::size_t infoAt,
                                       std::optional<std::uint64_t> pixelOffset, int rowsPerImage) {
  const auto h = ReadInfoHeader(bytes, infoAt);
  if (!h) return std::nullopt;
  std::size_t paletteAt = infoAt + h->size;
  BitmapLayout layout;
  if (h->bitCount == 16 || h->bitCount == 32) {
    const auto channels = ReadChannels(bytes, *h, infoAt, paletteAt);
    if (!channels) return std::nullopt;
    layout.channels = *channels;
  }
  const std::size_t entrySize = h->size == kCoreInfoSize ? 3 : 4;
  const std::uint64_t colours = DeclaredColours(*h);
  const std::uint64_t pixels = pixelOffset.value_or(paletteAt + colours * entrySize);
  if (pixels < paletteAt || pixels > bytes.size()) return std::nullopt;
  // A file's pixels may start before its declared palette ends: the palette is what lies between.
  if (h->bitCount <= 8)
    ReadPalette(bytes, paletteAt, std::min(colours, (pixels - paletteAt) / entrySize), entrySize, layout);
  const std::int64_t rows = (h->height < 0 ? -h->height : h->height) / rowsPerImage;
  if (!BitmapPixelsBelievable(h->width, rows, h->bitCount, h->compression,
                              static_cast<std::int64_t>(bytes.size() - pixels)))
    return std::nullopt;
  layout.width = static_cast<int>(h->width);
  layout.height = static_cast<int>(rows);
  layout.topDown = h->height < 0;
  layout.bitCount = static_cast<int>(h->bitCount);
  layout.compression = h->compression == kBitmapAlphaBitFields ? kBitmapBitFields : h->compression;
  layout.pixelOffset = static_cast<std::size_t>(pixels);
  return layout;
}

}  // namespace

std::optional<ChannelMask> ChannelOf(std::uint32_t mask) {
  if (mask == 0) return ChannelMask{};
  const int shift = std::countr_zero(mask);
  const int bits = std::countr_one(mask >> shift);
  if (shift + bits < 32 && (mask >> (shift + bits)) != 0) return std::nullopt;
  return ChannelMask{shift, bits};
}

std::optional<BitmapLayout> ReadBitmapFileLayout(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize) return std::nullopt;
  return ReadLayout(file, kFileHeaderSize, ByteReader(file).At<std::uint32_t>(10), 1);
}

std::optional<BitmapLayout> ReadIconImageLayout(std::span<const std::uint8_t> image) {
  return ReadLayout(image, 0, std::nullopt, 2);
}

}  // namespace lumiroll
