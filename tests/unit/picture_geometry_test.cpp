// Size arithmetic and first-byte checks of picture loading.
#include "platform/picture_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/bitmap_header.h"
#include "platform/bitmap_layout.h"
#include "platform/picture_format.h"

namespace lumiroll {
namespace {

TEST(PictureGeometry, DeclaredSizesBeyondAnyCameraAreRefused) {
  struct Case {
    std::int64_t width, height;
    bool believed;
  };
  const Case cases[] = {
      {1, 1, true},
      {0, 100, false},
      {100, 0, false},
      {-1, 100, false},
      {100, -1, false},
      {65535, 8192, true},
      {65536, 1, false},
      {1, 65536, false},
      {65000, 65000, false},
      {23296, 17472, true},  // a 407-megapixel camera composite
      {16384, 32768, true},
      {16384, 32769, false},  // 2^29 pixels exactly, and one row more
      {std::int64_t{1} << 31, std::int64_t{1} << 31, false},
      {INT64_MAX, INT64_MAX, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DeclaredSizeAcceptable(c.width, c.height), c.believed) << c.width << " x " << c.height;
}

TEST(PictureGeometry, KeptSizeFitsTheBoundWithoutEnlarging) {
  struct Case {
    PixelSize own;
    DrawBound bound;
    PixelSize kept;
  };
  const Case cases[] = {
      {{6000, 4000}, {1920, 1080}, {1620, 1080}},  // the height limits
      {{4000, 6000}, {1920, 1080}, {720, 1080}},
      {{8000, 2000}, {1920, 1080}, {1920, 480}},   // the width limits
      {{1920, 1080}, {1920, 1080}, {1920, 1080}},  // exactly the bound
      {{800, 600}, {1920, 1080}, {800, 600}},      // never enlarged
      {{6000, 4000}, {0, 0}, {6000, 4000}},        // no bound
      {{6000, 4000}, {1920, 0}, {6000, 4000}},
      {{6000, 4000}, {1920, 1080, 1.0f}, {6000, 4000}},  // drawn at a scale, not fitted
      {{65535, 1}, {100, 100}, {100, 1}},                // never below one pixel
      {{1, 65535}, {100, 100}, {1, 100}},
      {{3, 2}, {2, 2}, {2, 2}},                    // 1.33 is drawn 2 high, as PaintPhoto rounds
      {{5, 3}, {4, 4}, {4, 3}},                    // 2.4 is drawn 3 high
      {{5000, 3333}, {1920, 1080}, {1621, 1080}},  // 1620.16 wide
  };
  for (const Case& c : cases) EXPECT_EQ(KeptSize(c.own, c.bound), c.kept) << c.own.width << " x " << c.own.height;
}

TEST(PictureGeometry, ScaledDecodingReducesAsFarAsTheNeededSizeAllows) {
  struct Case {
    PixelSize stored, needed;
    int eighths;
  };
  const Case cases[] = {
      {{6000, 4000}, {1620, 1080}, 3},  // 2250 x 1500; 2/8 would give 1500 x 1000
      {{6000, 4000}, {1800, 1200}, 3},  // 2250 x 1500: a quarter more, exactly
      {{8000, 6000}, {1440, 1080}, 2},  // 2000 x 1500
      {{4000, 3000}, {1440, 1080}, 4},  // 3/8 (1500 x 1125) would leave our filter too little
      {{8000, 6000}, {1000, 750}, 2},   // 1/8 is exactly the size: no quarter to spare
      {{8001, 6000}, {1001, 750}, 2},
      {{800, 600}, {401, 300}, 6},     // 600 x 450
      {{800, 600}, {800, 600}, 8},     // kept whole
      {{800, 600}, {700, 500}, 8},     // nothing smaller covers it
      {{4000, 6000}, {720, 1080}, 2},  // 1000 x 1500
      {{1, 1}, {1, 1}, 8},
  };
  for (const Case& c : cases) {
    const int n = ScaledDecodeEighths(c.stored, c.needed);
    EXPECT_EQ(n, c.eighths) << c.stored.width << " x " << c.stored.height;
    EXPECT_GE(ScaledSide(c.stored.width, n), c.needed.width);
    EXPECT_GE(ScaledSide(c.stored.height, n), c.needed.height);
  }
}

TEST(PictureFormat, TheContentNotTheNameTellsTheFormat) {
  using B = std::vector<std::uint8_t>;
  B emf(44, 0);
  emf[0] = 1, emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
  B notEmf = emf;
  notEmf[41] = 'X';
  struct Case {
    B bytes;
    PictureFormat format;
  };
  const Case cases[] = {
      {{0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::kJpeg},
      {{0xFF, 0xD8}, PictureFormat::kUnknown},
      {{'B', 'M', 0, 0}, PictureFormat::kBitmap},
      {{0, 0, 1, 0, 1, 0}, PictureFormat::kIcon},
      {{0, 0, 2, 0, 1, 0}, PictureFormat::kUnknown},  // a cursor
      {{'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::kGif},
      {{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::kGif},
      {{'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::kUnknown},
      {{0xD7, 0xCD, 0xC6, 0x9A, 0, 0}, PictureFormat::kPlaceableMetafile},
      {{1, 0, 9, 0, 0, 3}, PictureFormat::kWindowsMetafile},
      {{2, 0, 9, 0, 0, 1}, PictureFormat::kWindowsMetafile},
      {{1, 0, 9, 0, 0, 2}, PictureFormat::kUnknown},
      {emf, PictureFormat::kEnhancedMetafile},
      {notEmf, PictureFormat::kUnknown},
      {{'N', 'o', 't', ' ', 'a'}, PictureFormat::kUnknown},
      {{}, PictureFormat::kUnknown},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(SniffPictureFormat(cases[i].bytes), cases[i].format) << "case " << i;
}

std::vector<std::uint8_t> BitmapFile(std::int32_t width, std::int32_t height, int bits, int compression,
                                     std::size_t dataBytes) {
  // Bit fields' masks follow the 40-byte header, the pixels after them.
  const std::uint32_t masks = compression == 3 ? 12 : compression == 6 ? 16 : 0;
  std::vector<std::uint8_t> bmp(54 + masks + dataBytes, 0);
  const auto put = [&](std::size_t at, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B', bmp[1] = 'M';
  put(10, 54 + masks, 4), put(14, 40, 4), put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4), put(26, 1, 2), put(28, bits, 2), put(30, compression, 4);
  return bmp;
}

TEST(BitmapHeader, TheFileMustHoldThePixelsItDeclares) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool believed;
  };
  const Case cases[] = {
      {"40 x 30, 24 bits, all rows", BitmapFile(40, 30, 24, 0, 3600), true},
      {"one byte short", BitmapFile(40, 30, 24, 0, 3599), false},
      {"rows padded to 4 bytes", BitmapFile(3, 2, 24, 0, 24), true},
      {"padding missing", BitmapFile(3, 2, 24, 0, 18), false},
      {"top-down", BitmapFile(40, -30, 24, 0, 3600), true},
      {"height -2^31", BitmapFile(1, INT32_MIN, 24, 0, 64), false},
      {"2^31-1 square", BitmapFile(INT32_MAX, INT32_MAX, 24, 0, 64), false},
      {"zero width", BitmapFile(0, 30, 24, 0, 64), false},
      {"1 bit, 33 wide: 8 bytes a row", BitmapFile(33, 2, 1, 0, 16), true},
      {"bit fields, short", BitmapFile(100, 100, 32, 3, 100), false},
      {"small run-length", BitmapFile(1000, 1000, 8, 1, 2), true},
      {"large run-length, nearly empty", BitmapFile(8000, 8000, 8, 1, 2), false},
      {"large run-length with data enough", BitmapFile(8000, 8000, 8, 1, 250'000), true},
      {"large RLE4, nearly empty", BitmapFile(8000, 8000, 4, 2, 2), false},
      {"header cut short", std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0}, false},
      // Only the codings the format defines: a header alone must not pass for a huge picture.
      {"header alone, 65500 x 8196, embedded JPEG", BitmapFile(65500, 8196, 24, 4, 0), false},
      {"embedded JPEG with bit count 0", BitmapFile(100, 100, 0, 4, 5000), false},
      {"embedded PNG", BitmapFile(100, 100, 0, 5, 5000), false},
      {"bit count 0, uncompressed", BitmapFile(65500, 8196, 0, 0, 0), false},
      {"bit count 2", BitmapFile(10, 10, 2, 0, 40), false},
      {"bit count 64", BitmapFile(10, 10, 64, 0, 800), false},
      {"RLE8 with 4 bits", BitmapFile(10, 10, 4, 1, 100), false},
      {"RLE4 with 8 bits", BitmapFile(10, 10, 8, 2, 100), false},
      {"bit fields with 24 bits", BitmapFile(10, 10, 24, 3, 400), false},
      {"bit fields, 16 bits", BitmapFile(10, 10, 16, 3, 200), true},
      {"alpha bit fields, 32 bits", BitmapFile(10, 10, 32, 6, 400), true},
      {"unknown compression 7", BitmapFile(10, 10, 24, 7, 400), false},
      {"4 bits, rows padded to 8 bytes", BitmapFile(10, 10, 4, 0, 80), true},
      {"16 bits, all rows", BitmapFile(10, 10, 16, 0, 200), true},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadBitmapFileLayout(c.bytes).has_value(), c.believed) << c.name;
}

}  // namespace
}  // namespace lumiroll
