#include "saver/fitted_frame.h"

#include <gtest/gtest.h>

#include "platform/picture_geometry.h"
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
    EXPECT_EQ(PlacePhoto(1024, 768, frame->width, frame->height, kFitScale), (PhotoRectangle{0, 0, 1024, 768}));
  }
}

// What a decoder keeps of a picture larger than the screen is the size its frame draws, so the
// frame is the kept pixels copied, never stretched by a pixel.
TEST(FittedFrame, APictureKeptForTheScreenIsCopiedIntoItsFrame) {
  const int sides[] = {1, 2, 3, 5, 99, 333, 768, 1079, 1080, 1081, 1621, 1920, 1921, 3000, 3333, 4000, 5000, 65535};
  const PixelSize screens[] = {{1920, 1080}, {1024, 768}, {152, 113}, {1366, 768}, {3840, 2160}, {1, 1}};
  for (const PixelSize screen : screens)
    for (const int w : sides)
      for (const int h : sides) {
        if (w <= screen.width && h <= screen.height) continue;  // kept whole and enlarged when painted
        const PixelSize kept = KeptSize({w, h}, {screen.width, screen.height});
        const auto drawn = PlacePhoto(screen.width, screen.height, w, h, kFitScale);
        if (!drawn) continue;  // a side drawn 0 pixels wide: nothing to copy
        EXPECT_EQ(kept, (PixelSize{drawn->width, drawn->height}))
            << w << " x " << h << " on " << screen.width << " x " << screen.height;
      }
}

TEST(FittedFrame, TheKeptPixelsArriveUnchanged) {
  // 5000 x 3333 on 1920 x 1080 is drawn 1621 x 1080 at left 150 (149.84 rounds up).
  Picture picture = Solid(1621, 1080, 0);
  picture.width = 5000;
  picture.height = 3333;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    picture.pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  const auto frame = FittedFrame(picture, 1920, 1080);
  ASSERT_TRUE(frame);
  for (const auto [x, y] : {std::pair{0, 0}, {1620, 0}, {0, 1079}, {1620, 1079}, {777, 555}})
    EXPECT_EQ(At(*frame, 150 + x, y), picture.pixels[static_cast<std::size_t>(y) * 1621 + x]) << x << "," << y;
  EXPECT_EQ(At(*frame, 149, 500), 0u);
  EXPECT_EQ(At(*frame, 150 + 1621, 500), 0u);
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
