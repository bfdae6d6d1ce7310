#include "platform/gif_lzw.h"

#include <algorithm>

namespace lumiroll {

GifLzwDecoder::GifLzwDecoder(int codeSize, std::span<const std::uint8_t> blocks)
    : blocks_(blocks), codeSize_(codeSize), clear_(1 << std::clamp(codeSize, 0, kGifLzwMaxCodeSize)), end_(clear_ + 1),
      broken_(codeSize < kGifLzwMinCodeSize || codeSize > kGifLzwMaxCodeSize) {
  for (int i = 0; i < clear_; ++i) {
    suffix_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i);
    length_[static_cast<std::size_t>(i)] = 1;
  }
  Reset();
}

void GifLzwDecoder::Reset() {
  width_ = codeSize_ + 1;
  next_ = clear_ + 2;
  previous_ = -1;
}

int GifLzwDecoder::NextCode() {
  while (bitCount_ < width_) {
    if (blockLeft_ == 0) {
      if (blocks_.empty() || blocks_[0] == 0) return -1;  // the terminator, or the file, ends the data
      blockLeft_ = blocks_[0];
      blocks_ = blocks_.subspan(1);
    }
    if (blocks_.empty()) return -1;
    bits_ |= std::uint32_t{blocks_[0]} << bitCount_;
    bitCount_ += 8;
    blocks_ = blocks_.subspan(1);
    --blockLeft_;
  }
  const int code = static_cast<int>(bits_ & ((1u << width_) - 1));
  bits_ >>= width_;
  bitCount_ -= width_;
  return code;
}

bool GifLzwDecoder::DecodeString() {
  int code = NextCode();
  while (code == clear_) {
    Reset();
    code = NextCode();
  }
  if (code < 0 || code == end_) return false;
  // A code may name the entry about to be made: the previous string and its own first index.
  const bool known = code < next_ && (code < clear_ || code > end_);
  if (!known && (code != next_ || previous_ < 0 || next_ >= kTableSize)) return false;
  const int named = known ? code : previous_;
  const int length = length_[static_cast<std::size_t>(named)];
  int at = length;
  for (int c = named; at > 0; c = prefix_[static_cast<std::size_t>(c)])
    pending_[static_cast<std::size_t>(--at)] = suffix_[static_cast<std::size_t>(c)];
  pendingAt_ = 0;
  pendingEnd_ = length;
  if (!known) pending_[static_cast<std::size_t>(pendingEnd_++)] = pending_[0];
  if (previous_ >= 0 && next_ < kTableSize) {
    const auto entry = static_cast<std::size_t>(next_++);
    prefix_[entry] = static_cast<std::uint16_t>(previous_);
    suffix_[entry] = pending_[0];
    length_[entry] = static_cast<std::uint16_t>(length_[static_cast<std::size_t>(previous_)] + 1);
    if (next_ == 1 << width_ && width_ < kMaxCodeBits) ++width_;
  }
  previous_ = code;
  return true;
}

bool GifLzwDecoder::Fill(std::span<std::uint16_t> out) {
  std::size_t filled = 0;
  while (filled < out.size()) {
    if (pendingAt_ == pendingEnd_ && (broken_ || !DecodeString())) {
      broken_ = true;  // nothing after a bad code or the end is believed
      return false;
    }
    const auto count = std::min<std::size_t>(out.size() - filled, static_cast<std::size_t>(pendingEnd_ - pendingAt_));
    std::copy_n(pending_.begin() + pendingAt_, count, out.begin() + static_cast<std::ptrdiff_t>(filled));
    pendingAt_ += static_cast<int>(count);
    filled += count;
  }
  return true;
}

}  // namespace lumiroll
