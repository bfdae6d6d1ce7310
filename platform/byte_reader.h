#pragma once
// Whole numbers out of a file's bytes, little- or big-endian, never reading past the end: the one
// reader every format's parser uses, since every file may lie about where its parts are. No
// Windows here.
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumiroll {

enum class ByteOrder { kLittleEndian, kBigEndian };

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, ByteOrder order = ByteOrder::kLittleEndian)
      : bytes_(bytes), order_(order) {}

  void SetOrder(ByteOrder order) { order_ = order; }
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }

  // Whether count bytes from at lie inside, however large either is.
  [[nodiscard]] bool Holds(std::size_t at, std::size_t count) const {
    return at <= bytes_.size() && count <= bytes_.size() - at;
  }

  // The value of the sizeof(T) bytes at at (a signed T from its two's complement); 0 when they
  // do not all lie inside.
  template <std::integral T>
  [[nodiscard]] T At(std::size_t at) const {
    if (!Holds(at, sizeof(T))) return 0;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      const std::size_t byte = order_ == ByteOrder::kLittleEndian ? i : sizeof(T) - 1 - i;
      value |= std::uint64_t{bytes_[at + byte]} << (8 * i);
    }
    return static_cast<T>(value);
  }

  // The count bytes from at; empty when they do not all lie inside.
  [[nodiscard]] std::span<const std::uint8_t> Bytes(std::size_t at, std::size_t count) const {
    return Holds(at, count) ? bytes_.subspan(at, count) : std::span<const std::uint8_t>{};
  }

 private:
  std::span<const std::uint8_t> bytes_;
  ByteOrder order_;
};

// A ByteReader read in order: each read moves past what it read. A read past the end gives 0 (or
// nothing) and marks the cursor failed for good, so a parser checks once, after its reads.
class ByteCursor {
 public:
  explicit ByteCursor(std::span<const std::uint8_t> bytes, ByteOrder order = ByteOrder::kLittleEndian)
      : reader_(bytes, order) {}

  [[nodiscard]] bool failed() const { return failed_; }
  [[nodiscard]] std::size_t position() const { return at_; }
  [[nodiscard]] bool AtEnd() const { return at_ >= reader_.size(); }

  template <std::integral T>
  T Next() {
    const T value = reader_.At<T>(at_);
    Advance(sizeof(T));
    return value;
  }
  std::span<const std::uint8_t> Take(std::size_t count) {
    const auto taken = reader_.Bytes(at_, count);
    Advance(count);
    return taken;
  }
  void Skip(std::size_t count) { Advance(count); }

 private:
  void Advance(std::size_t count) {
    if (failed_ || !reader_.Holds(at_, count)) {
      failed_ = true;
      at_ = reader_.size();
    } else {
      at_ += count;
    }
  }

  ByteReader reader_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

}  // namespace lumiroll
