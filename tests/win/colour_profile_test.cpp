// Colour-managed pictures through the real loader: embedded profiles and the EXIF Adobe RGB mark
// converted to the display's profile; untagged pictures and damaged profiles left exactly alone.
// Expected colours come from ImageMagick's LittleCMS conversion of the same files
// (tests/win/data/make_colour_pictures.sh prints them).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/display_profile.h"
#include "platform/picture.h"
#include "platform/win32/monitor_profile.h"
#include "platform/win32/picture_loader.h"
#include "tests/shared/exif_colour_segment.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

using test::Bytes;
using test::Rgb;
using Quads = std::array<Rgb, 4>;

// Our 8-bit transforms against ImageMagick's 16-bit ones, after JPEG coding: a step or two.
constexpr int kTolerance = 3;

constexpr Quads kSrgbOfAdobeRgb{{{233, 35, 35}, {0, 160, 5}, {35, 35, 205}, {228, 201, 0}}};
constexpr Quads kStored{{test::kTopLeft, test::kTopRight, test::kBottomLeft, test::kBottomRight}};

Rgb PixelAt(const Picture& picture, int x, int y) {
  const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y) * picture.pixelWidth + x];
  return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)};
}

// The middle of each quadrant against the expected colours; the top byte of every pixel 0.
testing::AssertionResult QuadrantsNear(const Picture& picture, const Quads& expected) {
  const int w = picture.pixelWidth, h = picture.pixelHeight;
  const int xs[] = {w / 4, w * 3 / 4, w / 4, w * 3 / 4}, ys[] = {h / 4, h / 4, h * 3 / 4, h * 3 / 4};
  testing::AssertionResult result = testing::AssertionSuccess();
  bool ok = true;
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const Rgb got = PixelAt(picture, xs[i], ys[i]), want = expected[i];
    ok = ok && std::abs(got.r - want.r) <= kTolerance && std::abs(got.g - want.g) <= kTolerance &&
         std::abs(got.b - want.b) <= kTolerance;
    text += "(" + std::to_string(got.r) + "," + std::to_string(got.g) + "," + std::to_string(got.b) + ") for (" +
            std::to_string(want.r) + "," + std::to_string(want.g) + "," + std::to_string(want.b) + ") ";
  }
  for (std::uint32_t p : picture.pixels) ok = ok && (p >> 24) == 0;
  return ok ? testing::AssertionSuccess() : testing::AssertionFailure() << text;
}

Bytes DataBytes(const wchar_t* name) { return test::ReadFileBytes(test::DataFile(name)); }

// A JPEG with the given APP2 segments' data inserted right after its start marker.
Bytes WithApp2(const Bytes& jpeg, const std::vector<Bytes>& segments) {
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const Bytes& s : segments) {
    const std::size_t length = s.size() + 2;
    out.insert(out.end(), {0xFF, 0xE2, std::uint8_t(length >> 8), std::uint8_t(length)});
    out.insert(out.end(), s.begin(), s.end());
  }
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

// A profile as APP2 pieces of at most 65519 bytes, numbered from 1 of count.
std::vector<Bytes> IccPieces(const Bytes& profile, int numberOffset = 0, int countOffset = 0) {
  constexpr std::size_t kPiece = 65519;
  const int count = static_cast<int>((profile.size() + kPiece - 1) / kPiece);
  std::vector<Bytes> pieces;
  for (int i = 0; i < count; ++i) {
    Bytes s = {'I',
               'C',
               'C',
               '_',
               'P',
               'R',
               'O',
               'F',
               'I',
               'L',
               'E',
               0,
               std::uint8_t(i + 1 + numberOffset),
               std::uint8_t(count + countOffset)};
    const auto from = profile.begin() + static_cast<std::ptrdiff_t>(i * kPiece);
    s.insert(s.end(), from, from + static_cast<std::ptrdiff_t>(std::min(kPiece, profile.size() - i * kPiece)));
    pieces.push_back(std::move(s));
  }
  return pieces;
}

Bytes QuadrantJpeg(std::span<const std::uint8_t> app1 = {}) {
  return test::EncodeJpeg(64, 48, test::Quadrants(64, 48), app1, 95);
}

TEST(ColourProfiles, TaggedPicturesShowInSrgbAsLittleCmsConvertsThem) {
  struct Case {
    const wchar_t* file;
    Quads expected;
    DrawBound bound;
  };
  const Case cases[] = {
      {L"picture_adobergb.jpg", kSrgbOfAdobeRgb, {}},
      {L"picture_prophoto.jpg", {{{255, 0, 49}, {0, 191, 0}, {0, 52, 224}, {255, 206, 0}}}, {}},
      {L"picture_p3.jpg", {{{218, 0, 26}, {0, 162, 0}, {40, 40, 208}, {224, 199, 0}}}, {}},
      {L"picture_swapped.jpg", {{{40, 200, 40}, {159, 40, 39}, {40, 40, 200}, {200, 220, 41}}}, {}},
      {L"picture_grey.jpg", {{{77, 77, 77}, {129, 129, 129}, {184, 184, 184}, {235, 235, 235}}}, {}},
      {L"picture_cmyk_profile.jpg", {{{200, 42, 41}, {40, 160, 40}, {41, 41, 200}, {220, 200, 41}}}, {}},
      // Reduced on the way (DCT scaling and the filter), converted all the same.
      {L"picture_swapped.jpg", {{{40, 200, 40}, {159, 40, 39}, {40, 40, 200}, {200, 220, 41}}}, {16, 12}},
      {L"picture_cmyk_profile.jpg", {{{200, 42, 41}, {40, 160, 40}, {41, 41, 200}, {220, 200, 41}}}, {16, 12}},
  };
  for (const Case& c : cases) {
    const auto picture = LoadPictureFile(test::DataFile(c.file), c.bound);
    ASSERT_TRUE(picture) << c.file;
    EXPECT_EQ(picture->width, 64);
    EXPECT_TRUE(QuadrantsNear(*picture, c.expected)) << c.file << " bound " << c.bound.width;
  }
}

TEST(ColourProfiles, TheExifAdobeRgbMarkConvertsOnlyWhenComplete) {
  const auto untagged = LoadPictureBytes(QuadrantJpeg());
  ASSERT_TRUE(untagged);
  ASSERT_TRUE(QuadrantsNear(*untagged, kStored));
  struct Case {
    const char* name;
    test::ExifColourFields fields;
    bool converted;
  };
  const Case cases[] = {
      {"uncalibrated and R03", {0xFFFF, "R03", false}, true},
      {"uncalibrated and R03, Motorola order", {0xFFFF, "R03", true}, true},
      {"sRGB", {1, "R98", false}, false},
      {"uncalibrated without an index", {0xFFFF, "", false}, false},
  };
  for (const Case& c : cases) {
    const auto picture = LoadPictureBytes(QuadrantJpeg(test::ExifColourSegment(c.fields)));
    ASSERT_TRUE(picture) << c.name;
    if (c.converted) EXPECT_TRUE(QuadrantsNear(*picture, kSrgbOfAdobeRgb)) << c.name;
    else EXPECT_EQ(picture->pixels, untagged->pixels) << c.name;
  }
  // An embedded profile outranks the mark.
  const Bytes p3 = DataBytes(L"display_p3.icc");
  const auto both = LoadPictureBytes(WithApp2(QuadrantJpeg(test::ExifColourSegment({})), IccPieces(p3)));
  ASSERT_TRUE(both);
  EXPECT_TRUE(QuadrantsNear(*both, {{{218, 0, 26}, {0, 162, 0}, {40, 40, 208}, {224, 199, 0}}}));
}

// A bad profile must leave the picture exactly as an untagged one, never fail it.
TEST(ColourProfiles, DamagedOrUnsuitableProfilesAreIgnored) {
  const Bytes plain = QuadrantJpeg();
  const auto untagged = LoadPictureBytes(plain);
  ASSERT_TRUE(untagged);
  const Bytes p3 = DataBytes(L"display_p3.icc");
  ASSERT_GT(p3.size(), 1000u);
  // The insertion itself works: the whole profile converts.
  const auto good = LoadPictureBytes(WithApp2(plain, IccPieces(p3)));
  ASSERT_TRUE(good);
  ASSERT_NE(good->pixels, untagged->pixels);

  const auto changed = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    Bytes p = p3;
    std::copy(bytes.begin(), bytes.end(), p.begin() + static_cast<std::ptrdiff_t>(at));
    return p;
  };
  Bytes huge = p3;
  huge.resize((std::size_t{4} << 20) + 1, 0);
  huge[0] = std::uint8_t(huge.size() >> 24), huge[1] = std::uint8_t(huge.size() >> 16);
  huge[2] = std::uint8_t(huge.size() >> 8), huge[3] = std::uint8_t(huge.size());
  std::vector<Bytes> twoPieces = IccPieces(Bytes(p3.begin(), p3.begin() + 4000));
  const Bytes secondHalf(p3.begin() + 4000, p3.end());
  twoPieces[0][13] = 2;  // announces two pieces; the second never comes
  struct Case {
    const char* name;
    std::vector<Bytes> segments;
  };
  const Case cases[] = {
      {"cut short", IccPieces(Bytes(p3.begin(), p3.begin() + p3.size() / 2))},
      {"no signature", IccPieces(changed(36, {'x', 'x', 'x', 'x'}))},
      {"absurd tag count", IccPieces(changed(128, {0xFF, 0xFF, 0xFF, 0xFF}))},
      {"red colorant past the end", IccPieces(changed(132 + 12 * 3 + 4, {0x7F, 0, 0, 0}))},  // the fourth tag
      {"garbage after the header", IccPieces([&] {
         Bytes p = p3;
         std::fill(p.begin() + 132, p.end(), 0xA5);
         return p;
       }())},
      {"over 4 MB", IccPieces(huge)},
      {"a piece missing", twoPieces},
      {"pieces numbered from 2", IccPieces(p3, 1, 1)},
      {"a CMYK profile on a colour picture", IccPieces(DataBytes(L"cmyk_simple.icc"))},
      {"a grey profile on a colour picture", IccPieces(DataBytes(L"grey18.icc"))},
      {"a Lab profile", IccPieces(changed(16, {'L', 'a', 'b', ' '}))},
  };
  for (const Case& c : cases) {
    const auto picture = LoadPictureBytes(WithApp2(plain, c.segments));
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->pixels, untagged->pixels) << c.name;
  }
}

TEST(ColourProfiles, TheDisplayProfileIsTheTargetAndUntaggedPicturesStayUntouched) {
  const Bytes plain = QuadrantJpeg();
  const auto untagged = LoadPictureBytes(plain);
  ASSERT_TRUE(untagged);

  const DisplayProfile p3 = DisplayProfile::FromBytes(DataBytes(L"display_p3.icc"));
  const auto onP3 = LoadPictureFile(test::DataFile(L"picture_adobergb.jpg"), {}, p3);
  ASSERT_TRUE(onP3);
  EXPECT_TRUE(QuadrantsNear(*onP3, {{{214, 59, 49}, {0, 157, 44}, {35, 35, 197}, {224, 202, 63}}}));
  const auto untaggedOnP3 = LoadPictureBytes(plain, {}, p3);
  ASSERT_TRUE(untaggedOnP3);
  EXPECT_EQ(untaggedOnP3->pixels, untagged->pixels);
}

// Wine 8 gives every monitor the sRGB profile file it installs: the monitor's profile is that
// file's bytes, and pictures converted to it come out as in sRGB.
TEST(ColourProfiles, TheMonitorsOwnProfileIsTheTarget) {
  const Bytes wineSrgb =
      test::ReadFileBytes(L"C:\\windows\\system32\\spool\\drivers\\color\\sRGB Color Space Profile.icm");
  ASSERT_GT(wineSrgb.size(), 1000u);
  const DisplayProfile monitor = ProfileOfMonitorShowing(::GetDesktopWindow());
  ASSERT_FALSE(monitor.IsSrgb());
  EXPECT_TRUE(std::ranges::equal(monitor.bytes(), wineSrgb));
  const auto picture = LoadPictureFile(test::DataFile(L"picture_adobergb.jpg"), {}, monitor);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(QuadrantsNear(*picture, kSrgbOfAdobeRgb));
}

// Two monitors' decodes at once, before any transform is made: the threads race to make and find
// the transforms for both profiles, and each load must come out as it does alone.
TEST(ColourProfiles, LoadsForTwoMonitorsFromSeveralThreadsAgreeWithOneThread) {
  const wchar_t* files[] = {L"picture_adobergb.jpg", L"picture_p3.jpg", L"picture_swapped.jpg",
                            L"picture_cmyk_profile.jpg"};
  const DisplayProfile monitors[] = {DisplayProfile{}, DisplayProfile::FromBytes(DataBytes(L"display_p3.icc"))};
  struct Load {
    std::size_t file, monitor;
    std::vector<std::uint32_t> pixels;
  };
  std::vector<std::vector<Load>> loads(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < loads.size(); ++t)
    threads.emplace_back([&, t] {
      for (std::size_t round = 0; round < 10; ++round)
        for (std::size_t f = 0; f < std::size(files); ++f) {
          const std::size_t file = (f + t) % std::size(files), monitor = (f + round + t) % 2;
          const auto picture = LoadPictureFile(test::DataFile(files[file]), {}, monitors[monitor]);
          loads[t].push_back({file, monitor, picture ? picture->pixels : std::vector<std::uint32_t>{}});
        }
    });
  for (std::thread& thread : threads) thread.join();

  std::vector<std::uint32_t> alone[std::size(files)][2];
  for (std::size_t file = 0; file < std::size(files); ++file) {
    for (std::size_t monitor = 0; monitor < 2; ++monitor)
      alone[file][monitor] = LoadPictureFile(test::DataFile(files[file]), {}, monitors[monitor])->pixels;
    ASSERT_NE(alone[file][0], alone[file][1]) << "the two monitors' colours differ";
  }
  std::vector<int> mismatches(loads.size(), 0);
  for (std::size_t t = 0; t < loads.size(); ++t)
    for (const Load& load : loads[t]) mismatches[t] += load.pixels != alone[load.file][load.monitor];
  EXPECT_EQ(mismatches, std::vector<int>(loads.size(), 0));
}

}  // namespace
}  // namespace lumiroll
