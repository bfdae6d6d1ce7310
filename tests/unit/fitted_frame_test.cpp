#include "saver/fitted_frame.h"

#include <gtest/gtest.h>

#include "saver/photo_rectangle.h"
#include "tests/shared/solid_picture.h"

namespace lumiroll {
namespace {

constexpr std::uint32_t kMagenta = 0xD040D0;

using test::Solid;

std::uint32_t At(const Picture& frame, int x, int y) {
  return frame.pixels[static_cast<std::size_t>(y) * frame.pixelWidth + x];
}

TEST(FittedFrame, HoldsThePictureFittedAndCentredOnBlack) {
  const struct {
    const char* name;
    Picture picture;
    std::vector<std::pair<int, int>> inside, outside;
  } rows[] = {
      // 2.56 times: 1024 x 512 at top 128.
      {"wide, enlarged", Solid(400, 200, kMagenta), {{0, 128}, {1023, 639}, {512, 384}}, {{512, 127}, {512, 640}}},
      // Kept reduced by the loader: its own size counts for the placing, 400 x 300 wide at left 112.
      {"tall, reduced",
       [] {
         Picture p = Solid(100, 75, kMagenta);
         p.width = 4000;
         p.height = 3000;
         return p;
       }(),
       {{0, 0}, {1023, 767}},
       {}},
      {"tall", Solid(300, 600, kMagenta), {{320, 0}, {703, 767}}, {{318, 384}, {705, 384}}},
  };
  for (const auto& row : rows) {
    const auto frame = FittedFrame(row.picture, 1024, 768);
    ASSERT_TRUE(frame) << row.name;
    EXPECT_EQ(frame->width, 1024);
    EXPECT_EQ(frame->height, 768);
    ASSERT_EQ(frame->pixels.size(), 1024u * 768u);
    for (auto [x, y] : row.inside) EXPECT_EQ(At(*frame, x, y), kMagenta) << row.name << " " << x << "," << y;
    for (auto [x, y] : row.outside) EXPECT_EQ(At(*frame, x, y), 0u) << row.name << " " << x << "," << y;
    // Painted fitted at its due time the frame fills the surface one to one: a plain copy.
    EXPECT_EQ(PlacePhoto(1024, 768, frame->width, frame->height, 0.0f), (PhotoRectangle{0, 0, 1024, 768}));
  }
}

TEST(FittedFrame, NothingForAPictureWithoutPixelsToDraw) {
  Picture incomplete = Solid(10, 10, kMagenta);
  incomplete.pixels.resize(50);
  Picture empty;
  for (const Picture* p : {&incomplete, &empty}) EXPECT_FALSE(FittedFrame(*p, 1024, 768));
  EXPECT_FALSE(FittedFrame(Solid(10, 10, kMagenta), 0, 768));
}

}  // namespace
}  // namespace lumiroll
