#include "setup/install_plan.h"

#include <gtest/gtest.h>

#include "install_fakes.h"
#include "setup/background_gradient.h"
#include "setup/setup_texts.h"

namespace lumiroll {
namespace {

using testing::FakeDisk;
using testing::RecordingStore;

constexpr wchar_t kSystem[] = L"C:\\windows\\system32";
constexpr wchar_t kSource[] = L"D:\\Été 2024\\Lumiroll";

TEST(InstallationSteps, TenStepsInOrderWithTheirPaths) {
  using enum StepKind;
  const std::vector<InstallStep> expected = {
      {CopyFile, L"D:\\Été 2024\\Lumiroll\\Lumiroll.scr", L"C:\\windows\\system32\\Lumiroll.scr"},
      {MakeFolder, L"D:\\Été 2024\\Lumiroll\\images", L""},
      {CopyFile, L"D:\\Été 2024\\Lumiroll\\harbor.jpg", L"D:\\Été 2024\\Lumiroll\\images\\harbor.jpg"},
      {CopyFile, L"D:\\Été 2024\\Lumiroll\\meadow.jpg", L"D:\\Été 2024\\Lumiroll\\images\\meadow.jpg"},
      {CopyFile, L"D:\\Été 2024\\Lumiroll\\lantern.jpg", L"D:\\Été 2024\\Lumiroll\\images\\lantern.jpg"},
      {CopyFile, L"D:\\Été 2024\\Lumiroll\\tulips.jpg", L"D:\\Été 2024\\Lumiroll\\images\\tulips.jpg"},
      {DeleteFile, L"D:\\Été 2024\\Lumiroll\\harbor.jpg", L"D:\\Été 2024\\Lumiroll\\images\\harbor.jpg"},
      {DeleteFile, L"D:\\Été 2024\\Lumiroll\\meadow.jpg", L"D:\\Été 2024\\Lumiroll\\images\\meadow.jpg"},
      {DeleteFile, L"D:\\Été 2024\\Lumiroll\\lantern.jpg", L"D:\\Été 2024\\Lumiroll\\images\\lantern.jpg"},
      {DeleteFile, L"D:\\Été 2024\\Lumiroll\\tulips.jpg", L"D:\\Été 2024\\Lumiroll\\images\\tulips.jpg"},
  };
  EXPECT_EQ(InstallationSteps(kSystem, kSource), expected);
}

TEST(InstallationSteps, ARootOrANetworkFolderGetsOneSeparator) {
  const struct {
    const wchar_t *system, *source;
    InstallStep saver, harborCopy;
  } rows[] = {
      {kSystem,
       L"D:\\",
       {StepKind::CopyFile, L"D:\\Lumiroll.scr", L"C:\\windows\\system32\\Lumiroll.scr"},
       {StepKind::CopyFile, L"D:\\harbor.jpg", L"D:\\images\\harbor.jpg"}},
      {L"C:\\",
       L"E:/",
       {StepKind::CopyFile, L"E:\\Lumiroll.scr", L"C:\\Lumiroll.scr"},
       {StepKind::CopyFile, L"E:\\harbor.jpg", L"E:\\images\\harbor.jpg"}},
      {kSystem,
       L"\\\\server\\share\\dist",
       {StepKind::CopyFile, L"\\\\server\\share\\dist\\Lumiroll.scr", L"C:\\windows\\system32\\Lumiroll.scr"},
       {StepKind::CopyFile, L"\\\\server\\share\\dist\\harbor.jpg", L"\\\\server\\share\\dist\\images\\harbor.jpg"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(row.source)));
    const std::vector<InstallStep> steps = InstallationSteps(row.system, row.source);
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[0], row.saver);
    EXPECT_EQ(steps[2], row.harborCopy);
  }
}

TEST(InstallationSteps, WithoutASystemFolderTheScreenSaverIsNotCopied) {
  const std::vector<InstallStep> steps = InstallationSteps(L"", kSource);
  ASSERT_EQ(steps.size(), 9u);
  EXPECT_EQ(steps[0], (InstallStep{StepKind::MakeFolder, L"D:\\Été 2024\\Lumiroll\\images", L""}));
}

bool Installed(const InstallResult& result) { return !result.saverNotCopied && result.unsaved.empty(); }

FakeDisk Distribution(std::wstring_view source) {
  FakeDisk disk;
  disk.folders = {L"C:\\", L"C:\\windows", kSystem, L"D:\\", std::wstring(source)};
  disk.files[std::wstring(source) + L"\\Lumiroll.scr"] = 90000;
  std::uint64_t size = 1000;
  for (std::wstring_view photograph : kSamplePhotographs)
    disk.files[std::wstring(source) + L"\\" + std::wstring(photograph)] = size++;
  return disk;
}

void ExpectDefaultSettings(const RecordingStore& store, const std::wstring& images) {
  EXPECT_EQ(store.writes,
            (std::vector<std::wstring>{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"}));
  EXPECT_EQ(store.values.at(L"PhotoDisplayTime"), L"5");
  EXPECT_EQ(store.values.at(L"PhotoSize"), L"2");
  EXPECT_EQ(store.values.at(L"PhotoDirectory"), images);
  EXPECT_EQ(store.values.at(L"PhotoOrder"), L"2");
}

TEST(RunInstallation, MovesThePhotographsCopiesTheSaverAndWritesTheDefaults) {
  const std::wstring source = L"D:\\dist", images = source + L"\\images";
  FakeDisk disk = Distribution(source);
  RecordingStore store;
  EXPECT_TRUE(Installed(RunInstallation(disk, store, kSystem, source)));

  EXPECT_EQ(disk.files.at(std::wstring(kSystem) + L"\\Lumiroll.scr"), 90000u);
  std::uint64_t size = 1000;
  for (std::wstring_view photograph : kSamplePhotographs) {
    EXPECT_EQ(disk.SizeOf(images + L"\\" + std::wstring(photograph)), size++);
    EXPECT_FALSE(disk.Exists(source + L"\\" + std::wstring(photograph)));
  }
  EXPECT_TRUE(disk.Exists(source + L"\\Lumiroll.scr"));
  ExpectDefaultSettings(store, images);
  // All copies before any deletion, in the order harbor, meadow, lantern, tulips.
  ASSERT_EQ(disk.log.size(), 10u);
  EXPECT_EQ(disk.log[2], L"copy " + source + L"\\harbor.jpg -> " + images + L"\\harbor.jpg");
  EXPECT_EQ(disk.log[5], L"copy " + source + L"\\tulips.jpg -> " + images + L"\\tulips.jpg");
  EXPECT_EQ(disk.log[6], L"delete " + source + L"\\harbor.jpg");
  EXPECT_EQ(disk.log[9], L"delete " + source + L"\\tulips.jpg");
}

TEST(RunInstallation, APhotographWhoseCopyFailedStaysInTheSource) {
  const std::wstring source = L"D:\\dist", images = source + L"\\images";
  const std::wstring harbor = source + L"\\harbor.jpg", harborCopy = images + L"\\harbor.jpg";
  const struct {
    const char* name;
    void (*spoil)(FakeDisk&, const std::wstring& images, const std::wstring& harborCopy);
    std::size_t photographsLeft;
  } rows[] = {
      {"the copy's name is taken by a folder",
       [](FakeDisk& d, const std::wstring& i, const std::wstring& c) { d.folders.insert(i), d.folders.insert(c); }, 1},
      {"the disk filled up during the copy",
       [](FakeDisk& d, const std::wstring&, const std::wstring& c) { d.fullAt.insert(c); }, 1},
      {"an older copy is in use",
       [](FakeDisk& d, const std::wstring& i, const std::wstring& c) {
         d.folders.insert(i), d.files[c] = 5, d.locked.insert(c);
       },
       1},
      {"the images folder cannot be made",
       [](FakeDisk& d, const std::wstring& i, const std::wstring&) { d.locked.insert(i); }, 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeDisk disk = Distribution(source);
    row.spoil(disk, images, harborCopy);
    RecordingStore store;
    EXPECT_TRUE(Installed(RunInstallation(disk, store, kSystem, source)));
    EXPECT_EQ(disk.SizeOf(harbor), 1000u) << "the photograph is kept";
    std::size_t left = 0;
    for (std::wstring_view photograph : kSamplePhotographs)
      left += disk.Exists(source + L"\\" + std::wstring(photograph));
    EXPECT_EQ(left, row.photographsLeft);
    ExpectDefaultSettings(store, images);
  }
}

TEST(RunInstallation, ASecondRunKeepsThePhotographsAndResetsTheSettings) {
  const std::wstring source = L"D:\\dist", images = source + L"\\images";
  FakeDisk disk = Distribution(source);
  RecordingStore store;
  EXPECT_TRUE(Installed(RunInstallation(disk, store, kSystem, source)));
  const auto afterFirst = disk.files;
  store.values[L"PhotoDisplayTime"] = L"12";
  store.values[L"PhotoOrder"] = L"1";
  store.writes.clear();

  EXPECT_TRUE(Installed(RunInstallation(disk, store, kSystem, source)));
  EXPECT_EQ(disk.files, afterFirst);
  ExpectDefaultSettings(store, images);
}

TEST(RunInstallation, AScreenSaverThatCannotBeCopiedIsToldAndNothingElseIsDone) {
  const std::wstring source = L"D:\\dist", target = std::wstring(kSystem) + L"\\Lumiroll.scr";
  const struct {
    const char* name;
    void (*spoil)(FakeDisk&, const std::wstring& source, const std::wstring& target);
    std::wstring_view said;
  } rows[] = {
      {"the installed copy is running",
       [](FakeDisk& d, const std::wstring&, const std::wstring& t) { d.files[t] = 5, d.locked.insert(t); },
       L"Setup could not copy D:\\dist\\Lumiroll.scr to C:\\windows\\system32\\Lumiroll.scr.\n"},
      {"the system folder refuses it",
       [](FakeDisk& d, const std::wstring&, const std::wstring& t) { d.locked.insert(t); },
       L"Setup could not copy D:\\dist\\Lumiroll.scr to "},
      {"Setup started from another folder",
       [](FakeDisk& d, const std::wstring& s, const std::wstring&) { d.files.erase(s + L"\\Lumiroll.scr"); },
       L"Setup cannot find D:\\dist\\Lumiroll.scr.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeDisk disk = Distribution(source);
    row.spoil(disk, source, target);
    const auto before = disk.files;
    RecordingStore store;
    const InstallResult result = RunInstallation(disk, store, kSystem, source);
    ASSERT_TRUE(result.saverNotCopied);
    EXPECT_TRUE(result.saverNotCopied->starts_with(row.said)) << *result.saverNotCopied;
    EXPECT_TRUE(result.saverNotCopied->ends_with(L"Nothing was installed.")) << "one line feed, no carriage return";
    EXPECT_EQ(result.saverNotCopied->find(L'\r'), std::wstring::npos);
    EXPECT_EQ(disk.log.size(), 1u) << "only the copy was tried";
    EXPECT_EQ(disk.files, before);
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST(RunInstallation, SettingsThatCannotBeWrittenAreReportedAfterTheFilesAreInPlace) {
  const std::wstring source = L"D:\\dist", images = source + L"\\images";
  FakeDisk disk = Distribution(source);
  RecordingStore store;
  store.refused = {L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"};
  EXPECT_EQ(RunInstallation(disk, store, kSystem, source).unsaved,
            (std::vector<std::wstring_view>{L"PhotoDisplayTime", L"PhotoSize", L"PhotoDirectory", L"PhotoOrder"}));
  EXPECT_TRUE(disk.Exists(images + L"\\harbor.jpg"));
  EXPECT_TRUE(disk.Exists(std::wstring(kSystem) + L"\\Lumiroll.scr"));
  EXPECT_TRUE(store.values.empty());
}

TEST(MayDeletePhotograph, OnlyWhenTheCopyIsThereInFull) {
  const struct {
    std::optional<std::uint64_t> original, copy;
    bool expected;
  } rows[] = {
      {1000, 1000, true},
      {0, 0, true},
      {1000, 500, false},
      {500, 1000, false},
      {1000, std::nullopt, false},
      {std::nullopt, 1000, false},
      {std::nullopt, std::nullopt, false},
      {1ull << 40, (1ull << 40) + 1, false},
  };
  for (const auto& row : rows) EXPECT_EQ(MayDeletePhotograph(row.original, row.copy), row.expected);
}

TEST(BackgroundBands, ThreeRowsHighTwoApartFromFullBlueToBlack) {
  const auto bands = BackgroundBands(1024, 768);
  ASSERT_EQ(bands.size(), 385u);  // i = 0, 2, ..., 768
  EXPECT_EQ(bands.front(), (GradientBand{-1, -1, 1024, 2, 255}));
  EXPECT_EQ(bands.back(), (GradientBand{-1, 767, 1024, 770, 0}));
  for (std::size_t k = 1; k < bands.size(); ++k) {
    EXPECT_EQ(bands[k].top, bands[k - 1].top + 2);
    EXPECT_EQ(bands[k].bottom - bands[k].top, 3);
    EXPECT_LE(bands[k].blue, bands[k - 1].blue);
  }
  // 768 gives the exact step 85/128: band 192 sits at 127.5, which rounds to the even 128.
  EXPECT_EQ(bands[1].blue, 254);  // 254.34
  EXPECT_EQ(bands[192].blue, 128);
  EXPECT_EQ(bands[3].blue, 253);  // 253.01
}

TEST(BackgroundBands, HalvesRoundToTheEvenLevel) {
  // A height of 1020 steps by exactly -0.5: 255, 254.5, 254, 253.5, 253, 252.5 ...
  const auto bands = BackgroundBands(8, 1020);
  const std::uint8_t expected[] = {255, 254, 254, 254, 253, 252, 252, 252};
  for (std::size_t k = 0; k < std::size(expected); ++k) EXPECT_EQ(bands[k].blue, expected[k]) << "band " << k;
  EXPECT_EQ(bands.back().blue, 0);
}

TEST(BackgroundBands, SmallAndOddHeights) {
  const struct {
    int height;
    std::vector<std::uint8_t> blues;
  } rows[] = {
      {-1, {}}, {0, {255}}, {1, {255}}, {3, {255, 85}}, {4, {255, 128, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.height);
    std::vector<std::uint8_t> blues;
    for (const auto& band : BackgroundBands(10, row.height)) blues.push_back(band.blue);
    EXPECT_EQ(blues, row.blues);
  }
}

TEST(MissingComponentsMessage, FiveLinesSeparatedByLineFeedsOnly) {
  EXPECT_EQ(MissingComponentsTitle(), L"Lumiroll Error 50003");
  const std::wstring text = MissingComponentsMessage();
  EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
  std::vector<std::wstring> lines;
  for (std::size_t start = 0;;) {
    const auto end = text.find(L'\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], L"Your computer is missing some required software components.");
  EXPECT_EQ(lines[3], L"");
  EXPECT_EQ(lines[4].rfind(L"https://www.example.com/", 0), 0u);
}

}  // namespace
}  // namespace lumiroll
