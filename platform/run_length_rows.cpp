#include "platform/run_length_rows.h"

#include <algorithm>

namespace lumiroll {

bool RunLengthRows::Next(std::uint32_t* row) {
  std::fill(row, row + width_, 0u);
  if (ended_ || y_ > made_) return ++made_, true;  // a row the stream skipped
  while (at_ + 2 <= stream_.size()) {
    const std::uint8_t count = stream_[at_], value = stream_[at_ + 1];
    at_ += 2;
    if (count > 0) {
      Run(row, count, value);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x_ = 0, ++y_;
        return ++made_, true;
      case 1:  // end of bitmap
        ended_ = true;
        return ++made_, true;
      case 2:  // a delta: so many pixels on, so many rows on
        if (at_ + 2 > stream_.size()) return false;
        x_ = std::min(width_, x_ + stream_[at_]);
        y_ = std::min(height_, y_ + stream_[at_ + 1]);
        at_ += 2;
        if (y_ > made_) return ++made_, true;
        break;
      default:
        if (!Literal(row, value)) return false;
    }
  }
  // The stream ended unannounced: whole only if it had reached the last pixel.
  if (made_ != height_ - 1 || x_ < width_) return false;
  ended_ = true;
  return ++made_, true;
}

// count pixels of one index (8 bits) or of two alternating indices (4 bits).
void RunLengthRows::Run(std::uint32_t* row, int count, std::uint8_t value) {
  const int end = std::min(width_, x_ + count);
  for (int x = x_, i = 0; x < end; ++x, ++i)
    row[x] = palette_[fourBits_ ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value];
  x_ = end;
}

// count indices as they stand, padded to a whole 16-bit word.
bool RunLengthRows::Literal(std::uint32_t* row, int count) {
  const std::size_t bytes = fourBits_ ? (static_cast<std::size_t>(count) + 1) / 2 : static_cast<std::size_t>(count);
  if (at_ + bytes > stream_.size()) return false;
  const std::uint8_t* data = stream_.data() + at_;
  const int end = std::min(width_, x_ + count);
  for (int x = x_, i = 0; x < end; ++x, ++i)
    row[x] = palette_[fourBits_ ? (data[i / 2] >> (i % 2 == 0 ? 4 : 0) & 0xF) : data[i]];
  x_ = end;
  at_ = std::min(stream_.size(), at_ + (bytes + 1) / 2 * 2);
  return true;
}

}  // namespace lumiroll
