#include "saver/photo_rectangle.h"

#include <cmath>
#include <limits>

#include "shared/text_forms.h"

namespace lumiroll {
namespace {

// The ratio that makes the picture touch the destination in one direction and fit in the other;
// on a tie the width ratio. Kept in single precision, as the scale is.
float FitScale(double destinationWidth, double destinationHeight, double sourceWidth, double sourceHeight) {
  const double hr = destinationHeight / sourceHeight;
  const double wr = destinationWidth / sourceWidth;
  return static_cast<float>(hr < wr ? hr : wr);
}

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
  if (scale == 0.0f) scale = FitScale(destinationWidth, destinationHeight, sourceWidth, sourceHeight);
  const double scaledWidth = sourceWidth * static_cast<double>(scale);
  const double scaledHeight = sourceHeight * static_cast<double>(scale);
  const auto left = WholeNumber((destinationWidth - scaledWidth) / 2);
  const auto top = WholeNumber((destinationHeight - scaledHeight) / 2);
  // The added 0.4999 rounds a size up unless its fraction is tiny.
  const auto width = WholeNumber(scaledWidth + 0.4999);
  const auto height = WholeNumber(scaledHeight + 0.4999);
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
  return PhotoRectangle{*left, *top, *width, *height};
}

}  // namespace lumiroll
