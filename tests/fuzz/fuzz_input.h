#pragma once
// Takes small numbers from the front of a fuzzer's input; what is left is the file.
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumiroll::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}
  // A number in [low, high], from two bytes (0 bytes left: low).
  int Between(int low, int high) {
    std::uint32_t raw = 0;
    for (int i = 0; i < 2 && !rest_.empty(); ++i) raw = raw << 8 | rest_.front(), rest_ = rest_.subspan(1);
    return low + static_cast<int>(raw % static_cast<std::uint32_t>(high - low + 1));
  }
  [[nodiscard]] std::span<const std::uint8_t> rest() const { return rest_; }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace lumiroll::fuzz
