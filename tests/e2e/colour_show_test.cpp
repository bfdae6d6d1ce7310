// The show and the settings preview honour a photograph's embedded colour profile on the screen:
// a red picture tagged with a profile that swaps red and green shows green; untagged, or with a
// damaged profile, it shows its own red.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "dialog_helpers.h"
#include "driver.h"
#include "show_fixture.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll::e2e {
namespace {

// The pictures' stored red, and ImageMagick's LittleCMS conversion of it through the swapping
// profile (tests/win/data/make_colour_pictures.sh).
constexpr std::uint32_t kStoredRed = 0xC82828, kSwappedReference = 0x28C828;
constexpr int kTolerance = 3;

// A picture of tests/win/data, as bytes to write into a photo folder.
std::string DataBytes(const wchar_t* name) {
  const test::Bytes bytes = test::ReadFileBytes(test::DataFile(name));
  return {bytes.begin(), bytes.end()};
}

bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > kTolerance) return false;
  return true;
}

class ColourShow : public ShowFixture {
 protected:
  // Shows a folder holding only this picture, fitted; the screen's centre once it shows the
  // colour expected, or as it was when the show ended or the liveness limit passed.
  std::optional<std::uint32_t> ShowAlone(std::string_view jpeg, std::wstring_view folderName, std::uint32_t expected) {
    const std::wstring folder = FreshFolder(folderName);
    WriteFileBytes(folder + L"\\photo.jpg", jpeg);
    if (!StartShowWindow(L"30", L"1", folder, L"1")) return std::nullopt;
    std::uint32_t centre = 0;
    (void)program_->WaitUntil(
        [&] {
          centre = TakeScreenshot().At(ScreenWidth() / 2, ScreenHeight() / 2) & 0xFFFFFF;
          return Near(centre, expected);
        },
        "the photograph's colour");
    return centre;
  }
};

std::string Hex(std::uint32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", c);
  return text;
}

TEST_F(ColourShow, ATaggedPictureShowsInItsProfilesColours) {
  const auto centre = ShowAlone(DataBytes(L"solid_red_swapped.jpg"), L"colour-tagged", kSwappedReference);
  ASSERT_TRUE(centre);
  EXPECT_TRUE(Near(*centre, kSwappedReference)) << Hex(*centre) << " for " << Hex(kSwappedReference);
}

TEST_F(ColourShow, AnUntaggedPictureShowsAsStored) {
  const auto centre = ShowAlone(DataBytes(L"solid_red.jpg"), L"colour-untagged", kStoredRed);
  ASSERT_TRUE(centre);
  EXPECT_TRUE(Near(*centre, kStoredRed)) << Hex(*centre);
}

TEST_F(ColourShow, ADamagedProfileIsIgnoredAndThePictureStillShows) {
  std::string jpeg = DataBytes(L"solid_red_swapped.jpg");
  const std::size_t signature = jpeg.find("acsp");
  ASSERT_NE(signature, std::string::npos);
  jpeg.replace(signature, 4, "xxxx");
  const auto centre = ShowAlone(jpeg, L"colour-damaged", kStoredRed);
  ASSERT_TRUE(centre);
  EXPECT_TRUE(Near(*centre, kStoredRed)) << Hex(*centre);
}

TEST(ColourPreview, TheSettingsPreviewShowsATaggedPictureInItsProfilesColours) {
  const std::wstring folder = FreshFolder(L"colour-preview");
  WriteFileBytes(folder + L"\\photo.jpg", DataBytes(L"solid_red_swapped.jpg"));
  StoreSettings(L"5", L"1", folder, L"1");
  SettingsDialogSession session;
  ASSERT_TRUE(session.Open());
  std::size_t shown = 0, asReference = 0;
  // Awaited until nine in ten of the pixels shown are as the reference (the paint done).
  (void)session.program.WaitUntil(
      [&] {
        shown = asReference = 0;
        for (std::uint32_t p : session.PreviewPixels()) {
          if ((p & 0xFFFFFF) == 0) continue;
          ++shown;
          if (Near(p & 0xFFFFFF, kSwappedReference)) ++asReference;
        }
        return shown > 0 && asReference * 10 >= shown * 9;
      },
      "the preview's colours");
  EXPECT_GT(shown, 0u);
  EXPECT_GE(asReference * 10, shown * 9) << asReference << " of " << shown << " pixels as the reference";
  session.SaveScreenshot(L"settings-preview-tagged-picture");
  ClearSettings();
}

}  // namespace
}  // namespace lumiroll::e2e
