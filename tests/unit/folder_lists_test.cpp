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

TEST(FolderLists, ATakenListingMovesTheListOnlyToAnotherFolderThatOpens) {
  const FakeDisk disk;
  FolderLists lists(L"c:", L"C:\\Work\\");
  EXPECT_TRUE(lists.Rows().empty()) << "nothing listed before the first listing comes";
  ASSERT_TRUE(lists.Take(ListFirstFolder(disk, L"C:\\Work\\", L"c:")));
  EXPECT_EQ(lists.OpenFolder(), L"C:\\work") << "as the file system spells it";
  const struct {
    const wchar_t* folder;
    bool moved;
    const wchar_t* open;
  } rows[] = {
      {L"C:\\work", false, L"C:\\work"},     // the same folder: no Dir1_Change
      {L"C:\\missing", false, L"C:\\work"},  // cannot be opened: the list stays
      {L"C:\\work\\Trips", true, L"C:\\work\\Trips"},
      {L"e:", false, L"C:\\work\\Trips"},  // a drive that is not ready
      {L"d:", true, L"D:\\"},
  };
  for (const auto& row : rows) {
    lists.Asked(row.folder);
    EXPECT_EQ(lists.Take(ListFolder(disk, row.folder)), row.moved) << testing::PrintToString(std::wstring(row.folder));
    EXPECT_EQ(lists.OpenFolder(), row.open);
    EXPECT_FALSE(lists.Listing());
  }
  // A stored folder that cannot be opened shows the start folder, even one that cannot be opened.
  EXPECT_EQ(ListFirstFolder(disk, L"C:\\missing", L"c:").open, L"C:\\work");
  EXPECT_EQ(ListFirstFolder(disk, L"C:\\missing", L"Q:\\gone").open, L"Q:\\gone");
}

TEST(FolderLists, RowsDrivesAndImageFilesFollowTheOpenFolder) {
  const FakeDisk disk;
  FolderLists lists(L"c:", L"c:");
  ASSERT_TRUE(lists.Take(ListFirstFolder(disk, L"c:", L"c:")));
  ASSERT_EQ(lists.Rows().size(), 3u);  // C:\, work (open), Trips
  EXPECT_EQ(lists.OpenRowIndex(), 1u);
  EXPECT_TRUE(lists.OnOpenPath(0));
  EXPECT_FALSE(lists.OnOpenPath(2));
  EXPECT_FALSE(lists.RowFolder(9));
  ASSERT_TRUE(lists.Take(ListFolder(disk, *lists.RowFolder(2))));
  ASSERT_EQ(lists.Files().size(), 2u) << "image files only, by name, from the same listing";
  EXPECT_EQ(lists.Files()[0].name, L"a.gif");
  EXPECT_EQ(lists.Files()[1].size, 2u);

  lists.TakeDrives(disk.Drives());
  EXPECT_EQ(lists.ShownDrive(L'D'), 0u) << "the open folder's drive, not the starting one";
  EXPECT_EQ(lists.DriveFolder(1), L"D:");
  EXPECT_FALSE(lists.DriveFolder(3));
  lists.Asked(L"D:\\");
  EXPECT_EQ(lists.ShownDrive(L'C'), 1u) << "the drive of the folder being listed";
}

// OK with a listing under way saves the folder it is to open and checks no file of another folder.
TEST(FolderLists, WhileAListingIsUnderWayTheChosenFolderIsTheOneAskedWithNoFilesYet) {
  const FakeDisk disk;
  FolderLists lists(L"c:", L"C:\\work\\Trips");
  EXPECT_TRUE(lists.Listing());
  EXPECT_EQ(lists.ChosenFolder(), L"C:\\work\\Trips") << "the stored folder, before anything is listed";
  ASSERT_TRUE(lists.Take(ListFolder(disk, L"C:\\work\\Trips")));
  EXPECT_EQ(lists.ChosenFiles().size(), 2u);
  lists.Asked(L"D:\\");
  EXPECT_EQ(lists.ChosenFolder(), L"D:\\");
  EXPECT_TRUE(lists.ChosenFiles().empty()) << "Trips's files are not D's";
  EXPECT_EQ(lists.Files().size(), 2u) << "the file list shows what it showed until the listing comes";
}

}  // namespace
}  // namespace lumiroll
