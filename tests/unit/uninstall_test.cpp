#include "uninstal/uninstall.h"

#include <gtest/gtest.h>

#include "install_fakes.h"

namespace lumiroll {
namespace {

using testing::FakeDisk;
using testing::RecordingStore;

constexpr wchar_t kSystem[] = L"C:\\windows\\system32";
constexpr wchar_t kSaver[] = L"C:\\windows\\system32\\Lumiroll.scr";

TEST(RunUninstall, RemovesTheFileAndTheSettingsAndSaysWhetherTheFileWent) {
  const std::wstring couldNot = std::wstring(L"The screen saver file could not be removed:\n") + kSaver;
  const struct {
    const char* name;
    bool installed, inUse;
    std::wstring message;
  } rows[] = {
      {"installed", true, false, L"Uninstall completed successfully"},
      {"never installed", false, false, L"Uninstall completed successfully"},
      {"in use", true, true, couldNot},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FakeDisk disk;
    disk.folders = {L"C:\\", L"C:\\windows", kSystem, L"D:\\dist\\images"};
    disk.files[L"D:\\dist\\images\\harbor.jpg"] = 1000;
    if (row.installed) disk.files[kSaver] = 90000;
    if (row.inUse) disk.locked.insert(kSaver);
    RecordingStore store;
    store.values = {{L"PhotoDisplayTime", L"5"},
                    {L"PhotoSize", L"2"},
                    {L"PhotoDirectory", L"D:\\dist\\images"},
                    {L"PhotoOrder", L"2"}};

    EXPECT_EQ(RunUninstall(disk, store, kSystem), row.message);
    EXPECT_EQ(store.sectionDeletions, 1);
    EXPECT_TRUE(store.values.empty());
    EXPECT_EQ(disk.Exists(kSaver), row.inUse);
    EXPECT_TRUE(disk.Exists(L"D:\\dist\\images\\harbor.jpg")) << "the photographs stay";
  }
}

TEST(RunUninstall, AnUnknownSystemFolderDeletesNothingAtTheDriveRoot) {
  FakeDisk disk;
  disk.files[L"\\Lumiroll.scr"] = 1;
  RecordingStore store;
  const std::wstring message = RunUninstall(disk, store, L"");
  EXPECT_NE(message, L"Uninstall completed successfully");
  EXPECT_TRUE(disk.log.empty());
  EXPECT_EQ(store.sectionDeletions, 1);
}

TEST(ScreenSaverPath, NoDoubledSeparatorAtADriveRoot) {
  EXPECT_EQ(ScreenSaverPath(kSystem), kSaver);
  EXPECT_EQ(ScreenSaverPath(L"C:\\"), L"C:\\Lumiroll.scr");
  EXPECT_EQ(ScreenSaverPath(L""), L"");
}

}  // namespace
}  // namespace lumiroll
