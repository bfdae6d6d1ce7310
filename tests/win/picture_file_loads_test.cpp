// The loader's jobs against real files: read in small blocks that each count as data, and a kept
// decode stands for a new load only while its file keeps its size and write time.
#include "saver/win32/picture_file_loads.h"

#include <gtest/gtest.h>

#include <atomic>

#include "picture_test_files.h"
#include "platform/win32/handles.h"

namespace lumiroll {
namespace {

using test::Bytes;

// A JPEG padded to a fixed length (data after the end marker is not read), so two different
// pictures can have the same size on disk.
Bytes PaddedJpeg(int width, int height, std::size_t length = 40000) {
  Bytes bytes = test::EncodeJpeg(width, height, test::Quadrants(width, height));
  bytes.resize(std::max(bytes.size(), length), 0);
  return bytes;
}

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  return data.ftLastWriteTime;
}

void SetWriteTime(const std::wstring& path, FILETIME time) {
  UniqueFile file(
      ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
}

int WidthOf(const std::shared_ptr<const DecodedPicture>& decoded) {
  return decoded && decoded->picture ? decoded->picture->width : 0;
}

TEST(PictureFileLoads, AKeptDecodeStandsOnlyWhileItsFileIsUnchanged) {
  const struct {
    const char* name;
    void (*change)(const test::ScratchFolder& folder, const std::wstring& path);
    int expectedWidth;  // 0: the load fails
  } rows[] = {
      {"unchanged", [](const test::ScratchFolder&, const std::wstring&) {}, 64},
      // Only size and write time are compared: a file rewritten with both kept is taken as unchanged.
      {"other content, same size and time",
       [](const test::ScratchFolder& folder, const std::wstring& path) {
         const FILETIME time = WriteTime(path);
         (void)folder.Write(L"a.jpg", PaddedJpeg(32, 24));
         SetWriteTime(path, time);
       },
       64},
      {"rewritten",
       [](const test::ScratchFolder& folder, const std::wstring&) { (void)folder.Write(L"a.jpg", PaddedJpeg(32, 24)); },
       32},
      {"replaced by a larger file",
       [](const test::ScratchFolder& folder, const std::wstring&) {
         (void)folder.Write(L"a.jpg", PaddedJpeg(48, 36, 50000));
       },
       48},
      {"deleted", [](const test::ScratchFolder&, const std::wstring& path) { ::DeleteFileW(path.c_str()); }, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScratchFolder folder;
    const std::wstring path = folder.Write(L"a.jpg", PaddedJpeg(64, 48));
    const DecodeRequest request{2, path, {640, 480, 1.0f}, {}};
    LoadJob first(request, nullptr, SystemLoaderOptions().clock);
    const auto kept = LoadJobPicture(first);
    ASSERT_EQ(WidthOf(kept), 64);
    ::Sleep(20);  // a write time the file system can tell apart
    row.change(folder, path);
    LoadJob again(request, kept, SystemLoaderOptions().clock);
    EXPECT_EQ(WidthOf(LoadJobPicture(again)), row.expectedWidth);
  }
}

TEST(PictureFileLoads, EachSmallBlockOfTheFileCountsAsData) {
  test::ScratchFolder folder;
  const std::wstring path = folder.Write(L"big.jpg", PaddedJpeg(64, 48, 1024 * 1024 + 1));
  std::atomic<int> clockReadings = 0;
  LoadJob job({1, path, {}, {}}, nullptr, [&] { return static_cast<std::uint32_t>(++clockReadings); });
  const int before = clockReadings;
  const auto shaped = LoadJobPicture(job, [](Picture picture, const DecodeRequest&) {
    picture.width = 7;
    return std::optional(std::move(picture));
  });
  EXPECT_EQ(WidthOf(shaped), 7);
  // The stamp, then five blocks of a megabyte and a byte; the decode is not watched.
  EXPECT_EQ(clockReadings - before, 1 + 5);
  EXPECT_EQ(job.DataDueIn(1000000, 10000), std::nullopt);
}

}  // namespace
}  // namespace lumiroll
