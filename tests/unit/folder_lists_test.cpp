// The folder, file and drive lists kept in step over a fake disk.
#include "saver/config/folder_lists.h"

#include <gtest/gtest.h>

#include <map>

namespace lumiroll {
namespace {

FolderEntry File(const wchar_t* name, std::uint64_t size) { return {name, false, false, false, size}; }
FolderEntry Folder(const wchar_t* name) { return {name, true, false, false, 0}; }

// Folders by the names that open them; "d:" is drive D's current folder, E is not ready.
class FakeDisk final : public FolderBrowsing {
 public:
  std::optional<std::wstring> OpenableFolder(std::wstring_view folder) const override {
    const auto alias = aliases.find(std::wstring(folder));
    const std::wstring path = alias == aliases.end() ? std::wstring(folder) : alias->second;
    if (!folders.contains(path)) return std::nullopt;
    return path;
  }
  std::vector<FolderEntry> Entries(std::wstring_view folder) const override {
    const auto found = folders.find(std::wstring(folder));
    return found == folders.end() ? std::vector<FolderEntry>{} : found->second;
  }
  std::vector<DriveChoice> Drives() const override { return {{L'C', L"c:"}, {L'D', L"d: [Photos]"}, {L'E', L"e:"}}; }

  std::map<std::wstring, std::wstring> aliases{
      {L"c:", L"C:\\work"}, {L"d:", L"D:\\"}, {L"D:", L"D:\\"}, {L"C:\\Work\\", L"C:\\work"}};
  std::map<std::wstring, std::vector<FolderEntry>> folders{
      {L"C:\\work", {Folder(L"Trips"), File(L"notes.txt", 10)}},
      {L"C:\\work\\Trips", {File(L"b.JPG", 2), File(L"a.gif", 1), File(L"c.png", 3), Folder(L"x.bmp")}},
      {L"D:\\", {File(L"d.bmp", 4)}},
  };
};

TEST(FolderLists, OpeningMovesTheListOnlyToAnotherFolderThatOpens) {
  const FakeDisk disk;
  FolderLists lists(disk, L"C:\\Work\\");
  EXPECT_EQ(lists.OpenFolder(), L"C:\\work") << "as the file system spells it";
  const struct {
    const wchar_t* folder;
    bool moved;
    const wchar_t* open;
  } rows[] = {
      {L"C:\\work", false, L"C:\\work"},              // the same folder: no Dir1_Change
      {L"C:\\missing", false, L"C:\\work"},           // cannot be opened: the list stays
      {L"C:\\work\\Trips", true, L"C:\\work\\Trips"},
      {L"e:", false, L"C:\\work\\Trips"},             // a drive that is not ready
      {L"d:", true, L"D:\\"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(lists.Open(row.folder), row.moved) << testing::PrintToString(std::wstring(row.folder));
    EXPECT_EQ(lists.OpenFolder(), row.open);
  }
}

TEST(FolderLists, RowsDrivesAndImageFilesFollowTheOpenFolder) {
  const FakeDisk disk;
  FolderLists lists(disk, L"c:");
  ASSERT_EQ(lists.Rows().size(), 3u);  // C:\, work (open), Trips
  EXPECT_EQ(lists.OpenRowIndex(), 1u);
  EXPECT_TRUE(lists.OnOpenPath(0));
  EXPECT_FALSE(lists.OnOpenPath(2));
  EXPECT_FALSE(lists.OpenRow(9));
  ASSERT_TRUE(lists.OpenRow(2));
  lists.ListFiles();
  ASSERT_EQ(lists.Files().size(), 2u) << "image files only, by name";
  EXPECT_EQ(lists.Files()[0].name, L"a.gif");
  EXPECT_EQ(lists.Files()[1].size, 2u);

  EXPECT_EQ(lists.ListDrives(L'D'), 0u) << "the open folder's drive, not the starting one";
  EXPECT_FALSE(lists.OpenDrive(2)) << "drive E is not ready";
  ASSERT_TRUE(lists.OpenDrive(1));
  EXPECT_EQ(lists.OpenFolder(), L"D:\\");
  EXPECT_EQ(lists.ListDrives(L'C'), 1u);
}

}  // namespace
}  // namespace lumiroll
