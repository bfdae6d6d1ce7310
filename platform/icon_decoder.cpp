#include "platform/icon_decoder.h"

#include <algorithm>

#include "platform/bitmap_decoder.h"
#include "platform/bitmap_header.h"
#include "platform/bitmap_rows.h"
#include "platform/byte_reader.h"
#include "platform/over_black.h"

namespace lumiroll {
namespace {

constexpr std::size_t kDirectoryHeader = 6, kDirectoryEntry = 16;
constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A declared side kept inside an int: anything beyond the largest side is as absurd as it.
int Side(std::int64_t declared) {
  return static_cast<int>(std::clamp<std::int64_t>(declared, -1, kMaxPictureSide + 1));
}

// What the image's own header says it is; nothing for an image of no kind we know. A bitmap
// image's height counts its mask's rows too.
std::optional<IconImage> Declared(std::span<const std::uint8_t> image) {
  if (image.size() >= 24 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin())) {
    const ByteReader png(image, ByteOrder::kBigEndian);
    return IconImage{image, true, {Side(png.At<std::uint32_t>(16)), Side(png.At<std::uint32_t>(20))}};
  }
  const ByteReader in(image);
  const auto header = in.At<std::uint32_t>(0);
  if (header == 12 && image.size() >= 12)
    return IconImage{image, false, {in.At<std::uint16_t>(4), in.At<std::uint16_t>(6) / 2}};
  if (header < 40 || image.size() < 40) return std::nullopt;
  const std::int64_t height = in.At<std::int32_t>(8);
  return IconImage{image, false, {Side(in.At<std::int32_t>(4)), Side((height < 0 ? -height : height) / 2)}};
}

bool AnyAlpha(const BitmapLayout& layout, std::span<const std::uint8_t> image) {
  BitmapRows rows(layout, image, 0, layout.width);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(layout.width));
  for (int y = 0; y < layout.height && rows.Next(row.data()); ++y)
    if (std::any_of(row.begin(), row.end(), [](std::uint32_t p) { return p >> 24 != 0; })) return true;
  return false;
}

// The mask's rows follow the colour rows of an uncompressed image, in the same order, one bit a
// pixel (set: transparent). An image cut short of its mask is drawn whole.
BitmapRowFilter MaskFilter(const BitmapLayout& layout, std::span<const std::uint8_t> image) {
  if (layout.compression == kBitmapRunLength8 || layout.compression == kBitmapRunLength4) return {};
  const auto height = static_cast<std::size_t>(layout.height);
  const std::size_t maskAt =
      layout.pixelOffset +
      static_cast<std::size_t>(BitmapStride(layout.width, static_cast<std::uint32_t>(layout.bitCount))) * height;
  const auto stride = static_cast<std::size_t>(BitmapStride(layout.width, 1));
  if (maskAt + stride * height > image.size()) return {};
  return [mask = image.subspan(maskAt), stride](std::span<std::uint32_t> row, int storedRow, int first) {
    const std::uint8_t* bits = mask.data() + static_cast<std::size_t>(storedRow) * stride;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const std::size_t x = first + i;
      if (bits[x / 8] >> (7 - x % 8) & 1) row[i] = 0;
    }
  };
}

std::optional<Picture> DecodeBitmapImage(std::span<const std::uint8_t> image, DrawBound bound) {
  const auto layout = ReadIconImageLayout(image);
  if (!layout) return std::nullopt;
  if (layout->bitCount == 32 && layout->channels[3].bits > 0 && AnyAlpha(*layout, image))
    return DecodeBitmapPixels(*layout, image, bound, [](std::span<std::uint32_t> row, int, int) { OverBlack(row); });
  return DecodeBitmapPixels(*layout, image, bound, MaskFilter(*layout, image));
}

}  // namespace

std::optional<std::vector<IconImage>> IconImagesByPreference(std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  const auto count = in.At<std::uint16_t>(4);
  if (count == 0 || !in.Holds(0, kDirectoryHeader + kDirectoryEntry * count)) return std::nullopt;
  std::vector<IconImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectoryHeader + kDirectoryEntry * i;
    const std::size_t size = in.At<std::uint32_t>(entry + 8), at = in.At<std::uint32_t>(entry + 12);
    if (!in.Holds(at, size)) return std::nullopt;
    const auto image = Declared(file.subspan(at, size));
    if (!image) continue;
    if (!DeclaredSizeAcceptable(image->size.width, image->size.height)) return std::nullopt;
    images.push_back(*image);
  }
  const auto area = [](const IconImage& image) { return std::int64_t{image.size.width} * image.size.height; };
  std::stable_sort(images.begin(), images.end(),
                   [&](const IconImage& a, const IconImage& b) { return area(a) > area(b); });
  return images;
}

std::optional<Picture> DecodeIcon(std::span<const std::uint8_t> file, DrawBound bound, const PngDecoder& decodePng) {
  const auto images = IconImagesByPreference(file);
  if (!images) return std::nullopt;
  const std::size_t tried = std::min<std::size_t>(images->size(), kMostIconImagesTried);
  for (std::size_t i = 0; i < tried; ++i) {
    const IconImage& image = (*images)[i];
    auto picture =
        image.png ? (decodePng ? decodePng(image.bytes, bound) : std::nullopt) : DecodeBitmapImage(image.bytes, bound);
    if (picture) return picture;
  }
  return std::nullopt;
}

}  // namespace lumiroll
