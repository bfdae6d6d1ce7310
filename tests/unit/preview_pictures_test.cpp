// The settings dialog's preview holder: one decode for each size mode, kept only while it is for
// the file selected now.
#include <gtest/gtest.h>

#include "saver/config/preview_pictures.h"

namespace lumiroll {
namespace {

constexpr PreviewArea kArea{152, 113, 1024};

DecodedPicture Loaded(const DecodeRequest& request, int width) {
  Picture picture;
  picture.width = width;
  return {request, std::nullopt, picture};
}

TEST(PreviewPictures, EachModeIsDecodedForItsOwnScale) {
  PreviewPictures holder;
  const auto requests = holder.Select(0, L"C:\\p\\a.jpg", kArea);
  EXPECT_EQ(requests[0], (DecodeRequest{1, L"C:\\p\\a.jpg", {152, 113, 0.0f}}));
  EXPECT_EQ(requests[1], (DecodeRequest{1, L"C:\\p\\a.jpg", {152, 113, 152.0f / 1024.0f}}));
  EXPECT_EQ(PreviewModeOf(2), PreviewMode::kActualSize);
  for (const std::int16_t other : {0, 1, 3, -1}) EXPECT_EQ(PreviewModeOf(other), PreviewMode::kFitted) << other;
}

TEST(PreviewPictures, KeepsOnlyLoadedDecodesOfTheFileSelectedNow) {
  PreviewPictures holder;
  const auto first = holder.Select(0, L"C:\\p\\a.jpg", kArea);
  EXPECT_EQ(holder.PictureFor(PreviewMode::kFitted), nullptr) << "nothing loaded yet: the preview stays black";
  EXPECT_FALSE(holder.Finish(PreviewMode::kActualSize, Loaded(first[0], 1))) << "the other mode's decode";
  EXPECT_TRUE(holder.Finish(PreviewMode::kFitted, Loaded(first[0], 10)));
  EXPECT_EQ(holder.PictureFor(PreviewMode::kActualSize), nullptr);

  const auto second = holder.Select(1, L"C:\\p\\b.jpg", kArea);
  EXPECT_FALSE(holder.Finish(PreviewMode::kActualSize, Loaded(first[1], 11))) << "a newer file was selected since";
  EXPECT_FALSE(holder.Finish(PreviewMode::kFitted, {second[0], std::nullopt, std::nullopt})) << "failed to load";
  EXPECT_EQ(holder.PictureFor(PreviewMode::kFitted)->width, 10) << "a failed load keeps the picture before";
  EXPECT_TRUE(holder.Finish(PreviewMode::kActualSize, Loaded(second[1], 21)));
  EXPECT_EQ(holder.PictureFor(PreviewMode::kActualSize)->width, 21);

  const auto third = holder.Select(0, L"C:\\q\\c.jpg", kArea);
  holder.Forget();  // the folder opened next holds no image
  EXPECT_FALSE(holder.Finish(PreviewMode::kFitted, Loaded(third[0], 30)));
  EXPECT_EQ(holder.PictureFor(PreviewMode::kFitted)->width, 10);
}

}  // namespace
}  // namespace lumiroll
