#pragma once
// Pictures the tests write for the programs to show.
#include <cstdint>
#include <string>

namespace lumiroll::e2e {

// A 24-bit bitmap of one colour (0xRRGGBB).
void WriteSolidBmp(const std::wstring& path, int width, int height, std::uint32_t colour);

// A photograph-sized JPEG of one colour with sensor-like noise (quality 92, 4:2:0), so it
// decodes about as slowly as a camera's of the same size. false when it cannot be written.
[[nodiscard]] bool WriteNoisyJpeg(const std::wstring& path, int width, int height, std::uint32_t colour);

}  // namespace lumiroll::e2e
