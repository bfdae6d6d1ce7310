// The fast conversion between matrix-shaper profiles against LittleCMS's own, colour by colour.
#include "platform/matrix_shaper_transform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/colour_transform.h"
#include "tests/unit/native_pictures.h"

namespace lumiroll {
namespace {

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

Profile Open(std::span<const std::uint8_t> bytes) {
  return Profile(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

// Every colour of a 0, 8, ..., 248, 255 grid in each channel.
std::vector<std::uint32_t> GridColours() {
  std::vector<std::uint32_t> colours;
  std::vector<std::uint32_t> levels;
  for (std::uint32_t v = 0; v < 256; v += 8) levels.push_back(v);
  levels.push_back(255);
  for (std::uint32_t r : levels)
    for (std::uint32_t g : levels)
      for (std::uint32_t b : levels) colours.push_back(r << 16 | g << 8 | b);
  return colours;
}

int LargestChannelDifference(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (int shift : {0, 8, 16})
    largest = std::max(largest, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
  return largest;
}

TEST(MatrixShaperTransform, AgreesWithLittleCmsWithinOneLevel) {
  const test::Bytes p3 = test::DataFileBytes("display_p3.icc");
  const auto adobe = AdobeRgbProfile();
  struct Case {
    const char* name;
    std::span<const std::uint8_t> from, to;  // empty: sRGB
  };
  const Case cases[] = {
      {"Adobe RGB to sRGB", adobe, {}},
      {"Display P3 to sRGB", p3, {}},
      {"Adobe RGB to Display P3", adobe, p3},
      {"sRGB to Adobe RGB (a pure gamma curve back)", {}, adobe},
  };
  const std::vector<std::uint32_t> colours = GridColours();
  for (const Case& c : cases) {
    const Profile from = c.from.empty() ? Profile(cmsCreate_sRGBProfile()) : Open(c.from);
    const Profile to = c.to.empty() ? Profile(cmsCreate_sRGBProfile()) : Open(c.to);
    ASSERT_TRUE(from && to) << c.name;
    const auto fast = MakeMatrixShaperTransform(from.get(), to.get());
    ASSERT_TRUE(fast) << c.name;
    const cmsHTRANSFORM reference = cmsCreateTransform(from.get(), TYPE_BGRA_8, to.get(), TYPE_BGRA_8,
                                                       INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
    ASSERT_NE(reference, nullptr) << c.name;
    std::vector<std::uint32_t> ours = colours, theirs = colours;
    fast->Apply(ours);
    cmsDoTransform(reference, theirs.data(), theirs.data(), static_cast<cmsUInt32Number>(theirs.size()));
    cmsDeleteTransform(reference);
    int worst = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
      const int d = LargestChannelDifference(ours[i], theirs[i] & 0xFFFFFF);
      if (d > worst) worst = d, worstAt = i;
    }
    EXPECT_LE(worst, 1) << c.name << ": colour " << std::hex << colours[worstAt] << " gave " << ours[worstAt]
                        << ", LittleCMS " << theirs[worstAt];
  }
}

TEST(MatrixShaperTransform, ProfilesWithLookupTablesOrOtherSpacesAreLeftToLittleCms) {
  const Profile srgb(cmsCreate_sRGBProfile());
  const Profile cmyk = Open(test::DataFileBytes("cmyk_simple.icc"));
  const Profile grey = Open(test::DataFileBytes("grey18.icc"));
  const Profile lab(cmsCreateLab4Profile(nullptr));
  ASSERT_TRUE(cmyk && grey && lab);
  EXPECT_EQ(MakeMatrixShaperTransform(cmyk.get(), srgb.get()), nullptr);
  EXPECT_EQ(MakeMatrixShaperTransform(grey.get(), srgb.get()), nullptr);
  EXPECT_EQ(MakeMatrixShaperTransform(lab.get(), srgb.get()), nullptr);
  EXPECT_EQ(MakeMatrixShaperTransform(srgb.get(), grey.get()), nullptr);
}

}  // namespace
}  // namespace lumiroll
