// BuildImageList on real folders through the file-system reader.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/process.h"
#include "platform/win32/file_system.h"
#include "platform/win32/folder_reader.h"
#include "platform/win32/picture_loader.h"
#include "saver/image_list.h"
#include "saver/win32/picture_file_loads.h"
#include "shared/text_forms.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

struct ListResult {
  std::int16_t count = 99;
  std::vector<std::wstring> names;
};

ListResult ListImages(const std::wstring& setting) {
  ListResult result;
  BuildImageList(setting, ImagePattern, result.count, result.names, FileSystemFolderReader());
  return result;
}

void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  ::CloseHandle(file);
  if (attributes != FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes)) << path;
  }
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW(LongPathForm(folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      ::SetFileAttributesW(LongPathForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else ::DeleteFileW(LongPathForm(path).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(LongPathForm(folder).c_str());
}

// A fresh folder under the temporary folder, spelled as the file system spells it.
class ImageListFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
    base_ =
        FileSystemFolderReader().OpenFolder(temp) + L"\\LumirollImageList" + std::to_wstring(::GetCurrentProcessId());
    RemoveTree(base_);
    ASSERT_TRUE(::CreateDirectoryW(base_.c_str(), nullptr));
    previousFolder_ = CurrentFolder();
  }
  void TearDown() override {
    ::SetCurrentDirectoryW(previousFolder_.c_str());
    RemoveTree(base_);
  }
  std::wstring Folder(const std::wstring& name, const std::vector<std::wstring>& files = {}) {
    const std::wstring folder = base_ + L"\\" + name;
    EXPECT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << folder;
    for (const auto& file : files) MakeFile(folder + L"\\" + file);
    return folder;
  }

  std::wstring base_;
  std::wstring previousFolder_;
};

TEST_F(ImageListFolders, ListsPlainImageFilesDirectlyInTheFolderInOrder) {
  const std::wstring photos = Folder(L"Photos", {L"c.bmp", L"A.gif", L"b.JPG", L"notes.txt", L"e.Rle", L"d.jif"});
  MakeFile(photos + L"\\hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(photos + L"\\system.gif", FILE_ATTRIBUTE_SYSTEM);
  MakeFile(photos + L"\\readonly.ico", FILE_ATTRIBUTE_READONLY);
  MakeFile(photos + L"\\archive.emf", FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(::CreateDirectoryW((photos + L"\\folder.jpg").c_str(), nullptr));
  MakeFile(photos + L"\\folder.jpg\\inner.jpg");

  const ListResult result = ListImages(photos);
  EXPECT_EQ(result.count, 7);
  EXPECT_EQ(result.names, (std::vector<std::wstring>{L"A.gif", L"archive.emf", L"b.JPG", L"c.bmp", L"d.jif", L"e.Rle",
                                                     L"readonly.ico"}));
}

TEST_F(ImageListFolders, FindsTheFolderOnlyByItsFullSpellingCaseAside) {
  const std::wstring photos = Folder(L"Photos", {L"a.jpg"});
  std::wstring forward = photos;
  std::replace(forward.begin(), forward.end(), L'\\', L'/');
  ASSERT_TRUE(::SetCurrentDirectoryW(base_.c_str()));
  const struct {
    std::wstring setting;
    std::int16_t count;
  } rows[] = {
      {photos, 1},
      {LowerCase(photos), 1},
      {UpperCase(photos), 1},
      {photos + L"\\", -1},
      {forward, -1},
      {L"Photos", -1},
      {L".\\Photos", -1},
      {photos + L"\\..\\Photos", -1},
      {photos + L"\\.", -1},
      {L" " + photos, -1},
      {base_ + L"\\Missing", -1},
      {L"0", -1},
      {L"", -1},
  };
  for (const auto& row : rows) EXPECT_EQ(ListImages(row.setting).count, row.count) << row.setting;
}

TEST_F(ImageListFolders, FolderNamesBeyondAsciiWork) {
  const std::wstring folder = Folder(L"Été 写真", {L"été.jpg", L"Ärger.gif", L"写真.bmp"});
  for (const std::wstring& setting : {folder, LowerCase(folder), UpperCase(folder)}) {
    const ListResult result = ListImages(setting);
    EXPECT_EQ(result.count, 3) << setting;
    EXPECT_EQ(result.names, (std::vector<std::wstring>{L"Ärger.gif", L"été.jpg", L"写真.bmp"})) << setting;
  }
}

TEST_F(ImageListFolders, FoldersWithoutImageFilesCountZeroAndKeepTheNames) {
  const std::wstring onlyText = Folder(L"Text", {L"notes.txt", L"photo.jpeg"});
  const std::wstring empty = Folder(L"Empty");
  Folder(L"Empty\\Sub", {L"a.jpg", L"b.gif"});
  for (const std::wstring& setting : {onlyText, empty}) {
    std::int16_t count = 5;
    std::vector<std::wstring> names = {L"kept.jpg"};
    BuildImageList(setting, ImagePattern, count, names, FileSystemFolderReader());
    EXPECT_EQ(count, 0) << setting;
    EXPECT_EQ(names, std::vector<std::wstring>{L"kept.jpg"}) << setting;
  }
}

TEST_F(ImageListFolders, ReadsBackTheSpellingOnDiskOrTheCurrentFolder) {
  const std::wstring photos = Folder(L"MixedCase Photos");
  const FileSystemFolderReader reader;
  EXPECT_EQ(reader.OpenFolder(UpperCase(photos)), photos);
  EXPECT_EQ(reader.OpenFolder(photos + L"\\"), photos);
  EXPECT_EQ(reader.OpenFolder(LowerCase(photos) + L"\\sub\\.."), photos);
  ASSERT_TRUE(::SetCurrentDirectoryW(photos.c_str()));
  EXPECT_EQ(reader.OpenFolder(base_ + L"\\Missing"), photos);
}

TEST_F(ImageListFolders, AFolderPathLongerThanTheOldLimitIsOpenedListedAndMeasured) {
  std::wstring folder = base_;
  while (folder.size() <= MAX_PATH + 20) {
    folder += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(::CreateDirectoryW(LongPathForm(folder).c_str(), nullptr)) << folder.size();
  }
  HANDLE file = ::CreateFileW(LongPathForm(folder + L"\\photo.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file, "12345", 5, &written, nullptr));
  ::CloseHandle(file);

  EXPECT_TRUE(IsExistingFolder(folder));
  EXPECT_FALSE(IsExistingFolder(folder + L"\\photo.jpg"));
  EXPECT_EQ(FileSystemFolderReader().OpenFolder(UpperCase(folder)), folder);
  const ListResult listed = ListImages(folder);
  EXPECT_EQ(listed.count, 1);
  EXPECT_EQ(RealFileSystem().SizeOf(folder + L"\\photo.jpg"), 5u);
  EXPECT_EQ(FileSystemFolderReader().List(folder).at(0).size, 5u) << "the listing's size, for the large-image check";

  // The show loads and stamps what it listed there.
  const std::wstring picture = folder + L"\\picture.jpg";
  const test::Bytes jpeg = test::ReadFileBytes(test::DataFile(L"picture.jpg"));
  HANDLE copy = ::CreateFileW(LongPathForm(picture).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(copy, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(::WriteFile(copy, jpeg.data(), static_cast<DWORD>(jpeg.size()), &written, nullptr));
  ::CloseHandle(copy);
  EXPECT_TRUE(LoadPictureFile(picture));
  EXPECT_TRUE(ReadPictureFile(picture, {}));
  EXPECT_TRUE(ReadFileStamp(picture));
  // A folder that ends with a separator, joined to a name; "." and ".." in it: the extended form
  // that lifts the length limit also lifts the clean-up, so the path is cleaned before.
  EXPECT_TRUE(LoadPictureFile(folder + L"\\\\picture.jpg"));
  EXPECT_TRUE(ReadFileStamp(folder + L"\\.\\sub\\..\\picture.jpg"));
  EXPECT_EQ(RealFileSystem().SizeOf(folder + L"/photo.jpg"), 5u);
}

TEST(ImageListDrives, DriveRootsAreFoundMissingDrivesAreNot) {
  EXPECT_NE(ListImages(L"C:\\").count, -1);
  EXPECT_NE(ListImages(L"c:\\").count, -1);
  EXPECT_EQ(FileSystemFolderReader().OpenFolder(L"c:\\"), L"C:\\");
  EXPECT_EQ(ListImages(L"C:").count, -1);  // the current folder of drive C:, not its root
  const DWORD drives = ::GetLogicalDrives();
  for (int letter = 'Q'; letter <= 'Y'; ++letter) {
    if (drives & (1u << (letter - 'A'))) continue;
    const std::wstring missing = std::wstring(1, static_cast<wchar_t>(letter)) + L":\\Photos";
    EXPECT_EQ(ListImages(missing).count, -1) << missing;
    EXPECT_EQ(ListImages(missing.substr(0, 3)).count, -1) << missing;
    break;
  }
}

}  // namespace
}  // namespace lumiroll
