// GIFs through the picture loader: the first image on its logical screen, pixel by pixel, and the
// same image interlaced or not, whole or reduced.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/picture.h"
#include "platform/win32/picture_loader.h"
#include "tests/win/gif_test_file.h"

namespace lumiroll {
namespace {

using test::GifImage;
using test::WriteGif;

const std::vector<std::uint32_t> kFour = {0x102030, 0x405060, 0x708090, 0xA0B0C0};

std::vector<std::uint32_t> Sixteen() {
  std::vector<std::uint32_t> colours;
  for (std::uint32_t i = 0; i < 16; ++i) colours.push_back(i * 0x0F0000 + (15 - i) * 0x000F00 + 0x33);
  return colours;
}

TEST(GifLoader, TheFirstImageLiesOnItsScreenAsTheFileDescribes) {
  const std::vector<std::uint32_t> sixteen = Sixteen();
  std::vector<std::uint8_t> rowNumbers(10);
  for (std::uint8_t y = 0; y < 10; ++y) rowNumbers[y] = y;
  std::vector<std::uint32_t> rowColours(sixteen.begin(), sixteen.begin() + 10);
  const std::uint32_t A = kFour[0], B = kFour[1], C = kFour[2], D = kFour[3];
  struct Case {
    const char* name;
    GifImage gif;
    int width, height;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {"1 x 1 with no colour table at all", {1, 1, {0, 0, 1, 1}, {0, 0}, true, {1}}, 1, 1, {0xFFFFFF}},
      {"no colour table: a grey ramp as long as the declared table",
       {4, 1, {0, 0, 4, 1}, kFour, true, {0, 1, 2, 3}},
       4,
       1,
       {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
      {"first image smaller than the screen: black around it",
       {5, 3, {3, 1, 2, 2}, kFour, false, {1, 2, 3, 0}},
       5,
       3,
       {0, 0, 0, 0, 0, 0, 0, 0, B, C, 0, 0, 0, D, A}},
      {"a screen of 0 x 0 grows to the image", {0, 0, {1, 0, 2, 1}, kFour, false, {2, 3}}, 3, 1, {0, C, D}},
      {"the transparent index is black", {3, 1, {0, 0, 3, 1}, kFour, false, {0, 1, 2}, false, 1}, 3, 1, {A, 0, C}},
      {"interlaced rows in their places", {1, 10, {0, 0, 1, 10}, sixteen, false, rowNumbers, true}, 1, 10, rowColours},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto picture = LoadPictureBytes(WriteGif(c.gif));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, c.width);
    EXPECT_EQ(picture->height, c.height);
    EXPECT_EQ(picture->pixelWidth, c.width);
    EXPECT_EQ(picture->pixels, c.expected);
  }
}

TEST(GifLoader, AWideFirstCodeDecodesAsANarrowOneWould) {
  std::vector<std::uint32_t> colours;
  for (std::uint32_t i = 0; i < 256; ++i) colours.push_back(i << 16 | (255 - i) << 8 | (i * 5 & 0xFF));
  struct Case {
    const char* name;
    int codeSize, clearEvery, width, height;
    std::uint16_t largestIndex;
  };
  const Case cases[] = {
      {"9 bits, a clear code now and then", 9, 300, 40, 30, 255},
      {"10 bits", 10, 700, 40, 30, 255},
      {"11 bits", 11, 1500, 40, 30, 255},
      {"11 bits, the table full and waiting for a clear that never comes", 11, 0, 64, 64, 255},
      {"indices past the table are black", 9, 0, 30, 20, 511},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WideCodeGif gif{c.codeSize, c.clearEvery, c.width, c.height, colours, {}};
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < c.width * c.height; ++i) {
      const auto index = static_cast<std::uint16_t>(i * 37 % (c.largestIndex + 1));
      gif.indices.push_back(index);
      expected.push_back(index < 256 ? colours[index] : 0);
    }
    const auto picture = LoadPictureBytes(test::WriteWideCodeGif(gif));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, c.width);
    EXPECT_EQ(picture->pixels, expected);
  }
}

TEST(GifLoader, AnInterlacedImageIsKeptAndReducedLikeAPlainOne) {
  constexpr int kWidth = 400, kHeight = 300;
  GifImage plain{kWidth, kHeight, {0, 0, kWidth, kHeight}, {}, false, {}};
  for (std::uint32_t i = 0; i < 256; ++i) plain.colours.push_back(i << 16 | (255 - i) << 8 | (i * 7 & 0xFF));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) plain.indices.push_back(static_cast<std::uint8_t>(x * 7 + y * 13));
  GifImage interlaced = plain;
  interlaced.interlaced = true;
  const auto plainBytes = WriteGif(plain), interlacedBytes = WriteGif(interlaced);
  for (const DrawBound bound :
       {DrawBound{}, DrawBound{100, 75}, DrawBound{133, 100, 1.0f}, DrawBound{320, 180, 0.2f}}) {
    SCOPED_TRACE(testing::Message() << "bound " << bound.width << " x " << bound.height << " at " << bound.scale);
    const auto expected = LoadPictureBytes(plainBytes, bound), actual = LoadPictureBytes(interlacedBytes, bound);
    ASSERT_TRUE(expected && actual);
    EXPECT_EQ(actual->region, expected->region);
    ASSERT_EQ(actual->pixelWidth, expected->pixelWidth);
    ASSERT_EQ(actual->pixels.size(), expected->pixels.size());
    int worst = 0;
    for (std::size_t i = 0; i < actual->pixels.size(); ++i)
      for (int shift : {0, 8, 16})
        worst = std::max(worst,
                         std::abs(int(actual->pixels[i] >> shift & 0xFF) - int(expected->pixels[i] >> shift & 0xFF)));
    EXPECT_LE(worst, 1) << "the sums may differ in their last bit, added in another order";
  }
}

TEST(GifLoader, DamagedDataFailsAndAVastScreenAroundATinyImageCostsLittle) {
  GifImage gif{64, 64, {0, 0, 64, 64}, kFour, false, {}};
  for (int i = 0; i < 64 * 64; ++i) gif.indices.push_back(static_cast<std::uint8_t>(i * 31 % 7 % 4));
  const std::vector<std::uint8_t> whole = WriteGif(gif);
  const std::vector<std::uint8_t> half(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
  const std::vector<std::uint8_t> noImage = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
  EXPECT_TRUE(LoadPictureBytes(whole, {32, 32}));
  EXPECT_FALSE(LoadPictureBytes(half, {32, 32})) << "fitted, every row is needed";
  EXPECT_FALSE(LoadPictureBytes(noImage));
  // 480 megapixels declared by a few bytes: a one-pixel image far from the screen's corner.
  const auto start = std::chrono::steady_clock::now();
  const auto vast = LoadPictureBytes(WriteGif({1, 1, {60000, 8000, 1, 1}, kFour, false, {3}}), {1920, 1080});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  ASSERT_TRUE(vast);
  EXPECT_EQ(vast->width, 60001);
  EXPECT_EQ(vast->pixelWidth, 1920);
}

}  // namespace
}  // namespace lumiroll
