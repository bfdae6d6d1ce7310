#pragma once
// The colours pictures are converted to: the ICC profile of the display that will show them.
// Shared and never changed, so that a decode request carries it cheaply and a transform is found
// by it; requests for two displays are two requests, and their pictures two pictures.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lumiroll {

class DisplayProfile {
 public:
  DisplayProfile() = default;  // sRGB

  // A display's profile from its bytes; sRGB when they are empty or no display could have them
  // (too large, damaged, not RGB, refused by LittleCMS).
  [[nodiscard]] static DisplayProfile FromBytes(std::vector<std::uint8_t> bytes);

  [[nodiscard]] bool IsSrgb() const { return bytes_ == nullptr; }
  // Empty for sRGB.
  [[nodiscard]] std::span<const std::uint8_t> bytes() const {
    return bytes_ ? std::span<const std::uint8_t>(*bytes_) : std::span<const std::uint8_t>();
  }

  // The same profile: the same bytes (the hash rules most pairs out at once).
  friend bool operator==(const DisplayProfile& a, const DisplayProfile& b);

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;  // null: sRGB
  std::uint64_t hash_ = 0;
};

}  // namespace lumiroll
