// Pictures stay bounded in memory and time whatever the file declares: JPEG data that ends before
// its last row is damage in every coding, and complete files of every coding still load.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "platform/picture.h"
#include "platform/win32/handles.h"
#include "platform/win32/picture_loader.h"
#include "tests/win/load_in_child.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

using test::Bytes;
using test::JpegCoding;

constexpr DrawBound kFit{1920, 1080, 0.0f}, kActualSize{1920, 1080, 1.0f}, kPreview{320, 180, 0.2f};

// A file of these bytes in the temporary folder, for a child process to load.
std::wstring WrittenForChild(const Bytes& bytes, const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"lumiroll-bounded-" + name;
  const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  EXPECT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  return path;
}

// A complete 64 x 48 JPEG: the baseline of a child's load.
const std::wstring& TinyJpeg() {
  static const std::wstring path = WrittenForChild(test::EncodeJpegWith(64, 48,
                                                                        [](int x, int y) {
                                                                          return test::Rgb{x * 4, y * 5, 90};
                                                                        },
                                                                        {}),
                                                   L"tiny.jpg");
  return path;
}

template <typename Load>
std::chrono::steady_clock::duration TimeOf(Load load) {
  const auto start = std::chrono::steady_clock::now();
  load();
  return std::chrono::steady_clock::now() - start;
}

// Real picture content, so that every coding spends data on every block.
test::PixelFunction Detailed(int width, int height) {
  return [=](int x, int y) {
    const auto quadrant = test::Quadrants(width, height)(x, y);
    const int ripple = (x * 7 + y * 13) % 32;
    return test::Rgb{quadrant.r / 2 + ripple * 3, quadrant.g / 2 + ripple * 2, quadrant.b / 2 + ripple};
  };
}

Bytes Small(const JpegCoding& coding) { return test::EncodeJpegWith(64, 48, Detailed(64, 48), coding); }

TEST(BoundedPicture, JpegDataEndingBeforeTheLastRowFailsQuicklyAtEverySize) {
  const Bytes rotated = test::ExifWithOrientation(6, false);
  struct Case {
    const char* name;
    Bytes jpeg;
  };
  const Case cases[] = {
      {"baseline declaring 65500 x 8196", test::DeclaringSize(Small({}), 65500, 8196)},
      {"the same, EXIF orientation 6", test::DeclaringSize(Small({.app1 = rotated}), 65500, 8196)},
      {"arithmetic", test::DeclaringSize(Small({.arithmetic = true}), 65500, 8196)},
      {"greyscale progressive", test::DeclaringSize(Small({.progressive = true, .greyscale = true}), 65500, 8196)},
      {"progressive arithmetic", test::DeclaringSize(Small({.progressive = true, .arithmetic = true}), 65500, 8196)},
      {"with restart markers", test::DeclaringSize(Small({.restartRows = 1}), 65500, 8196)},
      {"arithmetic declaring 6000 x 4000", test::DeclaringSize(Small({.arithmetic = true}), 6000, 4000)},
      {"arithmetic with restarts, a few rows taller",
       test::DeclaringSize(Small({.arithmetic = true, .restartRows = 1}), 64, 48 + 32)},
      {"baseline, a few rows taller", test::DeclaringSize(Small({}), 64, 48 + 32)},
  };
  // The baseline beside it: a complete 1024 x 768 photograph decoded at the same bound. A file
  // decoded at its declared size would take a hundred times as long as that.
  const Bytes complete = test::EncodeJpegWith(1024, 768, Detailed(1024, 768), {});
  for (const Case& c : cases) {
    for (const DrawBound bound : {kFit, kActualSize, kPreview}) {
      SCOPED_TRACE(testing::Message() << c.name << " at scale " << bound.scale);
      const auto baseline = TimeOf([&] { EXPECT_TRUE(LoadPictureBytes(complete, bound)); });
      const auto failing = TimeOf([&] { EXPECT_FALSE(LoadPictureBytes(c.jpeg, bound)); });
      EXPECT_LT(failing, baseline * 10 + std::chrono::milliseconds(500)) << "fails quickly";
    }
    SCOPED_TRACE(c.name);
    constexpr std::size_t kAllowance = std::size_t{64} << 20;
    const auto child = test::LoadInChild(WrittenForChild(c.jpeg, L"damaged.jpg"), TinyJpeg(),
                                         {kFit, kActualSize, kPreview}, kAllowance);
    ASSERT_TRUE(child) << "the child load did not run";
    EXPECT_FALSE(child->loaded);
    EXPECT_LT(child->takenBytes, kAllowance) << "memory taken on the way";
  }
}

TEST(BoundedPicture, CompleteJpegsOfEveryCodingLoadAtEverySize) {
  const Bytes rotated = test::ExifWithOrientation(6, true);
  const auto flat = [](int, int) { return test::Rgb{90, 90, 90}; };
  struct Case {
    const char* name;
    Bytes jpeg;
    int width, height;
  };
  const Case cases[] = {
      {"baseline", test::EncodeJpegWith(640, 480, Detailed(640, 480), {}), 640, 480},
      {"progressive", test::EncodeJpegWith(640, 480, Detailed(640, 480), {.progressive = true}), 640, 480},
      {"arithmetic", test::EncodeJpegWith(640, 480, Detailed(640, 480), {.arithmetic = true}), 640, 480},
      {"progressive arithmetic",
       test::EncodeJpegWith(640, 480, Detailed(640, 480), {.progressive = true, .arithmetic = true}), 640, 480},
      {"greyscale", test::EncodeJpegWith(640, 480, Detailed(640, 480), {.greyscale = true}), 640, 480},
      {"restart markers", test::EncodeJpegWith(640, 480, Detailed(640, 480), {.restartRows = 2}), 640, 480},
      {"arithmetic with restarts",
       test::EncodeJpegWith(640, 480, Detailed(640, 480), {.arithmetic = true, .restartRows = 2}), 640, 480},
      {"rotated", test::EncodeJpegWith(640, 480, Detailed(640, 480), {.app1 = rotated}), 480, 640},
      // Flat pictures are nearly all end-of-block runs: tiny data that still reaches the last row.
      {"flat progressive 4000 x 3000", test::EncodeJpegWith(4000, 3000, flat, {.progressive = true}), 4000, 3000},
      {"flat baseline 4000 x 3000", test::EncodeJpegWith(4000, 3000, flat, {}), 4000, 3000},
      // Arithmetic coding drops the zero bytes a flat tail would take: the data ends early, rightly.
      {"flat arithmetic 2000 x 1500", test::EncodeJpegWith(2000, 1500, flat, {.arithmetic = true}), 2000, 1500},
      {"arithmetic with a black lower third",
       test::EncodeJpegWith(2000, 1500,
                            [](int x, int y) {
                              return y >= 1000 ? test::Rgb{} : test::Rgb{x % 200, y % 180, (x + y) % 160};
                            },
                            {.arithmetic = true}),
       2000, 1500},
  };
  for (const Case& c : cases)
    for (const DrawBound bound : {kFit, kActualSize, kPreview, DrawBound{}}) {
      SCOPED_TRACE(testing::Message() << c.name << " at scale " << bound.scale << ", bound " << bound.width);
      const auto picture = LoadPictureBytes(c.jpeg, bound);
      ASSERT_TRUE(picture);
      EXPECT_EQ(picture->width, c.width);
      EXPECT_EQ(picture->height, c.height);
      EXPECT_EQ(picture->pixels.size(), std::size_t(picture->pixelWidth) * picture->pixelHeight);
      const PictureRegion covered = CoveredRegion(*picture);
      EXPECT_TRUE(covered.left >= 0 && covered.top >= 0 && covered.left + covered.width <= c.width &&
                  covered.top + covered.height <= c.height);
    }
}

// A complete, large photograph at actual size keeps only about a screen's worth of pixels.
TEST(BoundedPicture, ALargeJpegAtActualSizeKeepsOnlyTheMiddle) {
  const Bytes jpeg = test::EncodeJpegWith(8000, 6000, Detailed(8000, 6000), {.quality = 60});
  for (const DrawBound bound : {kActualSize, kPreview, kFit}) {
    SCOPED_TRACE(testing::Message() << "scale " << bound.scale);
    const auto picture = LoadPictureBytes(jpeg, bound);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 8000);
    EXPECT_LE(picture->pixelWidth, 1920 + 32);
    EXPECT_LE(picture->pixelHeight, 1080 + 32);
  }
  // Its memory, each bound in a child of its own: the whole picture would take 192 MB.
  for (const DrawBound bound : {kActualSize, kPreview, kFit}) {
    SCOPED_TRACE(testing::Message() << "in a child, scale " << bound.scale);
    constexpr std::size_t kAllowance = std::size_t{48} << 20;
    const auto child = test::LoadInChild(WrittenForChild(jpeg, L"large.jpg"), TinyJpeg(), {bound}, kAllowance);
    ASSERT_TRUE(child) << "the child load did not run";
    EXPECT_TRUE(child->loaded);
    EXPECT_LT(child->takenBytes, kAllowance);
  }
}

// The measure of a child's memory sees memory: a child that takes 160 MB is seen taking it.
TEST(BoundedPicture, TheChildsMemoryMeasureSeesWhatItTakes) {
  const auto child = test::TakeInChild(std::size_t{160} << 20);
  ASSERT_TRUE(child);
  EXPECT_GT(child->takenBytes, std::size_t{128} << 20);
}

// Every format keeps only the middle at a scale; each kept pixel is the one the whole picture has
// at the place the kept part covers.
TEST(BoundedPicture, EveryFormatKeepsOnlyTheMiddleAtAScale) {
  struct Case {
    const char* name;
    Bytes bytes;
    int tolerance;  // JPEG decoded cropped and whole may differ in the last bit of the colour
  };
  const Case cases[] = {
      {"BMP", test::ReadFileBytes(test::DataFile(L"picture.bmp")), 0},
      {"RLE", test::ReadFileBytes(test::DataFile(L"picture.rle")), 0},
      {"GIF", test::ReadFileBytes(test::DataFile(L"picture.gif")), 0},
      {"ICO", test::ReadFileBytes(test::DataFile(L"picture.ico")), 0},
      {"JPEG", test::ReadFileBytes(test::DataFile(L"picture.jpg")), 2},
      {"EMF", test::QuadrantEnhancedMetafile(400, 300), 0},
      {"WMF", test::QuadrantWindowsMetafile(400, 300, 1, true), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto whole = LoadPictureBytes(c.bytes);
    ASSERT_TRUE(whole);
    // A destination a third of the picture's size: the middle third and a margin are kept.
    const auto middle = LoadPictureBytes(c.bytes, {whole->width / 3, whole->height / 3, 1.0f});
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->width, whole->width);
    EXPECT_EQ(middle->height, whole->height);
    const PictureRegion r = CoveredRegion(*middle);
    EXPECT_LT(r.width, whole->width);
    EXPECT_LT(r.height, whole->height);
    ASSERT_EQ(middle->pixelWidth, r.width);
    ASSERT_EQ(middle->pixelHeight, r.height);
    int worst = 0;
    for (int y = 0; y < r.height; ++y)
      for (int x = 0; x < r.width; ++x) {
        const std::uint32_t kept = middle->pixels[static_cast<std::size_t>(y) * r.width + x];
        const std::uint32_t own = whole->pixels[static_cast<std::size_t>(r.top + y) * whole->width + r.left + x];
        for (int shift : {0, 8, 16})
          worst = std::max(worst, std::abs(int(kept >> shift & 0xFF) - int(own >> shift & 0xFF)));
      }
    EXPECT_LE(worst, c.tolerance);
  }
}

}  // namespace
}  // namespace lumiroll
