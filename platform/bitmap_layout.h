#pragma once
// What a device-independent bitmap's headers say about its pixels: size, row order, coding, colour
// masks and palette, and where the pixels lie. Read from a BMP file or from an icon's image. No
// Windows here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lumiroll {

// A contiguous run of bits of a pixel value holding one channel.
struct ChannelMask {
  int shift = 0;
  int bits = 0;  // 0: the pixel has no such channel
  friend bool operator==(const ChannelMask&, const ChannelMask&) = default;
};

// The mask's run of bits; nothing when its bits are not contiguous.
[[nodiscard]] std::optional<ChannelMask> ChannelOf(std::uint32_t mask);

// A channel value of the given bits scaled to 0..255, rounded to the nearest.
[[nodiscard]] constexpr std::uint32_t ScaledChannel(std::uint32_t value, int bits) {
  if (bits <= 0) return 0;
  const std::uint64_t largest = (std::uint64_t{1} << bits) - 1;
  return static_cast<std::uint32_t>((value * std::uint64_t{255} + largest / 2) / largest);
}

struct BitmapLayout {
  int width = 0;
  int height = 0;  // rows, never negative
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;  // kBitmapRgb, kBitmapRunLength8, kBitmapRunLength4 or kBitmapBitFields
  // Red, green, blue and alpha, for 16 and 32 bits a pixel (alpha 0 bits when there is none).
  std::array<ChannelMask, 4> channels{};
  // 0x00RRGGBB; the entries the file does not hold are black.
  std::array<std::uint32_t, 256> palette{};
  std::size_t pixelOffset = 0;  // where the pixels start in the bytes read
};

// The layout of a BMP file; nothing for a header, coding, mask or pixel offset the decoder cannot
// trust, or pixels the file is too short for.
[[nodiscard]] std::optional<BitmapLayout> ReadBitmapFileLayout(std::span<const std::uint8_t> file);
// The layout of an icon's bitmap image: its header counts the rows of the colour image and of the
// mask below it, and its pixels follow the palette.
[[nodiscard]] std::optional<BitmapLayout> ReadIconImageLayout(std::span<const std::uint8_t> image);

}  // namespace lumiroll
