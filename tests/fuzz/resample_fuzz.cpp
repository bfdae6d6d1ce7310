// The resamplers and the placement arithmetic with any sizes, scales and rectangles the program can
// produce: PlacePhoto's rectangle, the kept part of a picture, its reduction and its stretch.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/cubic_reduction.h"
#include "platform/picture_region.h"
#include "platform/stretch_pixels.h"
#include "saver/photo_rectangle.h"
#include "tests/fuzz/fuzz_input.h"

namespace lumiroll {
namespace {

std::vector<std::uint32_t> Pattern(PixelSize size) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
  return pixels;
}

template <typename Reducer>
void Reduce(PixelSize source, PixelSize target) {
  const std::vector<std::uint32_t> pixels = Pattern(source);
  Reducer reducer(source, target);
  for (int y = 0; y < source.height; ++y) reducer.AddRow(pixels.data() + static_cast<std::size_t>(y) * source.width);
  if (reducer.TakePixels().size() != static_cast<std::size_t>(target.width) * target.height) std::abort();
}

void Run(fuzz::FuzzInput& in) {
  const PixelSize own{in.Between(1, 65535), in.Between(1, 65535)};
  const DrawBound bound{in.Between(1, 160), in.Between(1, 120), static_cast<float>(in.Between(0, 65535)) / 1000.0f};
  const int orientation = in.Between(1, 8);
  // The part read of the stored picture must lie in it.
  const StoredPlan plan = PlanStoredPart(own, orientation, bound);
  const PictureRegion s = plan.stored;
  if (s.left < 0 || s.top < 0 || s.width < 1 || s.height < 1 || s.left + s.width > own.width ||
      s.top + s.height > own.height)
    std::abort();
  // Reduce and stretch a small picture (the fuzzer's sizes, kept small enough to be quick).
  const PixelSize source{1 + own.width % 96, 1 + own.height % 96};
  const PixelSize target{1 + bound.width % source.width, 1 + bound.height % source.height};
  Reduce<AreaReducer>(source, target);
  Reduce<CubicReducer>(source, target);
  const std::vector<std::uint32_t> pixels = Pattern(source);
  std::vector<std::uint32_t> screen(static_cast<std::size_t>(bound.width) * bound.height);
  if (const auto place = PlacePhoto(bound.width, bound.height, source.width, source.height, bound.scale))
    StretchPixels({pixels, source.width, source.height}, {screen, bound.width, bound.height},
                  {place->left, place->top, place->width, place->height});
  const StretchRectangle any{in.Between(-70000, 70000), in.Between(-70000, 70000), in.Between(-10, 70000),
                             in.Between(-10, 70000)};
  StretchPixels({pixels, source.width, source.height}, {screen, bound.width, bound.height}, any);
}

}  // namespace
}  // namespace lumiroll

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumiroll::fuzz::FuzzInput input(data, size);
  lumiroll::Run(input);
  return 0;
}
