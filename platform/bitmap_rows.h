#pragma once
// The rows of a bitmap's pixels in the order they are stored, as 0xAARRGGBB (alpha 0 where the
// bitmap has none), each decoded only for the columns asked for. No Windows here.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/bitmap_layout.h"
#include "platform/run_length_rows.h"

namespace lumiroll {

// The colours of 16- and 32-bit pixel values with the given channels, as 0xAARRGGBB. A channel
// wider than 16 bits is scaled from its top 16.
class MaskedColours {
 public:
  explicit MaskedColours(const std::array<ChannelMask, 4>& channels);
  [[nodiscard]] std::uint32_t operator()(std::uint32_t value) const {
    std::uint32_t colour = 0;
    for (const Channel& c : channels_) colour |= std::uint32_t{c.scaled[value >> c.shift & c.mask]} << c.place;
    return colour;
  }

 private:
  struct Channel {
    int shift = 0;
    std::uint32_t mask = 0;
    int place = 0;  // where the channel goes in 0xAARRGGBB
    std::vector<std::uint8_t> scaled;
  };
  std::array<Channel, 4> channels_;
};

class BitmapRows {
 public:
  // Columns [first, first + count) of a bitmap whose layout was read from bytes; both must
  // outlive the rows.
  BitmapRows(const BitmapLayout& layout, std::span<const std::uint8_t> bytes, int first, int count);

  // The next stored row's columns, count pixels; false when the data is damaged.
  [[nodiscard]] bool Next(std::uint32_t* out);
  // Passes over the next stored row (a run-length stream is still read: its damage counts).
  [[nodiscard]] bool Skip();

 private:
  void ConvertPacked(const std::uint8_t* row, std::uint32_t* out) const;

  const BitmapLayout& layout_;
  std::span<const std::uint8_t> bytes_;
  int first_, count_;
  int row_ = 0;
  std::optional<MaskedColours> masked_;     // 32 bits a pixel in other than the usual order
  std::vector<std::uint32_t> wordColours_;  // the colour of each 16-bit pixel value
  std::optional<RunLengthRows> runs_;
  std::vector<std::uint32_t> wholeRow_;  // a run-length row, all its columns
};

}  // namespace lumiroll
