#include "saver/win32/paint_photo.h"

#include "saver/photo_rectangle.h"

namespace lumiroll {

void PaintPhoto(const PictureBox& source, PictureSurface& destination, float scale) {
  PaintPhoto(source.picture(), destination, scale);
}

void PaintPhoto(const Picture* source, PictureSurface& destination, float scale) {
  destination.Clear();
  const auto rectangle =
      source ? PlacePhoto(destination.ScaleWidth(), destination.ScaleHeight(), source->width, source->height, scale)
             : std::nullopt;
  if (!rectangle) {
    destination.ShowNow();
    return;
  }
  destination.PaintPicture(*source, rectangle->left, rectangle->top, rectangle->width, rectangle->height);
}

}  // namespace lumiroll
