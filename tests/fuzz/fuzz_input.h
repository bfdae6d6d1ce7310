#pragma once
// Takes small numbers from the front of a fuzzer's input; what is left is the file.
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumiroll::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}
  // A number in [low, high], from two bytes, or four when the range needs more than two can
  // reach (0 bytes left: low).
  int Between(int low, int high) {
    const auto range = static_cast<std::uint32_t>(high - low) + 1;
    const int bytes = range > 0x10000 ? 4 : 2;
    std::uint32_t raw = 0;
    for (int i = 0; i < bytes && !rest_.empty(); ++i) raw = raw << 8 | rest_.front(), rest_ = rest_.subspan(1);
    return low + static_cast<int>(raw % range);
  }
  [[nodiscard]] std::span<const std::uint8_t> rest() const { return rest_; }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace lumiroll::fuzz
