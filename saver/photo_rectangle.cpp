#include "saver/photo_rectangle.h"

#include <cmath>
#include <limits>

#include "platform/picture_geometry.h"
#include "shared/text_forms.h"

namespace lumiroll {
namespace {

std::optional<std::int32_t> WholeNumber(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::optional<PhotoRectangle> PlacePhoto(int destinationWidth, int destinationHeight, int sourceWidth, int sourceHeight,
                                         float scale) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return std::nullopt;
  if (scale == kFitScale) scale = FitScale({sourceWidth, sourceHeight}, {destinationWidth, destinationHeight});
  const double scaledWidth = sourceWidth * static_cast<double>(scale);
  const double scaledHeight = sourceHeight * static_cast<double>(scale);
  const auto left = WholeNumber((destinationWidth - scaledWidth) / 2);
  const auto top = WholeNumber((destinationHeight - scaledHeight) / 2);
  const auto width = WholeNumber(DrawnSide(scaledWidth));
  const auto height = WholeNumber(DrawnSide(scaledHeight));
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  return PhotoRectangle{*left, *top, *width, *height};
}

}  // namespace lumiroll
