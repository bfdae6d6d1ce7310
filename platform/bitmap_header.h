#pragma once
// What a BMP's declared coding and size must meet before a decoder takes memory for them: the
// decoder would take it before finding the pixels missing. No Windows here.
#include <algorithm>
#include <cstdint>
#include <span>

#include "platform/picture_geometry.h"

namespace lumiroll {

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

}  // namespace lumiroll
