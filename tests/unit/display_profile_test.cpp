// The display's profile as a request carries it: which bytes make a target, and the transforms
// found by (picture profile, layout, display profile). Expected colours are LittleCMS's transicc
// with colord's AdobeRGB1998.icc (perceptual) to its built-in sRGB and to tests/win/data's
// display_p3.icc.
#include "platform/display_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/colour_transform.h"
#include "tests/unit/native_pictures.h"

namespace lumiroll {
namespace {

std::uint32_t Converted(const ColourTransform& transform, std::uint32_t colour) {
  std::vector<std::uint32_t> pixels{colour};
  transform.Apply(pixels);
  return pixels[0];
}

bool Near(std::uint32_t got, std::uint32_t want) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>(got >> shift & 0xFF) - static_cast<int>(want >> shift & 0xFF)) > 1) return false;
  return true;
}

TEST(DisplayProfile, ProfilesNoDisplayCanHaveMeanSrgb) {
  const test::Bytes p3 = test::DataFileBytes("display_p3.icc");
  ASSERT_GT(p3.size(), 500u);
  test::Bytes huge = p3;
  huge.resize((std::size_t{4} << 20) + 1, 0);
  const struct {
    const char* name;
    test::Bytes bytes;
    bool srgb;
  } rows[] = {
      {"Display P3", p3, false},
      {"Adobe RGB", {AdobeRgbProfile().begin(), AdobeRgbProfile().end()}, false},
      {"nothing", {}, true},
      {"a grey profile", test::DataFileBytes("grey18.icc"), true},
      {"a CMYK profile", test::DataFileBytes("cmyk_simple.icc"), true},
      {"a photograph", test::DataFileBytes("picture_adobergb.jpg"), true},
      {"cut short", {p3.begin(), p3.begin() + static_cast<std::ptrdiff_t>(p3.size() / 2)}, true},
      {"over 4 MB", huge, true},
  };
  for (const auto& row : rows) {
    const DisplayProfile display = DisplayProfile::FromBytes(row.bytes);
    EXPECT_EQ(display.IsSrgb(), row.srgb) << row.name;
    EXPECT_EQ(display == DisplayProfile{}, row.srgb) << row.name;
  }
}

TEST(DisplayProfile, EachDisplayGetsItsOwnTransformAndTheSameBytesShareOne) {
  const test::Bytes p3Bytes = test::DataFileBytes("display_p3.icc");
  const DisplayProfile p3 = DisplayProfile::FromBytes(p3Bytes);
  const DisplayProfile p3ReadAgain = DisplayProfile::FromBytes(p3Bytes);  // another monitor, the same profile
  const DisplayProfile adobe = DisplayProfile::FromBytes({AdobeRgbProfile().begin(), AdobeRgbProfile().end()});
  ASSERT_FALSE(p3.IsSrgb());
  EXPECT_EQ(p3, p3ReadAgain);
  EXPECT_NE(p3, adobe);
  EXPECT_NE(p3, DisplayProfile{});

  const auto toSrgb = TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, {});
  const auto toP3 = TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, p3);
  ASSERT_TRUE(toSrgb && toP3);
  EXPECT_NE(toSrgb, toP3);
  EXPECT_EQ(TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, p3ReadAgain), toP3);
  EXPECT_EQ(TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, {}), toSrgb);
  // Asked in turn, as two monitors' decodes are: neither displaces the other's.
  EXPECT_EQ(TransformToDisplay(AdobeRgbProfile(), PixelLayout::kBgrx, p3), toP3);

  const struct {
    std::uint32_t adobeRgb, srgb, displayP3;
  } colours[] = {
      {0xC83C78, 0xE7397B, 0xD5497A},  // (200, 60, 120): (231, 57, 123), (213, 73, 122)
      {0x808080, 0x818181, 0x818181},  // mid grey: 129 on both
  };
  for (const auto& c : colours) {
    EXPECT_TRUE(Near(Converted(*toSrgb, c.adobeRgb), c.srgb)) << std::hex << Converted(*toSrgb, c.adobeRgb);
    EXPECT_TRUE(Near(Converted(*toP3, c.adobeRgb), c.displayP3)) << std::hex << Converted(*toP3, c.adobeRgb);
  }
}

}  // namespace
}  // namespace lumiroll
