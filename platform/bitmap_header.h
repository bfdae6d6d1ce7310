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

// False when the declared size is absurd, or when the file is too short to hold the pixels it
// declares: exactly for an uncompressed bitmap, by the ratio above for a run-length one.
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
  if (!DeclaredSizeAcceptable(width, height)) return false;
  if (pixelOffset > bytes.size()) return false;
  const auto dataBytes = static_cast<std::int64_t>(bytes.size() - pixelOffset);
  constexpr std::uint32_t kRgb = 0, kRunLength8 = 1, kRunLength4 = 2, kBitFields = 3, kAlphaBitFields = 6;
  if (compression == kRunLength8 || compression == kRunLength4)
    return width * height <= std::max(kRunLengthPixelsAlwaysBelieved, dataBytes * kRunLengthPixelsPerByte);
  if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) return true;
  const std::int64_t stride = (width * bitCount + 31) / 32 * 4;
  return stride * height <= dataBytes;
}

}  // namespace lumiroll
