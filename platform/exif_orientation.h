#pragma once
// EXIF orientation of JPEG photographs: reading the tag from an APP1 segment and turning the
// stored pixels upright. No Windows here, so the native tests reach it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/byte_reader.h"

namespace lumiroll {

inline constexpr int kUpright = 1;

// 5 to 8 store the picture lying on its side: the upright picture has width and height swapped.
[[nodiscard]] constexpr bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

namespace exif_detail {

// The TIFF structure's numbers, in the byte order its first two bytes name.
class TiffReader {
 public:
  explicit TiffReader(std::span<const std::uint8_t> tiff) : tiff_(tiff) {}
  [[nodiscard]] bool ReadOrder() {
    if (tiff_.size() < 8) return false;
    if (tiff_.At<std::uint16_t>(0) == 0x4949) tiff_.SetOrder(ByteOrder::kLittleEndian);    // "II"
    else if (tiff_.At<std::uint16_t>(0) == 0x4D4D) tiff_.SetOrder(ByteOrder::kBigEndian);  // "MM"
    else return false;
    return U16(2) == 42;
  }
  [[nodiscard]] bool Holds(std::size_t offset, std::size_t count) const { return tiff_.Holds(offset, count); }
  [[nodiscard]] std::uint32_t U16(std::size_t at) const { return tiff_.At<std::uint16_t>(at); }
  [[nodiscard]] std::uint32_t U32(std::size_t at) const { return tiff_.At<std::uint32_t>(at); }
  [[nodiscard]] std::uint8_t Byte(std::size_t at) const { return tiff_.At<std::uint8_t>(at); }

 private:
  ByteReader tiff_;
};

// The TIFF structure of an APP1 segment's data ("Exif\0\0" first); nothing for another segment
// or an unreadable byte order.
[[nodiscard]] inline std::optional<TiffReader> ExifTiff(std::span<const std::uint8_t> app1) {
  constexpr std::uint8_t kExifId[] = {'E', 'x', 'i', 'f', 0, 0};
  if (app1.size() < sizeof kExifId || !std::equal(kExifId, kExifId + sizeof kExifId, app1.begin())) return std::nullopt;
  TiffReader tiff(app1.subspan(sizeof kExifId));
  if (!tiff.ReadOrder()) return std::nullopt;
  return tiff;
}

struct IfdEntry {
  std::uint32_t type = 0;
  std::uint32_t count = 0;
  std::size_t valueAt = 0;  // where a value of four bytes or fewer sits, inside the entry
};

// The first entry with the given tag in the IFD at offset; nothing when absent or damaged.
[[nodiscard]] inline std::optional<IfdEntry> FindEntry(const TiffReader& tiff, std::size_t ifd, std::uint32_t tag) {
  if (!tiff.Holds(ifd, 2)) return std::nullopt;
  const std::size_t entries = tiff.U16(ifd);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t entry = ifd + 2 + 12 * i;
    if (!tiff.Holds(entry, 12)) return std::nullopt;
    if (tiff.U16(entry) == tag) return IfdEntry{tiff.U16(entry + 2), tiff.U32(entry + 4), entry + 8};
  }
  return std::nullopt;
}

}  // namespace exif_detail

// The orientation (1 to 8) held by an APP1 segment's data ("Exif\0\0" and a TIFF structure);
// kUpright when the segment is not EXIF, holds no orientation, or is damaged.
[[nodiscard]] inline int ExifOrientation(std::span<const std::uint8_t> app1) {
  constexpr std::uint32_t kOrientationTag = 0x0112, kShortType = 3;
  const auto tiff = exif_detail::ExifTiff(app1);
  const auto entry = tiff ? exif_detail::FindEntry(*tiff, tiff->U32(4), kOrientationTag) : std::nullopt;
  if (!entry || entry->type != kShortType || entry->count != 1) return kUpright;
  const int value = static_cast<int>(tiff->U16(entry->valueAt));
  return value >= 1 && value <= 8 ? value : kUpright;
}

// The upright pixels of a picture stored width x height (row-major, top-down) with the given
// orientation. For 5 to 8 the result is height x width.
[[nodiscard]] inline std::vector<std::uint32_t> OrientPixels(std::span<const std::uint32_t> stored, int width,
                                                             int height, int orientation) {
  if (orientation < 2 || orientation > 8) return {stored.begin(), stored.end()};
  const bool swaps = OrientationSwapsSides(orientation);
  const int outWidth = swaps ? height : width, outHeight = swaps ? width : height;
  std::vector<std::uint32_t> upright(stored.size());
  for (int y = 0; y < outHeight; ++y) {
    for (int x = 0; x < outWidth; ++x) {
      int sx = x, sy = y;  // where the stored picture holds the upright pixel (x, y)
      switch (orientation) {
        case 2: sx = width - 1 - x; break;
        case 3:
          sx = width - 1 - x;
          sy = height - 1 - y;
          break;
        case 4: sy = height - 1 - y; break;
        case 5:
          sx = y;
          sy = x;
          break;
        case 6:
          sx = y;
          sy = height - 1 - x;
          break;
        case 7:
          sx = width - 1 - y;
          sy = height - 1 - x;
          break;
        case 8:
          sx = width - 1 - y;
          sy = x;
          break;
      }
      upright[static_cast<std::size_t>(y) * outWidth + x] = stored[static_cast<std::size_t>(sy) * width + sx];
    }
  }
  return upright;
}

}  // namespace lumiroll
