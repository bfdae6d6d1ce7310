#pragma once
// A picture made ready for a fitting paint: placed on a frame of the surface's size, black around
// it (copied when the decoder kept it at its fitted size, enlarged when it is smaller), so that
// painting it at its due time is a plain copy.
#include <optional>

#include "platform/picture.h"

namespace lumiroll {

// The frame PaintPhoto would draw for the picture fitted onto a black surface of width x height;
// nothing when the fitted picture leaves nothing to draw or the frame cannot be held.
[[nodiscard]] std::optional<Picture> FittedFrame(const Picture& picture, int width, int height);

}  // namespace lumiroll
