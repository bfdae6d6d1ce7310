// The JPEG decoder natively: what it keeps for a draw bound, and damaged files.
#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/unit/native_pictures.h"

namespace lumiroll {
namespace {

// Left half red, right half blue: a reduction that mixed them up or lost a side shows.
std::uint32_t Halves(int x, int width) { return x < width / 2 ? 0xC83232u : 0x3232C8u; }

bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 12) return false;
  return true;
}

TEST(JpegDecoder, KeepsTheOwnSizeAndTheColoursAtEveryBound) {
  const test::Bytes jpeg = test::EncodeJpeg(320, 200, [](int x, int) { return Halves(x, 320); });
  for (const DrawBound bound : {DrawBound{}, DrawBound{64, 64}, DrawBound{100, 50, 1.0f}}) {
    SCOPED_TRACE(testing::Message() << bound.width << " x " << bound.height << " at " << bound.scale);
    const auto picture = DecodeJpeg(jpeg, bound);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 200);
    ASSERT_EQ(picture->pixels.size(), std::size_t(picture->pixelWidth) * picture->pixelHeight);
    const PictureRegion covered = CoveredRegion(*picture);
    // The kept pixels' own first and last columns: red at the left, blue at the right.
    const int middleRow = picture->pixelHeight / 2 * picture->pixelWidth;
    EXPECT_TRUE(Near(picture->pixels[middleRow], Halves(covered.left, 320)));
    EXPECT_TRUE(
        Near(picture->pixels[middleRow + picture->pixelWidth - 1], Halves(covered.left + covered.width - 1, 320)));
  }
}

TEST(JpegDecoder, DamagedFilesFail) {
  const test::Bytes jpeg = test::EncodeJpeg(64, 48, [](int x, int y) { return std::uint32_t(x * 4 + y * 1024); });
  struct Case {
    const char* name;
    test::Bytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"the header only", test::Bytes(jpeg.begin(), jpeg.begin() + 200)},
      {"cut in the middle of the data", test::Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2)},
      {"not a JPEG", test::Bytes(jpeg.size(), 0x55)},
  };
  for (const Case& c : cases)
    for (const DrawBound bound : {DrawBound{}, DrawBound{32, 32}}) EXPECT_FALSE(DecodeJpeg(c.bytes, bound)) << c.name;
}

}  // namespace
}  // namespace lumiroll
