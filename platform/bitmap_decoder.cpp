#include "platform/bitmap_decoder.h"

#include <algorithm>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/bitmap_rows.h"
#include "platform/picture_region.h"

namespace lumiroll {
namespace {

void FlipRows(std::vector<std::uint32_t>& pixels, int width, int height) {
  const auto row = [&](int y) { return pixels.begin() + static_cast<std::ptrdiff_t>(y) * width; };
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(row(top), row(top) + width, row(bottom));
}

}  // namespace

std::optional<Picture> DecodeBitmapPixels(const BitmapLayout& layout, std::span<const std::uint8_t> bytes,
                                          DrawBound bound, const BitmapRowFilter& filter) {
  const PixelSize own{layout.width, layout.height};
  const KeptPart part = KeptPartFor(own, bound);
  const PictureRegion& r = part.region;
  // Bottom-up rows are reduced in the order they come and the result turned over: area averaging
  // gives the same either way.
  const int firstStored = layout.topDown ? r.top : own.height - r.top - r.height;
  BitmapRows rows(layout, bytes, r.left, r.width);
  AreaReducer reducer({r.width, r.height}, part.pixels);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(r.width));
  for (int stored = 0; stored < own.height; ++stored) {
    if (stored < firstStored || stored >= firstStored + r.height) {
      if (!rows.Skip()) return std::nullopt;
      continue;
    }
    if (!rows.Next(row.data())) return std::nullopt;
    if (filter) filter(row, stored, r.left);
    reducer.AddRow(row.data());
  }
  std::vector<std::uint32_t> pixels = reducer.TakePixels();
  if (!layout.topDown) FlipRows(pixels, part.pixels.width, part.pixels.height);
  return Picture{own.width, own.height, part.pixels.width, part.pixels.height, std::move(pixels), r};
}

std::optional<Picture> DecodeBitmapFile(std::span<const std::uint8_t> file, DrawBound bound) {
  const auto layout = ReadBitmapFileLayout(file);
  if (!layout) return std::nullopt;
  return DecodeBitmapPixels(*layout, file, bound);
}

}  // namespace lumiroll
