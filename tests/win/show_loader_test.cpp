// The show's pictures against real files.
#include "saver/win32/show_loader.h"

#include <gtest/gtest.h>

#include "picture_test_files.h"

namespace lumiroll {
namespace {

TEST(ShowLoader, AFittedPictureComesAsAFrameOfTheSurfacesSize) {
  test::ScratchFolder folder;
  const std::wstring path = folder.Write(L"a.jpg", test::EncodeJpeg(64, 48, test::Quadrants(64, 48)));
  ShowLoader loading;
  loading.loader().Request({1, path, {400, 200, kFitScale}, {}});
  ASSERT_EQ(::WaitForSingleObject(loading.FinishedEvent(), 60000), WAIT_OBJECT_0);
  const auto decoded = loading.loader().TakeFinished();
  ASSERT_TRUE(decoded && decoded->picture);
  const Picture& frame = *decoded->picture;
  EXPECT_EQ(frame.pixelWidth, 400);
  EXPECT_EQ(frame.pixelHeight, 200);
  // 64 x 48 fitted: 267 x 200 at left 67; black beside it.
  EXPECT_EQ(frame.pixels[100 * 400 + 30], 0u);
  EXPECT_NE(frame.pixels[100 * 400 + 200], 0u);
}

}  // namespace
}  // namespace lumiroll
