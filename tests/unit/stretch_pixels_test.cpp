#include "platform/stretch_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace lumiroll {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF;

struct Canvas {
  int width, height;
  std::vector<std::uint32_t> pixels;
  Canvas(int w, int h, std::uint32_t fill = kBlack) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  PixelsView View() const { return {pixels, width, height}; }
  PixelsTarget Target() { return {pixels, width, height}; }
};

Canvas Checkerboard(int size) {
  Canvas c(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) c.pixels[std::size_t(y) * size + x] = (x + y) % 2 ? kWhite : kBlack;
  return c;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

TEST(StretchPixels, CopiesExactlyAtScaleOneAndLeavesTheRestAlone) {
  Canvas source(3, 2);
  source.pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x123456};
  Canvas target(6, 5, 0xABCDEF);
  StretchPixels(source.View(), target.Target(), {2, 1, 3, 2});
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(target.At(x, y), inside ? source.At(x - 2, y - 1) : 0xABCDEFu) << x << "," << y;
    }
  // Partly outside on every side: only the overlap is copied.
  Canvas small(2, 1, 0xABCDEF);
  StretchPixels(source.View(), small.Target(), {-1, -1, 3, 2});
  EXPECT_EQ(small.pixels, (std::vector<std::uint32_t>{0xD0E0F0, 0x123456}));
}

TEST(StretchPixels, ShrinkingAveragesFineDetailToItsMeanColour) {
  // Shrink factors whole and fractional: no pixel may keep the black or white of aliasing.
  const Canvas board = Checkerboard(512);
  for (int size : {256, 128, 100, 37}) {
    Canvas target(size, size);
    StretchPixels(board.View(), target.Target(), {0, 0, size, size});
    for (std::uint32_t p : target.pixels) ASSERT_LE(ChannelDistance(p, 0x808080), 8) << size << ": " << std::hex << p;
  }
}

TEST(StretchPixels, EnlargingInterpolatesSmoothly) {
  Canvas source(2, 1);
  source.pixels = {kRed, kBlue};
  Canvas target(8, 1);
  StretchPixels(source.View(), target.Target(), {0, 0, 8, 1});
  EXPECT_EQ(target.At(0, 0), kRed);
  EXPECT_EQ(target.At(7, 0), kBlue);
  // Red falls and blue rises step by step across the middle; no jump as with nearest neighbour.
  for (int x = 1; x < 8; ++x) {
    EXPECT_LE(target.At(x, 0) >> 16, target.At(x - 1, 0) >> 16) << x;
    EXPECT_GE(target.At(x, 0) & 0xFF, target.At(x - 1, 0) & 0xFF) << x;
  }
  EXPECT_EQ(ChannelDistance(target.At(3, 0), 0xA0005F) <= 0x30, true) << std::hex << target.At(3, 0);
}

TEST(StretchPixels, FlatColourStaysExactAtAnyScale) {
  Canvas source(7, 5, 0x3C7A11);
  for (int size : {1, 3, 7, 13, 50}) {
    Canvas target(size, size);
    StretchPixels(source.View(), target.Target(), {0, 0, size, size});
    for (std::uint32_t p : target.pixels) ASSERT_EQ(p, 0x3C7A11u) << size;
  }
}

TEST(StretchPixels, ClippedPartMatchesTheSameRegionOfTheUnclippedStretch) {
  Canvas source(9, 7);
  for (std::size_t i = 0; i < source.pixels.size(); ++i) source.pixels[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFF;
  Canvas whole(30, 20);
  StretchPixels(source.View(), whole.Target(), {0, 0, 30, 20});
  Canvas clipped(12, 8);
  StretchPixels(source.View(), clipped.Target(), {-10, -6, 30, 20});
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(clipped.At(x, y), whole.At(x + 10, y + 6)) << x << "," << y;
}

TEST(StretchPixels, HugeOrOutsideRectanglesDrawOnlyTheVisiblePart) {
  Canvas source(4, 4, kRed);
  source.pixels[0] = kBlue;
  const struct {
    StretchRectangle rectangle;
    bool touches;
  } rows[] = {
      {{-2147483000LL, -2147483000LL, 4294966000LL, 4294966000LL}, true},  // 2,000,000,000 times enlarged
      {{-1000000000LL, 0, 2000000000LL, 10}, true},
      {{20, 0, 10, 10}, false},
      {{0, -50, 10, 10}, false},
      {{0, 0, 0, 10}, false},
      {{0, 0, 10, -1}, false},
  };
  for (const auto& row : rows) {
    Canvas target(16, 16, kBlack);
    StretchPixels(source.View(), target.Target(), row.rectangle);
    EXPECT_EQ(target.At(8, 8) != kBlack, row.touches) << row.rectangle.left << "," << row.rectangle.width;
  }
}

TEST(StretchPixels, IgnoresBuffersSmallerThanTheirSize) {
  Canvas source(4, 4, kRed);
  source.pixels.resize(5);
  Canvas target(8, 8);
  StretchPixels(source.View(), target.Target(), {0, 0, 8, 8});
  for (std::uint32_t p : target.pixels) ASSERT_EQ(p, kBlack);
}

}  // namespace
}  // namespace lumiroll
