#include "saver/fitted_frame.h"

#include <cstddef>
#include <new>

#include "platform/stretch_pixels.h"
#include "saver/photo_rectangle.h"

namespace lumiroll {

std::optional<Picture> FittedFrame(const Picture& picture, int width, int height) {
  const auto rectangle = PlacePhoto(width, height, picture.width, picture.height, kFitScale);
  const std::size_t kept = static_cast<std::size_t>(picture.pixelWidth > 0 ? picture.pixelWidth : 0) *
                           static_cast<std::size_t>(picture.pixelHeight > 0 ? picture.pixelHeight : 0);
  if (!rectangle || kept == 0 || picture.pixels.size() < kept) return std::nullopt;
  Picture frame;
  frame.width = frame.pixelWidth = width;
  frame.height = frame.pixelHeight = height;
  try {
    frame.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  StretchPixels({picture.pixels, picture.pixelWidth, picture.pixelHeight}, {frame.pixels, width, height},
                {rectangle->left, rectangle->top, rectangle->width, rectangle->height});
  return frame;
}

}  // namespace lumiroll
