// After a display change the show's pictures are made for the new monitor's colours: the one on
// the screen again at once, and a picture kept from before (the one Down goes back to) read again
// rather than shown in the old monitor's colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "loader_fakes.h"
#include "platform/display_profile.h"
#include "saver/picture_feed.h"
#include "saver/show_engine.h"
#include "saver/show_state.h"
#include "tests/unit/native_pictures.h"

namespace lumiroll {
namespace {

struct Shown {
  std::int16_t image;
  bool onNewProfile;
  friend bool operator==(const Shown&, const Shown&) = default;
};

TEST(DisplayChangeColours, KeptPicturesAreNotShownInTheOldMonitorsColours) {
  test::LoaderRig rig({});
  ShowState state;
  state.PhotoDisplayTime = 5.0;
  ShowEngine engine(state, 3, kFitScreen);
  DisplayProfile monitor;  // sRGB until the change
  const DisplayProfile newMonitor = DisplayProfile::FromBytes(test::DataFileBytes("display_p3.icc"));
  ASSERT_FALSE(newMonitor.IsSrgb());
  PictureFeed feed(engine, *rig.loader, [&](const ShowCycle& cycle) {
    DecodeRequest request = test::RequestOf(cycle.image, cycle.scale);
    request.display = monitor;
    return request;
  });
  std::vector<Shown> screen;
  const auto showDue = [&] {
    std::optional<ReadyCycle> ready;
    ASSERT_TRUE(test::Eventually([&] { return (ready = feed.TakeDue()).has_value(); }));
    ASSERT_TRUE(ready->decoded && ready->decoded->picture);
    screen.push_back({ready->cycle.image, ready->decoded->request.display == newMonitor});
    feed.Painted(0);
  };
  const auto press = [&](std::uint16_t key) { (void)picture2_KeyDown(state, key, [] { return 5.0; }); };

  engine.Begin(0);
  showDue();  // 1, and 2 read ahead
  press(kKeyUp);
  showDue();  // 2 as read ahead; 1 kept for Down, 3 read ahead
  monitor = newMonitor;
  engine.Repeat(0);  // what the window does on WM_DISPLAYCHANGE
  showDue();
  press(kKeyDown);
  showDue();
  EXPECT_EQ(screen, (std::vector<Shown>{{1, false}, {2, false}, {2, true}, {1, true}}));
  const std::vector<std::int16_t> reads = rig.gate.Reads();
  EXPECT_EQ(std::count(reads.begin(), reads.end(), 1), 2) << "1 read again for the new colours";
}

}  // namespace
}  // namespace lumiroll
