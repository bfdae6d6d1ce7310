#pragma once
// A first look at a BMP file before a decoder sees it: the decoder would take memory for the
// declared size before finding the pixels missing. No Windows here.
#include <algorithm>
#include <cstdint>
#include <span>

#include "platform/picture_geometry.h"

namespace lumiroll {

namespace bitmap_detail {
template <typename T>
T ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < sizeof(T) && at + i < bytes.size(); ++i) value |= std::uint64_t{bytes[at + i]} << (8 * i);
  return static_cast<T>(value);
}
}  // namespace bitmap_detail

// Run-length bitmaps are judged by a ratio instead of an exact length: drawn runs cover at most
// 255 pixels per two bytes, so only a large bitmap that is mostly skipped (and so nearly empty)
// exceeds 256 pixels a byte. The decoder would take memory for all of it.
inline constexpr std::int64_t kRunLengthPixelsPerByte = 256;
inline constexpr std::int64_t kRunLengthPixelsAlwaysBelieved = 16'000'000;

inline constexpr std::uint32_t kBitmapRgb = 0, kBitmapRunLength8 = 1, kBitmapRunLength4 = 2, kBitmapBitFields = 3,
                               kBitmapAlphaBitFields = 6;

// Whether the format defines this compression for this bit count. Embedded JPEG or PNG (bit count
// 0, compressions 4 and 5) are for printers, never for files; anything else a decoder would guess at.
[[nodiscard]] constexpr bool BitmapCodingDefined(std::uint32_t bitCount, std::uint32_t compression) {
  switch (compression) {
    case kBitmapRgb:
      return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case kBitmapRunLength8: return bitCount == 8;
    case kBitmapRunLength4: return bitCount == 4;
    case kBitmapBitFields:
    case kBitmapAlphaBitFields: return bitCount == 16 || bitCount == 32;
    default: return false;
  }
}

// The bytes a row of width pixels takes: whole 32-bit words.
[[nodiscard]] constexpr std::int64_t BitmapStride(std::int64_t width, std::uint32_t bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

// False when the declared size is absurd, the bit count or compression is one the format does
// not define, or dataBytes are too few for the pixels declared: exactly for an uncompressed
// bitmap, by the ratio above for a run-length one. height is the number of rows, never negative.
[[nodiscard]] constexpr bool BitmapPixelsBelievable(std::int64_t width, std::int64_t height, std::uint32_t bitCount,
                                                    std::uint32_t compression, std::int64_t dataBytes) {
  if (!DeclaredSizeAcceptable(width, height) || !BitmapCodingDefined(bitCount, compression)) return false;
  if (compression == kBitmapRunLength8 || compression == kBitmapRunLength4)
    return width * height <= std::max(kRunLengthPixelsAlwaysBelieved, dataBytes * kRunLengthPixelsPerByte);
  return BitmapStride(width, bitCount) * height <= dataBytes;
}

// False when the file's header declares what BitmapPixelsBelievable rejects, or a bit count the
// old core header does not have.
[[nodiscard]] inline bool BitmapHeaderBelievable(std::span<const std::uint8_t> bytes) {
  using bitmap_detail::ReadLittleEndian;
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 12) return false;
  const std::uint32_t pixelOffset = ReadLittleEndian<std::uint32_t>(bytes, 10);
  const std::uint32_t infoSize = ReadLittleEndian<std::uint32_t>(bytes, kFileHeader);
  std::int64_t width = 0, height = 0;
  std::uint32_t bitCount = 0, compression = 0;
  if (infoSize == 12) {  // the old core header: 16-bit sizes
    width = ReadLittleEndian<std::uint16_t>(bytes, 18);
    height = ReadLittleEndian<std::uint16_t>(bytes, 20);
    bitCount = ReadLittleEndian<std::uint16_t>(bytes, 24);
  } else if (infoSize >= 40 && bytes.size() >= kFileHeader + 40) {
    width = ReadLittleEndian<std::int32_t>(bytes, 18);
    height = ReadLittleEndian<std::int32_t>(bytes, 22);  // negative: rows stored top-down
    bitCount = ReadLittleEndian<std::uint16_t>(bytes, 28);
    compression = ReadLittleEndian<std::uint32_t>(bytes, 30);
  } else {
    return false;
  }
  if (height < 0) height = -height;
  if (infoSize == 12 && bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return false;
  if (pixelOffset > bytes.size()) return false;
  return BitmapPixelsBelievable(width, height, bitCount, compression,
                                static_cast<std::int64_t>(bytes.size() - pixelOffset));
}

}  // namespace lumiroll
