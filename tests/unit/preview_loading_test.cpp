// The preview's loads: the shown mode's decode first, then the other's, and a file that stops
// answering given up by the watch while the preview keeps what it showed.
#include "saver/config/preview_loading.h"

#include <gtest/gtest.h>

#include "loader_fakes.h"

namespace lumiroll {
namespace {

const PreviewArea kArea{152, 113, 1024, {}};
constexpr auto kFitted = PreviewMode::kFitted;
constexpr auto kActual = PreviewMode::kActualSize;

TEST(PreviewLoading, BothModesOfAFileInTurnThenAFileThatStopsAnsweringIsGivenUp) {
  test::LoaderRig rig({2});  // the second file in the list stalls
  PreviewLoading preview(*rig.loader);
  preview.Select(0, L"C:\\p\\a.jpg", kArea, kActual);
  ASSERT_TRUE(test::Eventually([&] { return rig.finished == 1; }));
  EXPECT_TRUE(preview.TakeFinished(kActual));
  EXPECT_TRUE(preview.Ready(kActual));
  EXPECT_FALSE(preview.Ready(kFitted)) << "asked for only once the shown mode's is in";
  ASSERT_TRUE(test::Eventually([&] { return rig.finished == 2; }));
  EXPECT_TRUE(preview.TakeFinished(kActual));
  EXPECT_TRUE(preview.Ready(kFitted));
  EXPECT_EQ(preview.Watch(rig.clock, kActual), std::nullopt) << "nothing left to watch";
  ASSERT_EQ(rig.gate.Started().size(), 2u);
  EXPECT_EQ(rig.gate.Started().at(0), 1);
  EXPECT_EQ(rig.gate.Started().at(1), 1);

  preview.Select(1, L"C:\\p\\b.jpg", kArea, kActual);
  ASSERT_TRUE(test::Eventually([&] { return rig.gate.Waiting() == 1; }));
  EXPECT_FALSE(preview.TakeFinished(kActual)) << "never waits for the read";
  const std::optional<std::uint32_t> due = preview.Watch(rig.clock, kActual);
  ASSERT_TRUE(due.has_value());
  EXPECT_GT(*due, 0u);
  rig.clock += 10'001;
  EXPECT_EQ(preview.Watch(rig.clock, kActual), 0u) << "the read gave no data for the limit";
  EXPECT_FALSE(preview.TakeFinished(kActual));
  EXPECT_EQ(preview.PictureFor(kActual)->width, 1) << "the first file's picture stays";
  EXPECT_EQ(preview.Watch(rig.clock, kActual), std::nullopt) << "nor is the file read again for the other mode";
  EXPECT_EQ(rig.gate.Started().size(), 3u);
}

}  // namespace
}  // namespace lumiroll
