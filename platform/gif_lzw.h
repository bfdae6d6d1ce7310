#pragma once
// The LZW coding of a GIF image's pixels, decoded by our own code so that a minimum code size
// above the 8 the format defines (up to 11, which browsers show) decodes too. No Windows here.
#include <array>
#include <cstdint>
#include <span>

namespace lumiroll {

inline constexpr int kGifLzwMinCodeSize = 1, kGifLzwMaxCodeSize = 11;

// Pixel indices out of an image's data sub-blocks (the bytes after its minimum code size byte),
// in the order they are stored. Hostile data costs at most its own length: codes are at most 12
// bits, a string at most the 4096 entries of the table, and a full table waits for a clear code
// (the deferred clear) without growing.
class GifLzwDecoder {
 public:
  // codeSize outside kGifLzwMinCodeSize..kGifLzwMaxCodeSize makes every Fill fail.
  GifLzwDecoder(int codeSize, std::span<const std::uint8_t> blocks);

  // Fills out with the next indices; false when the data ends (its end code, its last sub-block or
  // the file) or holds a code no string has before out is full.
  [[nodiscard]] bool Fill(std::span<std::uint16_t> out);

 private:
  static constexpr int kMaxCodeBits = 12;
  static constexpr int kTableSize = 1 << kMaxCodeBits;

  [[nodiscard]] int NextCode();       // -1 when the data ends
  [[nodiscard]] bool DecodeString();  // the next code's string into pending_
  void Reset();

  std::span<const std::uint8_t> blocks_;
  std::size_t blockLeft_ = 0;  // bytes left in the current sub-block
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;

  int codeSize_;
  int clear_, end_;
  int width_ = 0, next_ = 0, previous_ = -1;
  std::array<std::uint16_t, kTableSize> prefix_{}, suffix_{}, length_{};
  std::array<std::uint16_t, kTableSize> pending_{};  // the current string, what is not given yet
  int pendingAt_ = 0, pendingEnd_ = 0;
  bool broken_ = false;
};

}  // namespace lumiroll
