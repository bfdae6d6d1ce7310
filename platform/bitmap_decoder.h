#pragma once
// Bitmaps decoded by our own code, the same on every system: every header, bit count and coding
// the format defines. Only the part a draw bound can show is decoded, reduced to the bound while
// its rows arrive, so no file takes more than a screen's worth. No Windows here.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "platform/bitmap_layout.h"
#include "platform/picture.h"

namespace lumiroll {

// Called with each full-resolution row before it is reduced: its pixels (0xAARRGGBB), its index
// in stored order and the column its first pixel is.
using BitmapRowFilter = std::function<void(std::span<std::uint32_t> row, int storedRow, int firstColumn)>;

// The picture of a bitmap whose layout was read from bytes; nothing when its data is damaged.
[[nodiscard]] std::optional<Picture> DecodeBitmapPixels(const BitmapLayout& layout, std::span<const std::uint8_t> bytes,
                                                        DrawBound bound, const BitmapRowFilter& filter = {});

// A BMP file (run-length encoded too); its alpha is not drawn. Nothing for what the header
// check rejects, for anything the decoder cannot trust, and for a file shorter than its pixels.
[[nodiscard]] std::optional<Picture> DecodeBitmapFile(std::span<const std::uint8_t> file, DrawBound bound);

}  // namespace lumiroll
