// The colour-profile path on hostile bytes: the EXIF Adobe RGB mark, the APP2 pieces of an
// embedded profile, and profiles handed to LittleCMS as a picture's or as the display's, with the
// transform run on a few pixels. The first two bytes choose which; the rest is the data.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/colour_transform.h"
#include "platform/exif_colour_space.h"
#include "platform/icc_profile.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using namespace lumiroll;

// Splits the data into APP2 segments, each led by one length byte.
std::vector<std::span<const std::uint8_t>> Segments(std::span<const std::uint8_t> data) {
  std::vector<std::span<const std::uint8_t>> segments;
  while (!data.empty()) {
    const std::size_t length = std::min<std::size_t>(data[0], data.size() - 1);
    segments.push_back(data.subspan(1, length));
    data = data.subspan(1 + length);
  }
  return segments;
}

void Convert(std::span<const std::uint8_t> profile, PixelLayout layout, const DisplayProfile& display = {}) {
  const auto transform = TransformToDisplay(profile, layout, display);
  if (!transform) return;
  std::vector<std::uint32_t> pixels = {0x000000, 0xFFFFFFFF, 0x00FF0000, 0x0000FF00, 0x000000FF, 0x12345678};
  transform->Apply(pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const int job = input.Between(0, 3);
  const auto rest = input.rest();
  switch (job) {
    case 0: (void)ExifSaysAdobeRgb(rest); break;
    case 1:
      if (const auto profile = AssembleIccProfile(Segments(rest))) {
        if (profile->empty() || profile->size() > kMaxIccProfileBytes) std::abort();
        (void)IccProfileColourSpace(*profile);
      }
      break;
    case 2: {
      const PixelLayout layouts[] = {PixelLayout::kBgrx, PixelLayout::kGreyInBgrx, PixelLayout::kCmyk,
                                     PixelLayout::kCmykInverted};
      Convert(rest, layouts[size % 4]);
      break;
    }
    case 3: {
      // As the display's profile, then a picture's conversion to it.
      const DisplayProfile display = DisplayProfile::FromBytes({rest.begin(), rest.end()});
      if (!display.IsSrgb()) Convert(AdobeRgbProfile(), PixelLayout::kBgrx, display);
      break;
    }
  }
  return 0;
}
