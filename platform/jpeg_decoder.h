#pragma once
// JPEG with libjpeg-turbo, reduced while it decodes to what the draw bound can show, in the
// display's colours.
#include <cstdint>
#include <optional>
#include <span>

#include "platform/display_profile.h"
#include "platform/picture.h"

namespace lumiroll {

// Nothing for a damaged, truncated or absurdly large file.
[[nodiscard]] std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, DrawBound bound,
                                                const DisplayProfile& display = {});

}  // namespace lumiroll
