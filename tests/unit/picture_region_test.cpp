// The part of a picture kept for a draw bound, and its place in a JPEG's stored pixels for every
// EXIF orientation.
#include "platform/picture_region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace lumiroll {
namespace {

bool Contains(PictureRegion outer, PictureRegion inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

TEST(PictureRegion, AtAScaleOnlyTheCentredVisiblePartIsKept) {
  struct Case {
    const char* name;
    PixelSize own;
    DrawBound bound;
    KeptPart kept;
  };
  const Case cases[] = {
      // 1920 visible of 16000 around 8000, five pixels' margin a side (four, plus one for rounding).
      {"actual size", {16000, 12000}, {1920, 1080, 1.0f}, {{7035, 5455, 1930, 1090}, {1930, 1090}}},
      {"odd sides", {16001, 12001}, {1920, 1080, 1.0f}, {{7035, 5455, 1931, 1091}, {1931, 1091}}},
      {"smaller than the screen", {800, 600}, {1920, 1080, 1.0f}, {{0, 0, 800, 600}, {800, 600}}},
      {"one side larger", {65500, 300}, {1920, 1080, 1.0f}, {{31785, 0, 1930, 300}, {1930, 300}}},
      {"enlarged: never more pixels", {16000, 12000}, {1920, 1080, 2.0f}, {{7515, 5725, 970, 550}, {970, 550}}},
      // A preview 320 wide for a 1600-wide screen: 1600 x 900 own pixels seen, at a fifth.
      {"preview scale", {16000, 12000}, {320, 180, 0.2f}, {{7179, 5529, 1642, 942}, {329, 189}}},
      {"fitted: the whole, reduced", {6000, 4000}, {1920, 1080}, {{0, 0, 6000, 4000}, {1620, 1080}}},
      {"no bound: the whole", {6000, 4000}, {0, 0, 1.0f}, {{0, 0, 6000, 4000}, {6000, 4000}}},
      {"a one-pixel picture", {1, 1}, {1920, 1080, 0.05f}, {{0, 0, 1, 1}, {1, 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(KeptPartFor(c.own, c.bound), c.kept) << c.name;
}

// A picture whose every pixel is its own position, so that moved pixels show where they came from.
std::vector<std::uint32_t> Numbered(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i);
  return pixels;
}

std::vector<std::uint32_t> Cut(const std::vector<std::uint32_t>& pixels, int width, PictureRegion r) {
  std::vector<std::uint32_t> cut;
  for (int y = r.top; y < r.top + r.height; ++y)
    for (int x = r.left; x < r.left + r.width; ++x) cut.push_back(pixels[static_cast<std::size_t>(y) * width + x]);
  return cut;
}

// Cutting the stored region and turning it upright must give exactly what cutting the upright
// picture gives: the decoder relies on that to orient only what it keeps.
TEST(PictureRegion, TheStoredRegionHoldsTheUprightRegionForEveryOrientation) {
  const PixelSize stored{7, 5};
  const std::vector<std::uint32_t> pixels = Numbered(stored.width, stored.height);
  const PictureRegion uprightRegions[] = {{1, 2, 3, 2}, {0, 0, 1, 1}, {2, 1, 2, 3}};
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const bool swaps = OrientationSwapsSides(orientation);
    const PixelSize upright = swaps ? PixelSize{stored.height, stored.width} : stored;
    const auto whole = OrientPixels(pixels, stored.width, stored.height, orientation);
    for (const PictureRegion& r : uprightRegions) {
      const PictureRegion s = StoredRegion(r, upright, orientation);
      ASSERT_TRUE(Contains({0, 0, stored.width, stored.height}, s)) << orientation;
      const auto cut = Cut(pixels, stored.width, s);
      EXPECT_EQ(OrientPixels(cut, s.width, s.height, orientation), Cut(whole, upright.width, r))
          << "orientation " << orientation << " region " << r.left << "," << r.top;
      EXPECT_EQ(UprightRegion(s, stored, orientation), r) << "orientation " << orientation;
    }
  }
}

// Where a stored region shows once the picture is turned upright, worked out here from where its
// first and last pixels go (EXIF orientations: 2 mirrored, 3 turned half round, 6 turned a quarter
// clockwise to show, 8 a quarter anticlockwise, 5 and 7 those mirrored).
PictureRegion TurnedUpright(const PictureRegion& r, PixelSize stored, int orientation) {
  const auto place = [&](int x, int y) -> std::pair<int, int> {
    const int w = stored.width, h = stored.height;
    switch (orientation) {
      case 2: return {w - 1 - x, y};
      case 3: return {w - 1 - x, h - 1 - y};
      case 4: return {x, h - 1 - y};
      case 5: return {y, x};
      case 6: return {h - 1 - y, x};
      case 7: return {h - 1 - y, w - 1 - x};
      case 8: return {y, w - 1 - x};
      default: return {x, y};
    }
  };
  const auto [x0, y0] = place(r.left, r.top);
  const auto [x1, y1] = place(r.left + r.width - 1, r.top + r.height - 1);
  return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

TEST(PictureRegion, TheDecodedRegionLiesOnWholeBlocksAndCoversWhatIsSeen) {
  const PixelSize storedSizes[] = {{16000, 12000}, {12003, 9001}, {65500, 8196}, {100, 60}};
  const DrawBound bounds[] = {{1920, 1080, 1.0f}, {320, 180, 0.2f}, {1920, 1080, 0.0f}, {1366, 768, 3.0f}};
  for (const PixelSize stored : storedSizes)
    for (const DrawBound bound : bounds)
      for (int orientation = 1; orientation <= 8; ++orientation) {
        const StoredPlan plan = PlanStoredPart(stored, orientation, bound);
        const PixelSize own = OrientationSwapsSides(orientation) ? PixelSize{stored.height, stored.width} : stored;
        const PictureRegion s = plan.stored;
        const auto onBlock = [](int edge, int side) { return edge % 8 == 0 || edge == side; };
        EXPECT_TRUE(onBlock(s.left, stored.width) && onBlock(s.top, stored.height) &&
                    onBlock(s.left + s.width, stored.width) && onBlock(s.top + s.height, stored.height))
            << stored.width << " orientation " << orientation;
        EXPECT_TRUE(Contains(plan.upright.region, KeptPartFor(own, bound).region)) << orientation;
        EXPECT_TRUE(Contains({0, 0, own.width, own.height}, plan.upright.region)) << orientation;
        EXPECT_EQ(plan.upright.region, TurnedUpright(s, stored, orientation)) << orientation;
        EXPECT_LE(plan.upright.pixels.width, plan.upright.region.width);
        EXPECT_LE(std::int64_t{plan.upright.pixels.width} * plan.upright.pixels.height, std::int64_t{4000} * 2000)
            << "kept pixels follow the screen, not the picture";
      }
}

}  // namespace
}  // namespace lumiroll
