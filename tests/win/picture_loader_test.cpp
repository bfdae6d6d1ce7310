// The picture loader against real files and the real decoders (libjpeg-turbo, WIC, GDI).
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>

#include <chrono>
#include <random>

#include "platform/win32/picture_box.h"
#include "tests/win/load_in_child.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

using test::Bytes;
using test::Rgb;

Rgb PixelAt(const Picture& picture, int x, int y) {
  const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y) * picture.pixelWidth + x];
  return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)};
}

testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "got (" << actual.r << "," << actual.g << "," << actual.b << "), expected ("
                                     << expected.r << "," << expected.g << "," << expected.b << ")";
}

// The middle of each quadrant of the kept pixels holds that quadrant's colour.
void ExpectQuadrants(const Picture& picture, const Rgb (&expected)[4], int tolerance) {
  ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.pixelWidth) * picture.pixelHeight);
  const int w = picture.pixelWidth, h = picture.pixelHeight;
  EXPECT_TRUE(Near(PixelAt(picture, w / 4, h / 4), expected[0], tolerance)) << "top left";
  EXPECT_TRUE(Near(PixelAt(picture, w * 3 / 4, h / 4), expected[1], tolerance)) << "top right";
  EXPECT_TRUE(Near(PixelAt(picture, w / 4, h * 3 / 4), expected[2], tolerance)) << "bottom left";
  EXPECT_TRUE(Near(PixelAt(picture, w * 3 / 4, h * 3 / 4), expected[3], tolerance)) << "bottom right";
  for (std::uint32_t p : picture.pixels) ASSERT_EQ(p >> 24, 0u) << "the top byte of a pixel must be 0";
}

constexpr Rgb kQuadrants[4] = {test::kTopLeft, test::kTopRight, test::kBottomLeft, test::kBottomRight};
constexpr Rgb kBlack{0, 0, 0};

class PictureLoaderTest : public testing::Test {
 protected:
  test::ScratchFolder scratch;
};

TEST_F(PictureLoaderTest, EveryFormatLoadsByContentAtItsOwnSize) {
  const Bytes plainWmf = test::QuadrantWindowsMetafile(40, 30, 1, true);
  Bytes placeableWmf = test::PlaceableHeader(600, 450, 1440);  // 600 x 450 twips: 40 x 30 pixels
  const Bytes twipsWmf = test::QuadrantWindowsMetafile(40, 30, 15, false);
  placeableWmf.insert(placeableWmf.end(), twipsWmf.begin(), twipsWmf.end());
  struct Case {
    const wchar_t* name;
    std::wstring path;
    int width, height;
    int tolerance;
    Rgb quadrants[4] = {kQuadrants[0], kQuadrants[1], kQuadrants[2], kQuadrants[3]};
  };
  const Case cases[] = {
      {L"bmp", test::DataFile(L"picture.bmp"), 40, 30, 0},
      {L"rle (RLE8)", test::DataFile(L"picture.rle"), 40, 30, 0},
      {L"gif, first frame", test::DataFile(L"picture.gif"), 40, 30, 0},
      {L"jpg", test::DataFile(L"picture.jpg"), 64, 48, 12},
      {L"CMYK jpg", test::DataFile(L"picture_cmyk.jpg"), 64, 48, 12},
      {L"jif", test::DataFile(L"picture.jif"), 64, 48, 12},
      {L"ico, largest image, transparency over black",
       test::DataFile(L"picture.ico"),
       48,
       48,
       0,
       {kBlack, kQuadrants[1], kQuadrants[2], kQuadrants[3]}},
      {L"emf", scratch.Write(L"picture.emf", test::QuadrantEnhancedMetafile(40, 30)), 40, 30, 0},
      {L"plain wmf", scratch.Write(L"plain.wmf", plainWmf), 40, 30, 0},
      {L"placeable wmf", scratch.Write(L"placeable.wmf", placeableWmf), 40, 30, 0},
      {L"jpeg named .bmp", scratch.Write(L"photo.bmp", test::ReadFileBytes(test::DataFile(L"picture.jpg"))), 64, 48,
       12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
    PictureBox box;
    ASSERT_TRUE(box.LoadPicture(c.path));
    EXPECT_EQ(box.ScaleWidth(), c.width);
    EXPECT_EQ(box.ScaleHeight(), c.height);
    EXPECT_EQ(box.picture()->pixelWidth, c.width);
    EXPECT_EQ(box.picture()->pixelHeight, c.height);
    ExpectQuadrants(*box.picture(), c.quadrants, c.tolerance);
  }
}

TEST_F(PictureLoaderTest, PathsAsTheShowBuildsThemLoad) {
  const Bytes jpeg = test::ReadFileBytes(test::DataFile(L"picture.jpg"));
  const std::wstring paths[] = {
      scratch.Write(L"Été 2024 写真.jpg", jpeg),
      scratch.path() + L"\\\\" + L"Été 2024 写真.jpg",  // the folder setting ended with a separator already
      scratch.Write(L"UPPER.JPG", jpeg),
  };
  for (const std::wstring& path : paths) {
    PictureBox box;
    EXPECT_TRUE(box.LoadPicture(path)) << std::string(path.begin(), path.end());
  }
}

// The stored picture has a red mark at its top-left corner and a blue one at its top-right;
// where the upright picture shows them follows from the EXIF definition of each orientation.
TEST_F(PictureLoaderTest, ExifOrientationTurnsThePhotographUpright) {
  constexpr int kWidth = 64, kHeight = 32;
  static constexpr Rgb kRed{230, 20, 20}, kBlue{20, 20, 230}, kGrey{128, 128, 128};
  const auto marked = [](int x, int y) {
    if (y < 8 && x < 8) return kRed;
    if (y < 8 && x >= kWidth - 8) return kBlue;
    return kGrey;
  };
  enum Corner { kTL, kTR, kBL, kBR };
  struct Case {
    int orientation;
    Corner red, blue;
  };
  const Case cases[] = {{1, kTL, kTR}, {2, kTR, kTL}, {3, kBR, kBL}, {4, kBL, kBR},
                        {5, kTL, kBL}, {6, kTR, kBR}, {7, kBR, kTR}, {8, kBL, kTL}};
  for (const bool bigEndian : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << (bigEndian ? " MM" : " II"));
      const Bytes jpeg = test::EncodeJpeg(kWidth, kHeight, marked, test::ExifWithOrientation(c.orientation, bigEndian));
      PictureBox box;
      ASSERT_TRUE(box.LoadPicture(jpeg));
      const bool sideways = c.orientation >= 5;
      ASSERT_EQ(box.ScaleWidth(), sideways ? kHeight : kWidth);
      ASSERT_EQ(box.ScaleHeight(), sideways ? kWidth : kHeight);
      const Picture& p = *box.picture();
      const auto at = [&](Corner corner) {
        return PixelAt(p, corner == kTR || corner == kBR ? p.pixelWidth - 3 : 2,
                       corner == kBL || corner == kBR ? p.pixelHeight - 3 : 2);
      };
      EXPECT_TRUE(Near(at(c.red), kRed, 40)) << "red mark";
      EXPECT_TRUE(Near(at(c.blue), kBlue, 40)) << "blue mark";
    }
  }
}

TEST_F(PictureLoaderTest, ADrawBoundKeepsOnlyTheResolutionItNeeds) {
  struct Case {
    const char* name;
    int storedWidth, storedHeight, orientation;
    DrawBound bound;
    int keptWidth, keptHeight;
  };
  const Case cases[] = {
      {"landscape into a wide screen", 2400, 1600, 1, {960, 540}, 810, 540},
      {"portrait photo lying on its side", 2400, 1600, 6, {960, 540}, 360, 540},
      {"width limits", 2400, 600, 1, {960, 540}, 960, 240},
      {"smaller than the bound: all kept", 640, 480, 1, {960, 540}, 640, 480},
      {"no bound: all kept", 2400, 1600, 1, {0, 0}, 2400, 1600},
      {"a preview", 2400, 1600, 1, {160, 120}, 160, 107},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes jpeg = test::EncodeJpeg(c.storedWidth, c.storedHeight, test::Quadrants(c.storedWidth, c.storedHeight),
                                        c.orientation == 1 ? Bytes{} : test::ExifWithOrientation(c.orientation, false));
    PictureBox box;
    box.SetDrawBound(c.bound);
    ASSERT_TRUE(box.LoadPicture(jpeg));
    const bool sideways = c.orientation >= 5;
    EXPECT_EQ(box.ScaleWidth(), sideways ? c.storedHeight : c.storedWidth);
    EXPECT_EQ(box.ScaleHeight(), sideways ? c.storedWidth : c.storedHeight);
    EXPECT_EQ(box.picture()->pixelWidth, c.keptWidth);
    EXPECT_EQ(box.picture()->pixelHeight, c.keptHeight);
    if (!sideways) ExpectQuadrants(*box.picture(), kQuadrants, 12);
  }
}

TEST_F(PictureLoaderTest, ADrawBoundAppliesToLaterLoadsAndToEveryFormat) {
  PictureBox box;
  ASSERT_TRUE(box.LoadPicture(test::DataFile(L"picture.bmp")));
  box.SetDrawBound({20, 20});
  EXPECT_EQ(box.picture()->pixelWidth, 40) << "the picture already held is unchanged";
  ASSERT_TRUE(box.LoadPicture(test::DataFile(L"picture.bmp")));
  EXPECT_EQ(box.ScaleWidth(), 40);
  EXPECT_EQ(box.picture()->pixelWidth, 20);
  EXPECT_EQ(box.picture()->pixelHeight, 15);
  ExpectQuadrants(*box.picture(), kQuadrants, 0);
  ASSERT_TRUE(box.LoadPicture(scratch.Write(L"big.emf", test::QuadrantEnhancedMetafile(400, 300))));
  EXPECT_EQ(box.ScaleWidth(), 400);
  EXPECT_EQ(box.picture()->pixelWidth, 20);
  ExpectQuadrants(*box.picture(), kQuadrants, 0);
  box.Clear();
  EXPECT_FALSE(box.HasPicture());
  EXPECT_EQ(box.ScaleWidth(), 0);
  EXPECT_EQ(box.ScaleHeight(), 0);
}

// --- Damaged and hostile files -------------------------------------------------------------

void PutLittleEndian(Bytes& bytes, std::size_t at, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A bitmap file with a BITMAPINFOHEADER and pixelBytes of pixel data (all zero).
Bytes Bitmap(std::int32_t width, std::int32_t height, int bitCount, int compression, std::size_t pixelBytes) {
  Bytes bmp(54 + pixelBytes, 0);
  bmp[0] = 'B', bmp[1] = 'M';
  PutLittleEndian(bmp, 2, bmp.size(), 4);
  PutLittleEndian(bmp, 10, 54, 4);
  PutLittleEndian(bmp, 14, 40, 4);
  PutLittleEndian(bmp, 18, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(bmp, 22, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(bmp, 26, 1, 2);
  PutLittleEndian(bmp, 28, bitCount, 2);
  PutLittleEndian(bmp, 30, compression, 4);
  return bmp;
}

// A legal bitmap whose rows are stored top-down (negative height): the four quadrants.
Bytes TopDownQuadrantBitmap() {
  constexpr int kWidth = 40, kHeight = 30;
  Bytes bmp = Bitmap(kWidth, -kHeight, 24, 0, kWidth * kHeight * 3);
  const auto colour = test::Quadrants(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = colour(x, y);
      const std::size_t at = 54 + (static_cast<std::size_t>(y) * kWidth + x) * 3;
      bmp[at] = static_cast<std::uint8_t>(c.b), bmp[at + 1] = static_cast<std::uint8_t>(c.g),
      bmp[at + 2] = static_cast<std::uint8_t>(c.r);
    }
  return bmp;
}

Bytes JpegDeclaring(std::uint16_t width, std::uint16_t height) {
  Bytes jpeg = test::EncodeJpeg(16, 16, test::Quadrants(16, 16));
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // SOF0: length, precision, height, width
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8), jpeg[i + 6] = static_cast<std::uint8_t>(height);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8), jpeg[i + 8] = static_cast<std::uint8_t>(width);
    }
  return jpeg;
}

Bytes GifDeclaring(std::uint16_t width, std::uint16_t height) {
  Bytes gif = {'G',  'I', 'F',  '8',  '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,  // screen, 2 colours
               0x2C, 0,   0,    0,    0,   0,   0, 0, 0, 0,                                      // image descriptor
               2,    2,   0x44, 0x01, 0,   0x3B};  // a few pixels of LZW data, trailer
  PutLittleEndian(gif, 6, width, 2), PutLittleEndian(gif, 8, height, 2);
  PutLittleEndian(gif, 24, width, 2), PutLittleEndian(gif, 26, height, 2);
  return gif;
}

// An icon whose one image (a bitmap) declares width x height.
Bytes IconDeclaring(std::int32_t width, std::int32_t height) {
  Bytes ico(6 + 16 + 40 + 64, 0);
  PutLittleEndian(ico, 2, 1, 2), PutLittleEndian(ico, 4, 1, 2);                  // an icon of one image
  PutLittleEndian(ico, 6 + 4, 1, 2), PutLittleEndian(ico, 6 + 6, 32, 2);         // planes, bits
  PutLittleEndian(ico, 6 + 8, 40 + 64, 4), PutLittleEndian(ico, 6 + 12, 22, 4);  // size, offset
  PutLittleEndian(ico, 22, 40, 4), PutLittleEndian(ico, 26, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(ico, 30, static_cast<std::uint32_t>(height) * 2, 4);  // colour and mask rows
  PutLittleEndian(ico, 34, 1, 2), PutLittleEndian(ico, 36, 32, 2);
  return ico;
}

Bytes ZeroSizeEnhancedMetafile() {
  Bytes emf = test::QuadrantEnhancedMetafile(40, 30);
  for (int i = 0; i < 4; ++i) PutLittleEndian(emf, 8 + 4 * i, i < 2 ? 0 : 0xFFFFFFFF, 4);  // bounds: empty
  for (int i = 0; i < 4; ++i) PutLittleEndian(emf, 24 + 4 * i, 0, 4);                      // frame: zero
  return emf;
}

Bytes ZeroSizePlaceableMetafile() {
  Bytes wmf = test::PlaceableHeader(0, 0, 1440);
  const Bytes records = test::QuadrantWindowsMetafile(40, 30, 15, false);
  wmf.insert(wmf.end(), records.begin(), records.end());
  return wmf;
}

Bytes Noise(std::size_t size, std::initializer_list<std::uint8_t> start = {}) {
  std::mt19937 random(12345);
  Bytes bytes(size);
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
  std::copy(start.begin(), start.end(), bytes.begin());
  return bytes;
}

Bytes Truncated(Bytes bytes, double keep) {
  bytes.resize(static_cast<std::size_t>(static_cast<double>(bytes.size()) * keep));
  return bytes;
}

Bytes NoisyJpeg(int width, int height) {
  std::mt19937 random(7);
  return test::EncodeJpeg(width, height, [&](int, int) {
    return Rgb{static_cast<int>(random() % 256), static_cast<int>(random() % 256), static_cast<int>(random() % 256)};
  });
}

struct Memory {
  std::size_t committed;
};
Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return {counters.PrivateUsage};
}

// An 8 x 2 bitmap of 4 bits a pixel, run-length encoded: its top row one run of colour 3, its
// bottom row (stored first) one run alternating colours 1 and 2.
Bytes RunLength4Bitmap() {
  Bytes bmp = Bitmap(8, 2, 4, 2, 16 * 4);
  PutLittleEndian(bmp, 10, 54 + 16 * 4, 4);
  const Rgb palette[] = {{0, 0, 0}, test::kTopLeft, test::kTopRight, test::kBottomLeft};
  for (int i = 0; i < 4; ++i) {
    bmp[54 + i * 4] = static_cast<std::uint8_t>(palette[i].b),
                 bmp[55 + i * 4] = static_cast<std::uint8_t>(palette[i].g);
    bmp[56 + i * 4] = static_cast<std::uint8_t>(palette[i].r);
  }
  const Bytes runs = {8, 0x12, 0, 0, 8, 0x33, 0, 0, 0, 1};
  bmp.insert(bmp.end(), runs.begin(), runs.end());
  PutLittleEndian(bmp, 34, runs.size(), 4);
  PutLittleEndian(bmp, 2, bmp.size(), 4);
  return bmp;
}

TEST_F(PictureLoaderTest, RunLengthBitmapOfFourBitsLoads) {
  PictureBox box;
  ASSERT_TRUE(box.LoadPicture(scratch.Write(L"four.rle", RunLength4Bitmap())));
  ASSERT_EQ(box.ScaleWidth(), 8);
  ASSERT_EQ(box.ScaleHeight(), 2);
  for (int x = 0; x < 8; ++x) {
    EXPECT_TRUE(Near(PixelAt(*box.picture(), x, 0), test::kBottomLeft, 0)) << "top row, x " << x;
    EXPECT_TRUE(Near(PixelAt(*box.picture(), x, 1), x % 2 ? test::kTopRight : test::kTopLeft, 0))
        << "bottom row, x " << x;
  }
}

enum class Outcome { kFails, kLoads, kEither };

TEST_F(PictureLoaderTest, DamagedAndHostileFilesFailCleanlyAndTheOldPictureStays) {
  constexpr std::size_t kMemoryAllowance = 64 << 20;
  constexpr auto kHangLimit = std::chrono::seconds(2);
  const Bytes text = {'N', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '.', '\r', '\n'};
  struct Case {
    const char* name;
    std::wstring path;
    Outcome outcome;
  };
  const Case cases[] = {
      {"missing file", scratch.path() + L"\\missing.jpg", Outcome::kFails},
      {"a folder", scratch.path(), Outcome::kFails},
      {"empty file", scratch.Write(L"empty.jpg", Bytes{}), Outcome::kFails},
      {"text named .jpg", scratch.Write(L"notes.jpg", text), Outcome::kFails},
      {"random bytes", scratch.Write(L"noise.bmp", Noise(65536)), Outcome::kFails},
      {"random bytes after a JPEG signature", scratch.Write(L"noise.jpg", Noise(65536, {0xFF, 0xD8, 0xFF, 0xE0})),
       Outcome::kFails},
      {"truncated JPEG", scratch.Write(L"cut.jpg", Truncated(NoisyJpeg(512, 512), 0.6)), Outcome::kFails},
      {"JPEG of its header only", scratch.Write(L"header.jpg", Truncated(NoisyJpeg(512, 512), 0.002)), Outcome::kFails},
      {"JPEG declaring 65,000 x 65,000", scratch.Write(L"huge.jpg", JpegDeclaring(65000, 65000)), Outcome::kFails},
      {"BMP declaring 2^31-1 x 2^31-1", scratch.Write(L"huge.bmp", Bitmap(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, 64)),
       Outcome::kFails},
      {"BMP with height -2^31", scratch.Write(L"minus.bmp", Bitmap(1, INT32_MIN, 24, 0, 64)), Outcome::kFails},
      {"BMP declaring 60,000 x 60,000", scratch.Write(L"wide.bmp", Bitmap(60000, 60000, 32, 0, 64)), Outcome::kFails},
      {"BMP of 8,000 x 8,000 with its rows missing", scratch.Write(L"short.bmp", Bitmap(8000, 8000, 24, 0, 64)),
       Outcome::kFails},
      {"truncated BMP", scratch.Write(L"cut.bmp", Truncated(test::ReadFileBytes(test::DataFile(L"picture.bmp")), 0.5)),
       Outcome::kFails},
      {"RLE8 BMP of 8,000 x 8,000 that ends at once",
       scratch.Write(L"empty.rle",
                     [] {
                       Bytes rle = Bitmap(8000, 8000, 8, 1, 1024 + 2);
                       PutLittleEndian(rle, 10, 54 + 1024, 4);
                       rle[54 + 1024 + 1] = 1;  // end of bitmap
                       return rle;
                     }()),
       Outcome::kFails},
      {"top-down BMP (negative height)", scratch.Write(L"topdown.bmp", TopDownQuadrantBitmap()), Outcome::kLoads},
      {"GIF declaring 65,535 x 65,535", scratch.Write(L"huge.gif", GifDeclaring(65535, 65535)), Outcome::kFails},
      {"GIF declaring 8,000 x 8,000 with a few bytes", scratch.Write(L"big.gif", GifDeclaring(8000, 8000)),
       Outcome::kEither},
      {"ICO whose image declares 8,000 x 8,000", scratch.Write(L"big.ico", IconDeclaring(8000, 8000)),
       Outcome::kEither},
      {"truncated GIF", scratch.Write(L"cut.gif", Truncated(test::ReadFileBytes(test::DataFile(L"picture.gif")), 0.5)),
       Outcome::kEither},
      {"ICO whose image declares 100,000 x 100,000", scratch.Write(L"huge.ico", IconDeclaring(100000, 100000)),
       Outcome::kFails},
      {"zero-size EMF", scratch.Write(L"zero.emf", ZeroSizeEnhancedMetafile()), Outcome::kFails},
      {"zero-size placeable WMF", scratch.Write(L"zero.wmf", ZeroSizePlaceableMetafile()), Outcome::kFails},
      {"plain WMF that sets no window extent",
       scratch.Write(L"nosize.wmf", test::QuadrantWindowsMetafile(40, 30, 1, false)), Outcome::kFails},
  };
  PictureBox box;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(box.LoadPicture(test::DataFile(L"picture.bmp")));
    const Memory before = ProcessMemory();
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = box.LoadPicture(c.path);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const Memory after = ProcessMemory();
    if (c.outcome != Outcome::kEither) {
      EXPECT_EQ(loaded, c.outcome == Outcome::kLoads);
    }
    if (loaded) {
      ASSERT_NE(box.picture(), nullptr);
      EXPECT_EQ(box.picture()->pixels.size(), std::size_t(box.picture()->pixelWidth) * box.picture()->pixelHeight);
    } else {
      EXPECT_EQ(box.ScaleWidth(), 40) << "the old picture must stay";
      EXPECT_EQ(box.ScaleHeight(), 30);
      ExpectQuadrants(*box.picture(), kQuadrants, 0);
    }
    EXPECT_LT(elapsed, kHangLimit);
    EXPECT_LT(after.committed, before.committed + kMemoryAllowance) << "memory kept afterwards";
    // The memory taken on the way, by the same load in a child process of its own.
    const auto child = test::LoadInChild(c.path, test::DataFile(L"picture.bmp"), {DrawBound{}}, kMemoryAllowance, true);
    ASSERT_TRUE(child) << "the child load did not run";
    EXPECT_EQ(child->loaded, loaded);
    EXPECT_LT(child->takenBytes, kMemoryAllowance) << "memory taken on the way";
  }
  ASSERT_TRUE(box.LoadPicture(scratch.path() + L"\\topdown.bmp"));
  ExpectQuadrants(*box.picture(), kQuadrants, 0);
}

}  // namespace
}  // namespace lumiroll
