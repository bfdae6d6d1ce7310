// Reading the colour a JPEG declares: the EXIF Adobe RGB mark, the pieces of an embedded ICC
// profile and the profile's header.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/exif_colour_space.h"
#include "platform/icc_profile.h"
#include "tests/shared/exif_colour_segment.h"

namespace lumiroll {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ExifColourFields;
using test::ExifColourSegment;

TEST(ExifColourSpace, OnlyUncalibratedWithR03ReadsAsAdobeRgbInEitherByteOrder) {
  struct Case {
    const char* name;
    ExifColourFields fields;
    bool adobe;
  };
  const Case cases[] = {
      {"camera Adobe RGB, Intel", {0xFFFF, "R03", false}, true},
      {"camera Adobe RGB, Motorola", {0xFFFF, "R03", true}, true},
      {"sRGB with R98", {1, "R98", false}, false},
      {"sRGB with R03 index", {1, "R03", false}, false},
      {"uncalibrated, R98 index", {0xFFFF, "R98", true}, false},
      {"uncalibrated, no interop IFD", {0xFFFF, "", false}, false},
      {"uncalibrated, index too short", {0xFFFF, "R0", false}, false},
      {"Adobe RGB's non-standard value 2", {2, "R03", false}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ExifSaysAdobeRgb(ExifColourSegment(c.fields)), c.adobe) << c.name;
}

TEST(ExifColourSpace, DamagedOrForeignSegmentsReadAsNotAdobeRgb) {
  const Bytes good = ExifColourSegment({});
  ASSERT_TRUE(ExifSaysAdobeRgb(good));
  // Every cut of a good segment is damage (but for its last four bytes, the Interop IFD's link
  // to a next IFD, which nothing needs); none may read past the end (the sanitisers watch).
  for (std::size_t size = 0; size + 4 < good.size(); ++size)
    EXPECT_FALSE(ExifSaysAdobeRgb(std::span(good).first(size))) << "cut at " << size;
  struct Case {
    const char* name;
    std::size_t at;
    std::uint8_t value;
  };
  // Offsets into the segment: 6 "Exif\0\0", then the TIFF header; IFD0's pointer value at 6+18,
  // the Exif IFD at 6+26 (ExifVersion, ColorSpace, the Interop IFD pointer).
  const Case cases[] = {
      {"not EXIF", 0, 'X'},
      {"bad byte order", 6, 'X'},
      {"Exif IFD pointer past the end", 6 + 18, 0xF0},
      {"Exif IFD pointer's type not LONG", 6 + 12, 3},
      {"ColorSpace's type not SHORT", 6 + 42, 4},
      {"Interop IFD pointer past the end", 6 + 26 + 2 + 24 + 8, 0xF0},
  };
  for (const Case& c : cases) {
    Bytes bytes = good;
    bytes[c.at] = c.value;
    EXPECT_FALSE(ExifSaysAdobeRgb(bytes)) << c.name;
  }
}

// A minimal profile header of the given size, colour space and signature.
Bytes ProfileHeader(std::uint32_t declared, std::string_view space, std::size_t actual,
                    std::string_view magic = "acsp") {
  Bytes p(actual, 0);
  for (int i = 0; i < 4 && actual >= 4; ++i) p[i] = std::uint8_t(declared >> (24 - 8 * i));
  if (actual >= 40) {
    std::copy(space.begin(), space.end(), p.begin() + 16);
    std::copy(magic.begin(), magic.end(), p.begin() + 36);
  }
  return p;
}

TEST(IccProfileColourSpace, TheHeaderIsBelievedOnlyWhenWhole) {
  struct Case {
    const char* name;
    Bytes profile;
    std::optional<IccColourSpace> space;
  };
  const Case cases[] = {
      {"RGB", ProfileHeader(200, "RGB ", 200), IccColourSpace::kRgb},
      {"grey", ProfileHeader(200, "GRAY", 200), IccColourSpace::kGrey},
      {"CMYK", ProfileHeader(200, "CMYK", 200), IccColourSpace::kCmyk},
      {"Lab", ProfileHeader(200, "Lab ", 200), IccColourSpace::kOther},
      {"padding after the declared size", ProfileHeader(200, "RGB ", 260), IccColourSpace::kRgb},
      {"declares more than there is", ProfileHeader(300, "RGB ", 200), std::nullopt},
      {"declares less than a header", ProfileHeader(100, "RGB ", 200), std::nullopt},
      {"shorter than a header", ProfileHeader(100, "RGB ", 100), std::nullopt},
      {"no signature", ProfileHeader(200, "RGB ", 200, "xxxx"), std::nullopt},
      {"over 4 MB", ProfileHeader(200, "RGB ", kMaxIccProfileBytes + 1), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(IccProfileColourSpace(c.profile), c.space) << c.name;
}

// An APP2 segment's data carrying piece number of count.
Bytes Piece(int number, int count, const Bytes& bytes) {
  Bytes s = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0, std::uint8_t(number), std::uint8_t(count)};
  s.insert(s.end(), bytes.begin(), bytes.end());
  return s;
}

std::optional<Bytes> Assemble(const std::vector<Bytes>& segments) {
  std::vector<std::span<const std::uint8_t>> spans(segments.begin(), segments.end());
  return AssembleIccProfile(spans);
}

TEST(AssembleIccProfile, PiecesJoinInTheirNumberedOrderWhateverTheFileOrder) {
  const Bytes a = {1, 2, 3}, b = {4, 5}, c = {6};
  const Bytes foreign = {'M', 'P', 'F', 0, 9, 9};  // another use of APP2, skipped
  EXPECT_EQ(Assemble({Piece(1, 1, a)}), a);
  EXPECT_EQ(Assemble({Piece(1, 3, a), Piece(2, 3, b), Piece(3, 3, c)}), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Assemble({Piece(3, 3, c), foreign, Piece(1, 3, a), Piece(2, 3, b)}), (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST(AssembleIccProfile, MissingDisagreeingOrOversizedPiecesGiveNothing) {
  const Bytes a = {1, 2, 3}, b = {4, 5};
  struct Case {
    const char* name;
    std::vector<Bytes> segments;
  };
  const Bytes big(65519, 7);
  std::vector<Bytes> tooLarge;
  const int pieces = static_cast<int>(kMaxIccProfileBytes / big.size()) + 1;
  for (int i = 1; i <= pieces; ++i) tooLarge.push_back(Piece(i, pieces, big));
  const Case cases[] = {
      {"none", {}},
      {"only other APP2 data", {{'M', 'P', 'F', 0}}},
      {"a piece missing", {Piece(1, 2, a)}},
      {"a piece twice", {Piece(1, 2, a), Piece(1, 2, b)}},
      {"counts disagree", {Piece(1, 2, a), Piece(2, 3, b)}},
      {"number zero", {Piece(0, 1, a)}},
      {"number past the count", {Piece(2, 1, a)}},
      {"count zero", {Piece(1, 0, a)}},
      {"an empty piece", {Piece(1, 2, a), Piece(2, 2, {})}},
      {"over 4 MB in all", tooLarge},
  };
  for (const Case& c : cases) EXPECT_FALSE(Assemble(c.segments).has_value()) << c.name;
}

}  // namespace
}  // namespace lumiroll
