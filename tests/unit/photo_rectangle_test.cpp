#include "saver/photo_rectangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lumiroll {
namespace {

TEST(PlacePhoto, CentresFittedAndScaledPictures) {
  const struct {
    int destinationWidth, destinationHeight, sourceWidth, sourceHeight;
    float scale;
    PhotoRectangle expected;
  } rows[] = {
      {1024, 768, 800, 600, 0.0f, {0, 0, 1024, 768}},        // hr = wr: the width ratio
      {1024, 768, 600, 800, 0.0f, {224, 0, 576, 768}},       // portrait: bands left and right
      {1024, 768, 100, 50, 0.0f, {0, 128, 1024, 512}},       // a small picture is enlarged
      {1024, 768, 1280, 960, 1.0f, {-128, -96, 1280, 960}},  // larger: cut off on both sides
      {1024, 768, 803, 601, 1.0f, {110, 84, 803, 601}},      // 110.5 -> 110, 83.5 -> 84
      {1024, 768, 400, 300, 1.0f, {312, 234, 400, 300}},
      {1024, 768, 301, 3, 0.5f, {437, 383, 151, 2}},  // 150.5 and 1.5 round up
      {1024, 768, 1, 1, 0.0f, {128, 0, 768, 768}},
      {200, 100, 4000, 3000, 0.0f, {33, 0, 134, 100}},                  // 133.33 rounds up, 100.000004 does not
      {1024, 768, 40000, 30000, 1.0f, {-19488, -14616, 40000, 30000}},  // beyond 16 bits, still centred
  };
  for (const auto& r : rows) {
    const auto placed = PlacePhoto(r.destinationWidth, r.destinationHeight, r.sourceWidth, r.sourceHeight, r.scale);
    ASSERT_TRUE(placed) << r.sourceWidth << "x" << r.sourceHeight;
    EXPECT_EQ(*placed, r.expected) << r.sourceWidth << "x" << r.sourceHeight << " scale " << r.scale << ": "
                                   << placed->left << "," << placed->top << "," << placed->width << ","
                                   << placed->height;
  }
}

TEST(PlacePhoto, SizesRoundUpUnlessTheFractionIsTiny) {
  // 150.00005 -> 150, 151.5 -> 152, 150 -> 150 (the 0.4999 offset)
  EXPECT_EQ(PlacePhoto(1000, 1000, 3000000, 3000000, 0.00005000001f)->width, 150);
  EXPECT_EQ(PlacePhoto(1000, 1000, 303, 100, 0.5f)->width, 152);
  EXPECT_EQ(PlacePhoto(1000, 1000, 300, 100, 0.5f)->width, 150);
}

TEST(PlacePhoto, NothingToDrawInsteadOfFailing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float huge = std::numeric_limits<float>::max();
  const struct {
    int destinationWidth, destinationHeight, sourceWidth, sourceHeight;
    float scale;
  } rows[] = {
      {1024, 768, 0, 600, 0.0f},   {1024, 768, 800, 0, 0.0f},
      {1024, 768, 0, 0, 1.0f},     {1024, 768, -5, 600, 1.0f},
      {0, 0, 800, 600, 0.0f},      {1024, 768, 800, 600, -1.0f},
      {1024, 768, 800, 600, nan},  {1024, 768, 800, 600, huge},
      {1024, 768, 2, 2, 0.00001f}, {1024, 768, 2147483647, 2147483647, 2.0f},
  };
  for (const auto& r : rows)
    EXPECT_FALSE(PlacePhoto(r.destinationWidth, r.destinationHeight, r.sourceWidth, r.sourceHeight, r.scale))
        << r.sourceWidth << "x" << r.sourceHeight << " on " << r.destinationWidth << "x" << r.destinationHeight
        << " scale " << r.scale;
}

}  // namespace
}  // namespace lumiroll
