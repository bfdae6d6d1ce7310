// The settings dialog's decisions: the delay checks, which large image warns, the load. The
// texts themselves are checked where the user meets them, in the end-to-end tests.
#include <gtest/gtest.h>

#include <cmath>

#include "saver/config/delay_check.h"
#include "saver/config/drive_letters.h"
#include "saver/config/large_image_check.h"
#include "saver/config/preview_pictures.h"
#include "saver/config/unset_settings.h"

namespace lumiroll {
namespace {

TEST(NumericText, FollowsTheRulesOfThePlatformsNumericTest) {
  const struct {
    const wchar_t* text;
    bool numeric;
  } rows[] = {
      {L"", false},   {L" ", false},      {L"\t", false},    {L"5", true},    {L"99", true},   {L"9.", true},
      {L".5", true},  {L".", false},      {L"+7", true},     {L"-3", true},   {L" 12 ", true}, {L"\t4\t", true},
      {L"+", false},  {L"-.", false},     {L"1.2.3", false}, {L"1 2", false}, {L"+-1", false}, {L"1-", false},
      {L"a", false},  {L"5a", false},     {L"1e5", false},   {L"0x1", false}, {L"1,5", false}, {L"- 3", false},
      {L"007", true}, {L"\x0661", false},  // digits of other scripts are not read as numbers
  };
  for (const auto& row : rows)
    EXPECT_EQ(IsNumericText(row.text), row.numeric) << testing::PrintToString(std::wstring(row.text));
}

TEST(DelayCheck, NumericCheckComesFirstThenTheRange) {
  const struct {
    const wchar_t* text;
    std::wstring_view message;
  } rows[] = {
      {L"", kDelayNotNumericMessage},     {L"  ", kDelayNotNumericMessage}, {L"ab", kDelayNotNumericMessage},
      {L"5s", kDelayNotNumericMessage},   {L"0", kDelayOutOfRangeMessage},  {L".5", kDelayOutOfRangeMessage},
      {L"-1", kDelayOutOfRangeMessage},   {L"0.", kDelayOutOfRangeMessage}, {L"100", kDelayOutOfRangeMessage},
      {L"99.5", kDelayOutOfRangeMessage},
  };
  for (const auto& row : rows) {
    const DelayVerdict verdict = CheckPhotoDelay(row.text);
    EXPECT_FALSE(verdict.accepted) << testing::PrintToString(std::wstring(row.text));
    EXPECT_EQ(verdict.message, row.message) << testing::PrintToString(std::wstring(row.text));
  }
}

TEST(DelayCheck, AcceptedTextsStoreTheirValue) {
  const struct {
    const wchar_t* text;
    double seconds;
  } rows[] = {{L"1", 1}, {L"99", 99}, {L"9.", 9}, {L" 5", 5}, {L"2.5", 2.5}, {L"+3", 3}, {L"1.0", 1}, {L"99.0", 99}};
  for (const auto& row : rows) {
    const DelayVerdict verdict = CheckPhotoDelay(row.text);
    EXPECT_TRUE(verdict.accepted) << testing::PrintToString(std::wstring(row.text));
    EXPECT_TRUE(verdict.message.empty());
    EXPECT_DOUBLE_EQ(verdict.seconds, row.seconds);
  }
}

// A file as the folder listing gives it.
FolderEntry Listed(const wchar_t* name, std::uint64_t size) { return {name, false, false, false, size}; }

TEST(LargeImageCheck, ThresholdsByTheLastThreeCharacters) {
  using enum LargeImageWarning;
  const struct {
    const wchar_t* name;
    std::uint64_t size;
    LargeImageWarning expected;
  } rows[] = {
      {L"a.bmp", 2'000'000, None},
      {L"a.bmp", 2'000'001, Bmp},
      {L"a.jpg", 1'000'000, None},
      {L"a.jpg", 1'000'001, JpgOrGif},
      {L"a.gif", 1'000'000, None},
      {L"a.gif", 1'000'001, JpgOrGif},
      {L"a.bmp", 1'500'000, None},
      {L"a.gif", 1'500'000, JpgOrGif},
      {L"a.jif", 5'000'000, None},
      {L"a.wmf", 5'000'000, None},
      {L"a.rle", 5'000'000, None},
      {L"a.ico", 5'000'000, None},
      {L"a.emf", 5'000'000, None},
      {L"a.Jpg", 1'000'001, JpgOrGif},
      {L"A.BMP", 2'000'001, Bmp},
      {L"GIF", 1'000'001, JpgOrGif},
      {L"xbmp", 2'000'001, Bmp},
      {L"a.jpeg", 5'000'000, None},
      // Over 2 GB and over 4 GB: a 32-bit size would read as negative or wrap to small.
      {L"a.bmp", 2'147'483'648ull, Bmp},
      {L"a.jpg", 4'294'967'297ull, JpgOrGif},
  };
  for (const auto& row : rows)
    EXPECT_EQ(FindLargeImage({Listed(row.name, row.size)}), row.expected)
        << testing::PrintToString(std::wstring(row.name)) << " " << row.size;
}

TEST(LargeImageCheck, OnlyTheFirstTooLargeFileInListOrderCounts) {
  const FolderEntry a = Listed(L"a.jpg", 10), b = Listed(L"b.gif", 1'200'000), c = Listed(L"c.bmp", 9'000'000);
  EXPECT_EQ(FindLargeImage({a, b, c}), LargeImageWarning::JpgOrGif);
  EXPECT_EQ(FindLargeImage({c, b}), LargeImageWarning::Bmp);
  EXPECT_EQ(FindLargeImage({}), LargeImageWarning::None);
}

TEST(DialogLoad, FillsOnlyUnsetSettings) {
  const struct {
    Settings given;
    Settings expected;
  } rows[] = {
      {{0.0, 0, L"0", 0}, {0.0, 1, L"c:", 1}},
      {{5.0, 2, L"D:\\Photos", 2}, {5.0, 2, L"D:\\Photos", 2}},
      {{0.0, 3, L"", -1}, {0.0, 3, L"", -1}},  // odd values are left alone; "" is not "0"
      {{7.5, 0, L"00", 2}, {7.5, 1, L"00", 2}},
  };
  for (const auto& row : rows) {
    Settings settings = row.given;
    FillUnsetSettings(settings);
    EXPECT_EQ(settings, row.expected) << testing::PrintToString(row.given.PhotoDirectory);
  }
}

TEST(DialogPreview, ActualSizeShrinksByThePreviewsShareOfTheScreen) {
  const struct {
    std::int16_t PhotoSize;
    int previewWidth, screenWidth;
    float expected;
  } rows[] = {
      {1, 150, 1024, 0.0f}, {2, 150, 1024, 0.146484375f}, {2, 960, 1920, 0.5f}, {0, 150, 1024, 0.0f},
      {3, 150, 1024, 0.0f}, {-1, 150, 1024, 0.0f},        {2, 150, 0, 0.0f},    {2, 0, 1024, 0.0f},
  };
  for (const auto& row : rows)
    EXPECT_EQ(PreviewScaleFor(PreviewModeOf(row.PhotoSize), {row.previewWidth, 115, row.screenWidth}), row.expected)
        << row.PhotoSize << " " << row.previewWidth << "/" << row.screenWidth;
}

TEST(DialogLoad, DriveOfAPath) {
  EXPECT_EQ(DriveOfPath(L"c:"), L'C');
  EXPECT_EQ(DriveOfPath(L"D:\\Photos"), L'D');
  EXPECT_EQ(DriveOfPath(L"0"), std::nullopt);
  EXPECT_EQ(DriveOfPath(L"photos"), std::nullopt);
  EXPECT_EQ(DriveOfPath(L"\\\\server\\share"), std::nullopt);
  EXPECT_EQ(DriveOfPath(L"1:\\x"), std::nullopt);
  EXPECT_EQ(DriveOfPath(L""), std::nullopt);
}

TEST(DialogLoad, DriveListFollowsTheFolderTheFolderListOpened) {
  const std::vector<wchar_t> drives{L'C', L'D', L'Z'};
  const struct {
    const wchar_t* opened;
    wchar_t starting, expected;
  } rows[] = {
      {L"D:\\Photos", L'C', L'D'},  // stored folder on another drive: its drive
      {L"z:\\tmp", L'C', L'Z'},
      {L"C:\\windows", L'C', L'C'},
      {L"Q:\\Photos", L'C', L'C'},            // no such drive: the starting drive stays
      {L"\\\\server\\share\\x", L'D', L'D'},  // no drive letter at all
  };
  for (const auto& row : rows)
    EXPECT_EQ(DriveToShow(row.opened, drives, row.starting), row.expected)
        << testing::PrintToString(std::wstring(row.opened));
}

}  // namespace
}  // namespace lumiroll
