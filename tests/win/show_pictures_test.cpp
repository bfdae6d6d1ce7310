// The show's pictures against real files.
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
