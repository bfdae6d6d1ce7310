// Every header, bit count, coding and mask of the bitmap format, and the images of icons: small
// files written here, loaded as the show loads them, every pixel checked against what was written.
#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "platform/picture.h"
#include "platform/win32/picture_loader.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

using test::Bytes;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
using Colours = std::vector<std::uint32_t>;

void Append(Bytes& bytes, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct Format {
  const char* name;
  int header;  // the info header's size
  int bits;
  int compression;                       // 0, 3 (bit fields), 6 (alpha bit fields); 1 and 2 (runs) take a stream
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  bool topDown = false;
  int paletteEntries = 4;  // written and declared (a core header always has all)
  int width = 7, height = 4;
};

// The index into the colours of each pixel of a written picture.
int IndexAt(int x, int y, std::size_t colours) { return (x * 3 + y) % static_cast<int>(colours); }

// A 16- or 32-bit pixel of a colour whose channels are each full or empty; alpha stays 0.
std::uint32_t Packed(const Format& f, std::uint32_t rgb) {
  using Masks = std::array<std::uint32_t, 4>;
  const Masks masks = f.compression != 0 ? f.masks
                      : f.bits == 16     ? Masks{0x7C00, 0x03E0, 0x001F}
                                         : Masks{kRed, kGreen, kBlue};
  return (rgb & kRed ? masks[0] : 0) | (rgb & kGreen ? masks[1] : 0) | (rgb & kBlue ? masks[2] : 0);
}

// Info header, masks and palette; rows as the header declares them (an icon's count its mask).
Bytes Headers(const Format& f, const Colours& colours, int rows) {
  Bytes h;
  if (f.header == 12) {
    Append(h, 12, 4), Append(h, f.width, 2), Append(h, rows, 2), Append(h, 1, 2), Append(h, f.bits, 2);
  } else {
    Append(h, f.header, 4), Append(h, f.width, 4), Append(h, static_cast<std::uint32_t>(f.topDown ? -rows : rows), 4);
    Append(h, 1, 2), Append(h, f.bits, 2), Append(h, f.compression, 4), Append(h, 0, 12);
    Append(h, f.bits <= 8 ? f.paletteEntries : 0, 4), Append(h, 0, 4);
    const bool masksInHeader = f.header >= 52 && f.header != 64;
    if (masksInHeader)
      for (const std::uint32_t m : f.masks) Append(h, m, 4);
    h.resize(static_cast<std::size_t>(f.header), 0);
    for (int i = 0; !masksInHeader && f.compression >= 3 && i < (f.compression == 6 ? 4 : 3); ++i)
      Append(h, f.masks[i], 4);
  }
  const int entries = f.header == 12 ? 1 << f.bits : f.paletteEntries;
  for (int i = 0; f.bits <= 8 && i < entries; ++i)
    Append(h, i < static_cast<int>(colours.size()) ? colours[i] : 0, f.header == 12 ? 3 : 4);
  return h;
}

Bytes Pixels(const Format& f, const Colours& colours) {
  const std::size_t stride = (static_cast<std::size_t>(f.width) * f.bits + 31) / 32 * 4;
  Bytes pixels;
  for (int stored = 0; stored < f.height; ++stored) {
    const int y = f.topDown ? stored : f.height - 1 - stored;
    Bytes row(stride, 0);
    for (int x = 0; x < f.width; ++x) {
      const int index = IndexAt(x, y, colours.size()), bit = x * f.bits;
      if (f.bits < 8) row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - f.bits - bit % 8));
      if (f.bits == 8) row[x] = static_cast<std::uint8_t>(index);
      const std::uint32_t value = f.bits == 24 ? colours[index] : Packed(f, colours[index]);
      for (int b = 0; f.bits > 8 && b < f.bits / 8; ++b) row[bit / 8 + b] = static_cast<std::uint8_t>(value >> (8 * b));
    }
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return pixels;
}

Bytes BitmapFile(const Format& f, const Colours& colours, const Bytes& stream = {}) {
  const Bytes headers = Headers(f, colours, f.height);
  const Bytes pixels = f.compression == 1 || f.compression == 2 ? stream : Pixels(f, colours);
  Bytes file = {'B', 'M'};
  Append(file, 14 + headers.size() + pixels.size(), 4), Append(file, 0, 4), Append(file, 14 + headers.size(), 4);
  file.insert(file.end(), headers.begin(), headers.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// What a written picture must decode to: the colour of each pixel's index, black past the palette.
std::vector<std::uint32_t> Written(const Format& f, const Colours& colours) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) {
      const int index = IndexAt(x, y, colours.size());
      pixels.push_back(f.bits <= 8 && index >= f.paletteEntries && f.header != 12 ? 0 : colours[index]);
    }
  return pixels;
}

void ExpectPicture(const std::optional<Picture>& picture, int width, int height,
                   const std::vector<std::uint32_t>& pixels) {
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, width);
  EXPECT_EQ(picture->height, height);
  EXPECT_EQ(picture->pixels, pixels);
}

TEST(BitmapFormats, EveryHeaderBitCountAndMaskGivesTheColoursWritten) {
  const Colours four = {kRed, kGreen, kBlue, kWhite};
  const Format formats[] = {
      {"core header, 1 bit", 12, 1, 0},
      {"core header, 4 bits", 12, 4, 0},
      {"core header, 8 bits", 12, 8, 0},
      {"core header, 24 bits", 12, 24, 0},
      {"1 bit", 40, 1, 0},
      {"4 bits", 40, 4, 0},
      {"8 bits", 40, 8, 0},
      {"16 bits, 5-5-5", 40, 16, 0},
      {"24 bits", 40, 24, 0},
      {"32 bits", 40, 32, 0},
      {"bit fields 5-6-5", 40, 16, 3, {0xF800, 0x07E0, 0x001F}},
      {"bit fields 4-4-4", 40, 16, 3, {0x0F00, 0x00F0, 0x000F}},
      {"bit fields 2-3-1", 40, 16, 3, {0x0030, 0x000E, 0x0001}},
      {"bit fields blue-green-red-x, 32 bits", 40, 32, 3, {0x0000FF00, 0x00FF0000, 0xFF000000}},
      {"bit fields 10-10-10", 40, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}},
      {"alpha bit fields 1-5-5-5", 40, 16, 6, {0x7C00, 0x03E0, 0x001F, 0x8000}},
      {"alpha bit fields 8-8-8-8", 40, 32, 6, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}},
      {"52-byte header, 5-6-5", 52, 16, 3, {0xF800, 0x07E0, 0x001F}},
      {"56-byte header, red-green-blue-alpha", 56, 32, 3, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}},
      {"OS/2 64-byte header, 8 bits", 64, 8, 0},
      {"OS/2 64-byte header, 24 bits", 64, 24, 0},
      {"V4 header, alpha mask", 108, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}},
      {"V5 header, 4-4-4-4 with alpha", 124, 16, 3, {0x0F00, 0x00F0, 0x000F, 0xF000}},
      {"top-down, 24 bits", 40, 24, 0, {}, true},
      {"top-down, 1 bit", 40, 1, 0, {}, true},
      {"palette of two for four indices", 40, 8, 0, {}, false, 2},
  };
  for (const Format& f : formats) {
    SCOPED_TRACE(f.name);
    const Colours colours = f.bits == 1 ? Colours{kRed, kBlue} : four;
    ExpectPicture(LoadPictureBytes(BitmapFile(f, colours)), f.width, f.height, Written(f, colours));
  }
}

// Rows from the top, a digit the colour's index, '.' black.
std::vector<std::uint32_t> Drawn(std::initializer_list<const char*> rows, const Colours& colours) {
  std::vector<std::uint32_t> pixels;
  for (const std::string_view row : rows)
    for (const char c : row) pixels.push_back(c == '.' ? 0 : colours[static_cast<std::size_t>(c - '0')]);
  return pixels;
}

TEST(BitmapFormats, RunsWithDeltasLeaveWhatTheySkipBlack) {
  const Colours colours = {kRed, kGreen, kBlue, kWhite};
  // From the bottom row: two pixels, a delta of 3 on and 1 down, two pixels, end of line, an odd
  // literal (padded), end of bitmap before the top row.
  const Bytes rle8 = {2, 0, 0, 2, 3, 1, 2, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 1};
  const Bytes rle4 = {2, 0x00, 0, 2, 3, 1, 2, 0x11, 0, 0, 0, 3, 0x23, 0x20, 0, 1};
  const auto expected = Drawn({".......", "232....", ".....11", "00....."}, colours);
  ExpectPicture(LoadPictureBytes(BitmapFile({"RLE8", 40, 8, 1}, colours, rle8)), 7, 4, expected);
  ExpectPicture(LoadPictureBytes(BitmapFile({"RLE4", 40, 4, 2}, colours, rle4)), 7, 4, expected);
}

// An icon's bitmap image: its colour rows, then a mask whose columns left of maskedLeft are set.
// A 32-bit image's alpha is alpha(x) (its pixels written with 0 there).
Bytes IconImage(const Format& f, const Colours& colours, int maskedLeft, int (*alpha)(int x) = nullptr) {
  Bytes image = Headers(f, colours, f.height * 2);
  const std::size_t pixelsAt = image.size();
  const Bytes pixels = Pixels(f, colours);
  image.insert(image.end(), pixels.begin(), pixels.end());
  for (std::size_t i = 0; alpha && i < pixels.size(); i += 4)
    image[pixelsAt + i + 3] = static_cast<std::uint8_t>(alpha(static_cast<int>(i / 4 % f.width)));
  const std::size_t maskStride = (static_cast<std::size_t>(f.width) + 31) / 32 * 4;
  for (int y = 0; y < f.height; ++y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < maskedLeft; ++x) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    image.insert(image.end(), row.begin(), row.end());
  }
  return image;
}

Bytes Icon(const std::vector<Bytes>& images) {
  Bytes icon;
  Append(icon, 0, 2), Append(icon, 1, 2), Append(icon, images.size(), 2);
  std::size_t at = 6 + 16 * images.size();
  for (const Bytes& image : images) {
    Append(icon, 0, 4), Append(icon, 1, 2), Append(icon, 32, 2), Append(icon, image.size(), 4), Append(icon, at, 4);
    at += image.size();
  }
  for (const Bytes& image : images) icon.insert(icon.end(), image.begin(), image.end());
  return icon;
}

// Pixels of a width x height picture of one colour, black left of column clearLeft; column
// halfAt at half its colour.
std::vector<std::uint32_t> Columns(int width, int height, std::uint32_t colour, int clearLeft, int halfAt = -1) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(x < clearLeft ? 0 : x == halfAt ? (colour & 0x808080) : colour);
  return pixels;
}

TEST(IconImages, TheLargestImageIsDrawnWithItsMaskOrAlphaOverBlack) {
  const Format small{"8 x 8, 4 bits", 40, 4, 0, {}, false, 4, 8, 8},
      large{"16 x 16, 8 bits", 40, 8, 0, {}, false, 4, 16, 16};
  const Format direct{"8 x 8, 32 bits", 40, 32, 0, {}, false, 4, 8, 8},
      broken{"32 x 32, 24 bits", 40, 24, 0, {}, false, 4, 32, 32};
  const auto halfThenOpaque = [](int x) { return x < 4 ? 0 : x == 4 ? 128 : 255; };
  Bytes cut = IconImage(broken, {kWhite}, 0);
  cut.resize(cut.size() / 2);
  struct Case {
    const char* name;
    Bytes icon;
    int size;
    std::vector<std::uint32_t> pixels;
  };
  const Case cases[] = {
      {"the largest, the first of equal sizes",
       Icon({IconImage(small, {kRed}, 0), IconImage(large, {kGreen}, 0), IconImage(large, {kBlue}, 0)}), 16,
       Columns(16, 16, kGreen, 0)},
      {"its mask's pixels black", Icon({IconImage(small, {kBlue}, 3)}), 8, Columns(8, 8, kBlue, 3)},
      {"alpha over black, the mask unused", Icon({IconImage(direct, {kWhite}, 8, halfThenOpaque)}), 8,
       Columns(8, 8, kWhite, 4, 4)},
      {"alpha all 0: the mask instead", Icon({IconImage(direct, {kWhite}, 2, [](int) { return 0; })}), 8,
       Columns(8, 8, kWhite, 2)},
      {"a broken largest image passed over", Icon({cut, IconImage(small, {kRed}, 0)}), 8, Columns(8, 8, kRed, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectPicture(LoadPictureBytes(c.icon), c.size, c.size, c.pixels);
  }
}

TEST(IconImages, APngImageIsDecodedTooTransparencyOverBlack) {
  const auto picture = LoadPictureBytes(test::ReadFileBytes(test::DataFile(L"picture_png.ico")));
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->width, 256);
  const auto at = [&](int x, int y) { return picture->pixels[static_cast<std::size_t>(y) * 256 + x]; };
  const auto rgb = [](test::Rgb c) { return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b); };
  EXPECT_EQ(at(64, 64), 0u);
  EXPECT_EQ(at(192, 64), rgb(test::kTopRight));
  EXPECT_EQ(at(64, 192), rgb(test::kBottomLeft));
  EXPECT_EQ(at(192, 192), rgb(test::kBottomRight));
}

}  // namespace
}  // namespace lumiroll
