// The show's pictures against real files: a decode made ahead stands for a load at its due time
// only while the file keeps its size and write time.
#include "saver/win32/show_pictures.h"

#include <gtest/gtest.h>

#include "picture_test_files.h"

namespace lumiroll {
namespace {

using test::Bytes;

// A JPEG padded to a fixed length (data after the end marker is not read), so two different
// pictures can have the same size on disk.
Bytes PaddedJpeg(int width, int height) {
  Bytes bytes = test::EncodeJpeg(width, height, test::Quadrants(width, height));
  bytes.resize(std::max<std::size_t>(bytes.size(), 40000), 0);
  return bytes;
}

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  return data.ftLastWriteTime;
}

void SetWriteTime(const std::wstring& path, FILETIME time) {
  UniqueFile file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
}

TEST(ShowPictures, ADecodeAheadStandsForALoadOnlyWhileItsFileIsUnchanged) {
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
      {"rewritten", [](const test::ScratchFolder& folder, const std::wstring&) { (void)folder.Write(L"a.jpg", PaddedJpeg(32, 24)); }, 32},
      {"replaced by a larger file",
       [](const test::ScratchFolder& folder, const std::wstring&) {
         Bytes bytes = PaddedJpeg(48, 36);
         bytes.resize(50000, 0);
         (void)folder.Write(L"a.jpg", bytes);
       },
       48},
      {"deleted", [](const test::ScratchFolder&, const std::wstring& path) { ::DeleteFileW(path.c_str()); }, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    test::ScratchFolder folder;
    const std::wstring path = folder.Write(L"a.jpg", PaddedJpeg(64, 48));
    const DecodeRequest request{2, path, {640, 480, 1.0f}};
    ShowPictures pictures;
    pictures.DecodeNext(request);
    ASSERT_EQ(::WaitForSingleObject(pictures.FinishedEvent(), 10000), WAIT_OBJECT_0);
    ::Sleep(20);  // a write time the file system can tell apart
    row.change(folder, path);
    const std::optional<Picture> loaded = pictures.Load(request);
    EXPECT_EQ(loaded ? loaded->width : 0, row.expectedWidth);
  }
}

TEST(ShowPictures, AFittedPictureComesAsAFrameOfTheSurfacesSize) {
  test::ScratchFolder folder;
  const std::wstring path = folder.Write(L"a.jpg", PaddedJpeg(64, 48));
  ShowPictures pictures;
  for (bool ahead : {true, false}) {
    const DecodeRequest request{1, path, {400, 200, 0.0f}};
    if (ahead) {
      pictures.DecodeNext(request);
      ASSERT_EQ(::WaitForSingleObject(pictures.FinishedEvent(), 10000), WAIT_OBJECT_0);
    }
    const std::optional<Picture> loaded = pictures.Load(request);
    ASSERT_TRUE(loaded) << ahead;
    EXPECT_EQ(loaded->pixelWidth, 400) << ahead;
    EXPECT_EQ(loaded->pixelHeight, 200) << ahead;
    // 64 x 48 fitted: 267 x 200 at left 67; black beside it.
    EXPECT_EQ(loaded->pixels[100 * 400 + 30], 0u) << ahead;
    EXPECT_NE(loaded->pixels[100 * 400 + 200], 0u) << ahead;
  }
}

}  // namespace
}  // namespace lumiroll
