#pragma once
// Transparency laid over the black the show paints behind every picture. No Windows here.
#include <cstdint>
#include <span>

namespace lumiroll {

// Premultiplies 0xAARRGGBB pixels by their alpha, leaving 0x00RRGGBB: a transparent pixel shows
// the black behind it.
inline void OverBlack(std::span<std::uint32_t> pixels) {
  for (std::uint32_t& p : pixels) {
    const std::uint32_t a = p >> 24;
    if (a == 255) {
      p &= 0x00FFFFFF;
      continue;
    }
    const auto over = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    p = over(p >> 16 & 0xFF) << 16 | over(p >> 8 & 0xFF) << 8 | over(p & 0xFF);
  }
}

}  // namespace lumiroll
