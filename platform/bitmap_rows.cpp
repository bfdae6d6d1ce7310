#include "platform/bitmap_rows.h"

#include <algorithm>

#include "platform/bitmap_header.h"

namespace lumiroll {
namespace {

// 32-bit pixels as Windows writes them: 0xAARRGGBB already.
constexpr std::array<ChannelMask, 4> kUsualOrder{{{16, 8}, {8, 8}, {0, 8}, {24, 8}}};

std::uint32_t LittleEndian16(const std::uint8_t* p) { return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8; }
std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return LittleEndian16(p) | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

}  // namespace

MaskedColours::MaskedColours(const std::array<ChannelMask, 4>& channels) {
  constexpr int kPlaces[4] = {16, 8, 0, 24};
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const int bits = std::min(channels[i].bits, 16), dropped = channels[i].bits - bits;
    Channel& c = channels_[i];
    c.shift = channels[i].shift + dropped;
    c.mask = (std::uint32_t{1} << bits) - 1;
    c.place = kPlaces[i];
    c.scaled.resize(std::size_t{c.mask} + 1);
    for (std::uint32_t v = 0; v <= c.mask; ++v) c.scaled[v] = static_cast<std::uint8_t>(ScaledChannel(v, bits));
  }
}

BitmapRows::BitmapRows(const BitmapLayout& layout, std::span<const std::uint8_t> bytes, int first, int count)
    : layout_(layout), bytes_(bytes), first_(first), count_(count) {
  if (layout.compression == kBitmapRunLength8 || layout.compression == kBitmapRunLength4) {
    runs_.emplace(bytes.subspan(layout.pixelOffset), layout.width, layout.height,
                  layout.compression == kBitmapRunLength4, layout.palette);
    wholeRow_.resize(static_cast<std::size_t>(layout.width));
  } else if (layout.bitCount == 16) {
    const MaskedColours colours(layout.channels);
    wordColours_.resize(0x10000);
    for (std::uint32_t v = 0; v < 0x10000; ++v) wordColours_[v] = colours(v);
  } else if (layout.bitCount == 32 && layout.channels != kUsualOrder) {
    masked_.emplace(layout.channels);
  }
}

bool BitmapRows::Next(std::uint32_t* out) {
  if (row_ >= layout_.height) return false;
  if (runs_) {
    if (!runs_->Next(wholeRow_.data())) return false;
    std::copy_n(wholeRow_.begin() + first_, count_, out);
  } else {
    // The layout's reader found every row inside the bytes.
    const auto stride =
        static_cast<std::size_t>(BitmapStride(layout_.width, static_cast<std::uint32_t>(layout_.bitCount)));
    ConvertPacked(bytes_.data() + layout_.pixelOffset + static_cast<std::size_t>(row_) * stride, out);
  }
  ++row_;
  return true;
}

bool BitmapRows::Skip() {
  if (row_ >= layout_.height) return false;
  if (runs_ && !runs_->Next(wholeRow_.data())) return false;
  ++row_;
  return true;
}

void BitmapRows::ConvertPacked(const std::uint8_t* row, std::uint32_t* out) const {
  const auto each = [&](auto colourAt) {
    for (int i = 0; i < count_; ++i) out[i] = colourAt(first_ + i);
  };
  const auto& palette = layout_.palette;
  switch (layout_.bitCount) {
    case 1: return each([&](int x) { return palette[row[x / 8] >> (7 - x % 8) & 1]; });
    case 4: return each([&](int x) { return palette[row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0xF]; });
    case 8: return each([&](int x) { return palette[row[x]]; });
    case 16: return each([&](std::ptrdiff_t x) { return wordColours_[LittleEndian16(row + 2 * x)]; });
    case 24:
      return each([&](std::ptrdiff_t x) {
        const std::uint8_t* p = row + 3 * x;
        return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
      });
    default:
      if (masked_) return each([&](std::ptrdiff_t x) { return (*masked_)(LittleEndian32(row + 4 * x)); });
      return each([&](std::ptrdiff_t x) { return LittleEndian32(row + 4 * x); });
  }
}

}  // namespace lumiroll
