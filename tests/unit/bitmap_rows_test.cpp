// The bitmap decoder's arithmetic: channel masks and their scaling to 8 bits, and run-length
// streams expanded row by row.
#include "platform/bitmap_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

namespace lumiroll {
namespace {

TEST(BitmapChannels, AMaskIsOneRunOfBits) {
  struct Case {
    std::uint32_t mask;
    std::optional<ChannelMask> channel;
  };
  const Case cases[] = {
      {0xF800, ChannelMask{11, 5}},     {0x07E0, ChannelMask{5, 6}},      {0x001F, ChannelMask{0, 5}},
      {0xFF000000, ChannelMask{24, 8}}, {0x80000000, ChannelMask{31, 1}}, {0xFFFFFFFF, ChannelMask{0, 32}},
      {0, ChannelMask{0, 0}},           {0xF00F, std::nullopt},           {0x5, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ChannelOf(c.mask), c.channel) << std::hex << c.mask;
}

TEST(BitmapChannels, ChannelsScaleToEightBitsRounded) {
  struct Case {
    std::uint32_t value;
    int bits;
    std::uint32_t scaled;
  };
  const Case cases[] = {
      {31, 5, 255},  {16, 5, 132},  {0, 5, 0},      {1, 1, 255},     {1, 2, 85}, {2, 3, 73},
      {255, 8, 255}, {128, 8, 128}, {512, 10, 128}, {1023, 10, 255}, {7, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaledChannel(c.value, c.bits), c.scaled) << c.value << " of " << c.bits << " bits";
}

TEST(BitmapChannels, MaskedPixelsComeOutAsAlphaRedGreenBlue) {
  struct Case {
    const char* name;
    std::array<ChannelMask, 4> channels;
    std::uint32_t value, colour;
  };
  const Case cases[] = {
      {"5-6-5", {{{11, 5}, {5, 6}, {0, 5}, {}}}, 0xF81F, 0x00FF00FF},
      {"4-4-4-4 with alpha on top", {{{8, 4}, {4, 4}, {0, 4}, {12, 4}}}, 0xF84C, 0xFF8844CC},
      {"blue, green, red, alpha from the top", {{{8, 8}, {16, 8}, {24, 8}, {0, 8}}}, 0x11223344, 0x44332211},
      {"2-3-1", {{{4, 2}, {1, 3}, {0, 1}, {}}}, 0x2B, 0x00AAB6FF},
      // Wider than 16 bits: scaled from its top 16, 0x8000 of 0xFFFF.
      {"20-bit red", {{{12, 20}, {8, 4}, {0, 8}, {}}}, 0x80000F80, 0x0080FF80},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskedColours(c.channels)(c.value), c.colour) << c.name;
}

// Index i is drawn as i + 1, so that black (0) shows only where the stream skipped.
std::array<std::uint32_t, 256> Numbered() {
  std::array<std::uint32_t, 256> palette{};
  std::iota(palette.begin(), palette.end(), 1u);
  return palette;
}

TEST(RunLengthRows, StreamsExpandToTheirRows) {
  struct Case {
    const char* name;
    int width, height;
    bool fourBits;
    std::vector<std::uint8_t> stream;
    std::vector<std::vector<std::uint32_t>> rows;  // up to the first row that fails; fails if fewer
  };
  const Case cases[] = {
      {"runs, end of line, end of bitmap",
       4,
       3,
       false,
       {4, 5, 0, 0, 2, 6, 0, 1},
       {{6, 6, 6, 6}, {7, 7, 0, 0}, {0, 0, 0, 0}}},
      {"odd literal padded", 4, 1, false, {0, 3, 1, 2, 3, 0, 1, 4, 0, 1}, {{2, 3, 4, 5}}},
      {"delta on and down", 4, 3, false, {1, 1, 0, 2, 2, 1, 1, 3, 0, 1}, {{2, 0, 0, 0}, {0, 0, 0, 4}, {0, 0, 0, 0}}},
      {"delta past the last row", 2, 2, false, {1, 1, 0, 2, 0, 9}, {{2, 0}, {0, 0}}},
      {"run past the row end is cut", 3, 2, false, {5, 1, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1}, {{2, 2, 2}, {2, 3, 4}}},
      {"4 bits: runs alternate, literals pack two",
       5,
       2,
       true,
       {5, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1},
       {{2, 3, 2, 3, 2}, {5, 6, 7, 0, 0}}},
      {"ends unannounced at the last pixel", 2, 2, false, {2, 9, 0, 0, 2, 8}, {{10, 10}, {9, 9}}},
      {"ends before the last row", 2, 2, false, {2, 9, 0, 0}, {{10, 10}}},
      {"ends inside the last row", 2, 1, false, {1, 9}, {}},
      {"literal cut short", 4, 1, false, {0, 4, 1, 2}, {}},
      {"delta cut short", 4, 2, false, {0, 2, 1}, {}},
  };
  const auto palette = Numbered();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunLengthRows runs(c.stream, c.width, c.height, c.fourBits, palette);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(c.width));
    for (int y = 0; y < c.height; ++y) {
      const bool expected = y < static_cast<int>(c.rows.size());
      ASSERT_EQ(runs.Next(row.data()), expected) << "row " << y;
      if (!expected) break;
      EXPECT_EQ(row, c.rows[static_cast<std::size_t>(y)]) << "row " << y;
    }
  }
}

}  // namespace
}  // namespace lumiroll
