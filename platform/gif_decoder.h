#pragma once
// GIF by our own code from the format's definition: the first image on the logical screen the
// file describes. No Windows here, so the fuzzing harness runs it natively.
#include <cstdint>
#include <optional>
#include <span>

#include "platform/picture.h"

namespace lumiroll {

// The first image composited onto the logical screen (grown where the image claims more): the
// screen around it, its transparent pixels and indices past its colour table are black, and an
// image with no colour table at all takes a grey ramp from black to white. Only the part the draw
// bound shows is kept, reduced as its rows are read. Nothing for an absurd declared size, or data
// that ends or goes wrong before the last row the bound needs.
[[nodiscard]] std::optional<Picture> DecodeGif(std::span<const std::uint8_t> bytes, DrawBound bound);

}  // namespace lumiroll
