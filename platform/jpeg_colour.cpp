#include "platform/jpeg_colour.h"

#include <span>
#include <vector>

#include "platform/exif_colour_space.h"
#include "platform/icc_profile.h"

namespace lumiroll {
namespace {

std::vector<std::span<const std::uint8_t>> MarkersOf(const jpeg_decompress_struct& info, int marker) {
  std::vector<std::span<const std::uint8_t>> found;
  for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
    if (m->marker == marker) found.emplace_back(m->data, m->data_length);
  return found;
}

std::optional<PixelLayout> LayoutFor(const jpeg_decompress_struct& info, IccColourSpace profileSpace) {
  switch (info.jpeg_color_space) {
    case JCS_CMYK:
    case JCS_YCCK:
      if (profileSpace != IccColourSpace::kCmyk) return std::nullopt;
      return info.saw_Adobe_marker ? PixelLayout::kCmykInverted : PixelLayout::kCmyk;
    case JCS_GRAYSCALE:
      // The decoder hands out grey as three equal channels, which an RGB profile reads as well.
      if (profileSpace == IccColourSpace::kGrey) return PixelLayout::kGreyInBgrx;
      [[fallthrough]];
    default:
      if (profileSpace != IccColourSpace::kRgb) return std::nullopt;
      return PixelLayout::kBgrx;
  }
}

bool DeclaresAdobeRgb(const jpeg_decompress_struct& info) {
  for (const auto& app1 : MarkersOf(info, JPEG_APP0 + 1))
    if (ExifSaysAdobeRgb(app1)) return true;
  return false;
}

}  // namespace

void SaveColourMarkers(jpeg_decompress_struct& info) {
  jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF);
}

std::shared_ptr<const ColourTransform> JpegColourTransform(const jpeg_decompress_struct& info,
                                                           const DisplayProfile& display) {
  const auto app2 = MarkersOf(info, JPEG_APP0 + 2);
  if (const auto profile = AssembleIccProfile(app2)) {
    const auto space = IccProfileColourSpace(*profile);
    const auto layout = space ? LayoutFor(info, *space) : std::nullopt;
    return layout ? TransformToDisplay(*profile, *layout, display) : nullptr;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (!cmyk && DeclaresAdobeRgb(info)) return TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, display);
  return nullptr;
}

}  // namespace lumiroll
