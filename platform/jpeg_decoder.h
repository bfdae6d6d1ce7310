#pragma once
// JPEG with libjpeg-turbo, reduced while it decodes to what the draw bound can show.
#include <cstdint>
#include <optional>
#include <span>

#include "platform/picture.h"

namespace lumiroll {

// Nothing for a damaged, truncated or absurdly large file.
[[nodiscard]] std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, DrawBound bound);

}  // namespace lumiroll
