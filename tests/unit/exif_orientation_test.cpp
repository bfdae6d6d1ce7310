// Reading the EXIF orientation and turning pixels upright; area-averaging reduction.
#include "platform/exif_orientation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/area_reduction.h"
#include "platform/cubic_reduction.h"

namespace lumiroll {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "Exif\0\0", a TIFF header and IFD0 with the given 12-byte entries.
Bytes Exif(bool bigEndian, const std::vector<Bytes>& entries) {
  Bytes b = {'E', 'x', 'i', 'f', 0, 0};
  if (bigEndian) b.insert(b.end(), {'M', 'M', 0, 42, 0, 0, 0, 8, 0, std::uint8_t(entries.size())});
  else b.insert(b.end(), {'I', 'I', 42, 0, 8, 0, 0, 0, std::uint8_t(entries.size()), 0});
  for (const Bytes& e : entries) b.insert(b.end(), e.begin(), e.end());
  return b;
}
Bytes Entry(bool bigEndian, std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint16_t value) {
  if (bigEndian)
    return {std::uint8_t(tag >> 8),
            std::uint8_t(tag),
            0,
            std::uint8_t(type),
            std::uint8_t(count >> 24),
            std::uint8_t(count >> 16),
            std::uint8_t(count >> 8),
            std::uint8_t(count),
            std::uint8_t(value >> 8),
            std::uint8_t(value),
            0,
            0};
  return {std::uint8_t(tag),
          std::uint8_t(tag >> 8),
          std::uint8_t(type),
          0,
          std::uint8_t(count),
          std::uint8_t(count >> 8),
          std::uint8_t(count >> 16),
          std::uint8_t(count >> 24),
          std::uint8_t(value),
          std::uint8_t(value >> 8),
          0,
          0};
}

TEST(ExifOrientation, TheTagIsReadInEitherByteOrderAndDamageReadsAsUpright) {
  struct Case {
    const char* name;
    Bytes app1;
    int orientation;
  };
  const Bytes six = Exif(false, {Entry(false, 0x0112, 3, 1, 6)});
  Bytes cut = six;
  cut.resize(cut.size() - 4);
  Bytes farIfd = six;
  farIfd[10] = 0xF0;  // IFD0 offset beyond the segment
  const Case cases[] = {
      {"Intel order", six, 6},
      {"Motorola order", Exif(true, {Entry(true, 0x0112, 3, 1, 8)}), 8},
      {"after another tag", Exif(true, {Entry(true, 0x010F, 2, 4, 0), Entry(true, 0x0112, 3, 1, 3)}), 3},
      {"no orientation tag", Exif(false, {Entry(false, 0x010F, 2, 4, 0)}), kUpright},
      {"value 0", Exif(false, {Entry(false, 0x0112, 3, 1, 0)}), kUpright},
      {"value 9", Exif(false, {Entry(false, 0x0112, 3, 1, 9)}), kUpright},
      {"wrong type", Exif(false, {Entry(false, 0x0112, 4, 1, 6)}), kUpright},
      {"entry cut off", cut, kUpright},
      {"IFD beyond the segment", farIfd, kUpright},
      {"not EXIF (XMP)", Bytes{'h', 't', 't', 'p', ':', '/', '/'}, kUpright},
      {"bad byte order mark", Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'M', 42, 0, 8, 0, 0, 0}, kUpright},
      {"empty", Bytes{}, kUpright},
  };
  for (const Case& c : cases) EXPECT_EQ(ExifOrientation(c.app1), c.orientation) << c.name;
}

// The stored picture  a b c   (3 x 2). Each orientation's upright picture, read row by row,
//                     d e f   follows from where EXIF puts the stored first row and column.
TEST(ExifOrientation, EachOrientationTurnsThePixelsUpright) {
  const std::vector<std::uint32_t> stored = {'a', 'b', 'c', 'd', 'e', 'f'};
  struct Case {
    int orientation, width, height;
    std::vector<std::uint32_t> upright;
  };
  const Case cases[] = {
      {1, 3, 2, {'a', 'b', 'c', 'd', 'e', 'f'}}, {2, 3, 2, {'c', 'b', 'a', 'f', 'e', 'd'}},
      {3, 3, 2, {'f', 'e', 'd', 'c', 'b', 'a'}}, {4, 3, 2, {'d', 'e', 'f', 'a', 'b', 'c'}},
      {5, 2, 3, {'a', 'd', 'b', 'e', 'c', 'f'}}, {6, 2, 3, {'d', 'a', 'e', 'b', 'f', 'c'}},
      {7, 2, 3, {'f', 'c', 'e', 'b', 'd', 'a'}}, {8, 2, 3, {'c', 'f', 'b', 'e', 'a', 'd'}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OrientPixels(stored, 3, 2, c.orientation), c.upright) << "orientation " << c.orientation;
    EXPECT_EQ(OrientationSwapsSides(c.orientation), c.width == 2);
  }
}

template <typename Reducer = AreaReducer>
std::vector<std::uint32_t> Reduce(const std::vector<std::uint32_t>& pixels, PixelSize from, PixelSize to) {
  Reducer reducer(from, to);
  for (int y = 0; y < from.height; ++y) reducer.AddRow(pixels.data() + static_cast<std::size_t>(y) * from.width);
  return reducer.TakePixels();
}

// The rows from the bottom up: a scattered reducer must not depend on their order.
std::vector<std::uint32_t> ReduceBottomUp(const std::vector<std::uint32_t>& pixels, PixelSize from, PixelSize to) {
  ScatteredAreaReducer reducer(from, to);
  for (int y = from.height - 1; y >= 0; --y)
    reducer.AddRow(y, pixels.data() + static_cast<std::size_t>(y) * from.width, 0, from.width);
  return reducer.TakePixels();
}

TEST(AreaReducer, EachKeptPixelIsTheMeanOfTheAreaItCovers) {
  struct Case {
    const char* name;
    PixelSize from, to;
    std::vector<std::uint32_t> source, expected;
  };
  const Case cases[] = {
      {"2 x 2 to 1", {2, 2}, {1, 1}, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, {0x404040}},
      {"halves", {4, 1}, {2, 1}, {0x000010, 0x000030, 0x000100, 0x000300}, {0x000020, 0x000200}},
      // 3 to 2: the middle pixel is split half and half.
      {"fractions", {3, 1}, {2, 1}, {0x000000, 0x000060, 0x0000C0}, {0x000020, 0x0000A0}},
      {"vertical fractions", {1, 3}, {1, 2}, {0x000000, 0x006000, 0x00C000}, {0x002000, 0x00A000}},
      {"same size copies, top byte cleared", {2, 1}, {2, 1}, {0xFF123456, 0x00ABCDEF}, {0x123456, 0xABCDEF}},
      {"white stays white",
       {7, 5},
       {3, 2},
       std::vector<std::uint32_t>(35, 0xFFFFFF),
       std::vector<std::uint32_t>(6, 0xFFFFFF)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Reduce(c.source, c.from, c.to), c.expected) << c.name;
    EXPECT_EQ(ReduceBottomUp(c.source, c.from, c.to), c.expected) << c.name << ", rows in any order";
  }
}

TEST(AreaReducer, MissingRowsLeaveBlackAndExtraRowsAreIgnored) {
  AreaReducer reducer({2, 4}, {1, 2});
  const std::uint32_t white[] = {0xFFFFFF, 0xFFFFFF};
  reducer.AddRow(white), reducer.AddRow(white);
  EXPECT_EQ(reducer.TakePixels(), (std::vector<std::uint32_t>{0xFFFFFF, 0}));
  AreaReducer extra({1, 1}, {1, 1});
  const std::uint32_t grey[] = {0x808080};
  extra.AddRow(grey), extra.AddRow(white);
  EXPECT_EQ(extra.TakePixels(), (std::vector<std::uint32_t>{0x808080}));
  ScatteredAreaReducer scattered({2, 4}, {1, 2});
  for (int y : {3, 2, 4, -1}) scattered.AddRow(y, white, 0, 2);
  EXPECT_EQ(scattered.TakePixels(), (std::vector<std::uint32_t>{0, 0xFFFFFF}));
}

// A row coloured only in part, and rows all black, add nothing where they are black.
TEST(AreaReducer, ColumnsOutsideARowsColouredPartAndBlankRowsCountAsBlack) {
  const std::uint32_t white[] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  AreaReducer ordered({4, 3}, {2, 1});
  ordered.AddRow(white, 1, 3), ordered.AddBlankRows(1), ordered.AddRow(white, 3, 9);
  EXPECT_EQ(ordered.TakePixels(), (std::vector<std::uint32_t>{0x2B2B2B, 0x555555}));
  ScatteredAreaReducer scattered({4, 3}, {2, 1});
  scattered.AddRow(2, white, 3, 9), scattered.AddRow(0, white, 1, 3);
  EXPECT_EQ(scattered.TakePixels(), (std::vector<std::uint32_t>{0x2B2B2B, 0x555555}));
  AreaReducer copying({2, 2}, {2, 2});
  copying.AddBlankRows(1), copying.AddRow(white, 1, 2);
  EXPECT_EQ(copying.TakePixels(), (std::vector<std::uint32_t>{0, 0, 0, 0xFFFFFF}));
}

TEST(CubicReducer, KeepsFlatAreasFlatAndWeighsByTheStretchedCubic) {
  struct Case {
    const char* name;
    PixelSize from, to;
    std::vector<std::uint32_t> source, expected;
  };
  // 4 to 2: output 0 sits at source 0.5, so sources 0..3 lie 0.25, 0.25, 0.75 and 1.25 output
  // pixels away: Catmull-Rom weights 0.8672, 0.8672, 0.2266, -0.0703 (sum 1.8906). For 0, 0,
  // 112, 112 that is 17.5 / 1.8906 = 9.26, and by symmetry 112 - 9.26 for output 1.
  const Case cases[] = {
      {"hand-computed weights", {4, 1}, {2, 1}, {0, 0, 112, 112}, {9, 103}},
      {"vertical alike", {1, 4}, {1, 2}, {0, 0, 112 << 8, 112 << 8}, {9 << 8, 103 << 8}},
      {"grey stays grey at 1.85",
       {37, 5},
       {20, 3},
       std::vector<std::uint32_t>(185, 0x7F7F7F),
       std::vector<std::uint32_t>(60, 0x7F7F7F)},
      {"white stays white at 1.04",
       {25, 25},
       {24, 24},
       std::vector<std::uint32_t>(625, 0xFFFFFF),
       std::vector<std::uint32_t>(576, 0xFFFFFF)},
      {"same size copies, top byte cleared", {2, 1}, {2, 1}, {0xFF123456, 0x00ABCDEF}, {0x123456, 0xABCDEF}},
      // Either side of a hard edge the cubic's negative lobes would leave 0..255: -12.8 and 266.8.
      {"overshoot is clamped", {8, 1}, {4, 1}, {0, 0, 0, 255, 255, 255, 255, 255}, {0, 126, 255, 255}},
  };
  for (const Case& c : cases) EXPECT_EQ(Reduce<CubicReducer>(c.source, c.from, c.to), c.expected) << c.name;
}

}  // namespace
}  // namespace lumiroll
