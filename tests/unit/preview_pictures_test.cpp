// The settings dialog's preview holder: a decode for each size mode, the shown mode's first, kept
// only while it is for the file selected now.
#include <gtest/gtest.h>

#include "saver/config/preview_pictures.h"

namespace lumiroll {
namespace {

const PreviewArea kArea{152, 113, 1024, {}};
constexpr auto kFitted = PreviewMode::kFitted;
constexpr auto kActual = PreviewMode::kActualSize;

DecodedPicture Loaded(const DecodeRequest& request, int width) {
  Picture picture;
  picture.width = width;
  return {request, std::nullopt, picture};
}

TEST(PreviewPictures, AsksForTheShownModeFirstThenTheOtherThenNothing) {
  PreviewPictures holder;
  EXPECT_EQ(holder.NextRequest(kFitted), std::nullopt);
  holder.Select(0, L"C:\\p\\a.jpg", kArea);
  const DecodeRequest fitted{1, L"C:\\p\\a.jpg", {152, 113, 0.0f}, {}};
  const DecodeRequest actual{1, L"C:\\p\\a.jpg", {152, 113, 152.0f / 1024.0f}, {}};
  EXPECT_EQ(holder.NextRequest(kActual), actual);
  EXPECT_EQ(holder.NextRequest(kFitted), fitted);
  EXPECT_FALSE(holder.Ready(kFitted));
  EXPECT_TRUE(holder.Finish(Loaded(fitted, 10)));
  EXPECT_TRUE(holder.Ready(kFitted));
  EXPECT_EQ(holder.NextRequest(kFitted), actual);
  EXPECT_TRUE(holder.Finish(Loaded(actual, 11)));
  EXPECT_EQ(holder.NextRequest(kFitted), std::nullopt);
  EXPECT_EQ(holder.PictureFor(kFitted)->width, 10);
  EXPECT_EQ(holder.PictureFor(kActual)->width, 11);
  EXPECT_EQ(PreviewModeOf(2), kActual);
  for (const std::int16_t other : {0, 1, 3, -1}) EXPECT_EQ(PreviewModeOf(other), kFitted) << other;
}

TEST(PreviewPictures, DropsLateDecodesAndKeepsThePictureBeforeWhenOneFails) {
  PreviewPictures holder;
  holder.Select(0, L"C:\\p\\a.jpg", kArea);
  const DecodeRequest first = *holder.NextRequest(kFitted);
  EXPECT_EQ(holder.PictureFor(kFitted), nullptr) << "nothing loaded yet: the preview stays black";
  ASSERT_TRUE(holder.Finish(Loaded(first, 10)));

  holder.Select(1, L"C:\\p\\b.jpg", kArea);
  const DecodeRequest second = *holder.NextRequest(kFitted);
  EXPECT_FALSE(holder.Finish(Loaded(first, 99))) << "a newer file was selected since";
  EXPECT_FALSE(holder.Finish({second, std::nullopt, std::nullopt})) << "failed to load";
  EXPECT_EQ(holder.PictureFor(kFitted)->width, 10) << "a failed load keeps the picture before";
  EXPECT_EQ(holder.NextRequest(kFitted), std::nullopt) << "nor is the failing file read for the other mode";

  holder.Select(0, L"C:\\q\\c.jpg", kArea);
  const DecodeRequest third = *holder.NextRequest(kFitted);
  holder.Forget();  // the folder opened next holds no image
  EXPECT_FALSE(holder.Finish(Loaded(third, 30)));
  EXPECT_EQ(holder.PictureFor(kFitted)->width, 10);
  EXPECT_EQ(holder.NextRequest(kFitted), std::nullopt);
}

TEST(PreviewPictures, WithoutAScreenWidthBothModesTakeTheOneDecode) {
  PreviewPictures holder;
  holder.Select(0, L"C:\\p\\a.jpg", {152, 113, 0, {}});
  ASSERT_TRUE(holder.Finish(Loaded(*holder.NextRequest(kFitted), 10)));
  EXPECT_EQ(holder.NextRequest(kFitted), std::nullopt);
  EXPECT_EQ(holder.PictureFor(kActual)->width, 10);
}

}  // namespace
}  // namespace lumiroll
