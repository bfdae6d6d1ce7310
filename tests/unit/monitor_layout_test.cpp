#include "saver/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumiroll {

void PrintTo(const ScreenRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(LayoutShow, CoversEveryMonitorAndPutsThePhotographsOnThePrimary) {
  const ScreenRect fallback{0, 0, 1024, 768};
  const struct {
    const char* name;
    std::vector<Monitor> monitors;
    ScreenRect window;
    ScreenRect picture2;
  } rows[] = {
      {"one monitor", {{{0, 0, 1024, 768}, true}}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
      {"second to the right",
       {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3200, 1024}, false}},
       {0, 0, 3200, 1080},
       {0, 0, 1920, 1080}},
      {"second to the left",
       {{{0, 0, 1920, 1080}, true}, {{-1280, 56, 0, 1080}, false}},
       {-1280, 0, 1920, 1080},
       {1280, 0, 3200, 1080}},
      {"second above, listed first",
       {{{-200, -900, 1400, 0}, false}, {{0, 0, 1920, 1080}, true}},
       {-200, -900, 1920, 1080},
       {200, 900, 2120, 1980}},
      {"three: left, primary, above right",
       {{{-1024, 0, 0, 768}, false}, {{0, 0, 1280, 1024}, true}, {{1280, -600, 2080, 0}, false}},
       {-1024, -600, 2080, 1024},
       {1024, 600, 2304, 1624}},
      {"no monitor marked primary: the first",
       {{{0, 0, 800, 600}, false}, {{800, 0, 1600, 600}, false}},
       {0, 0, 1600, 600},
       {0, 0, 800, 600}},
      {"no monitor listed: the fallback", {}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
  };
  for (const auto& row : rows) {
    const ShowLayout layout = LayoutShow(row.monitors, fallback);
    EXPECT_EQ(layout.window, row.window) << row.name;
    EXPECT_EQ(layout.picture2, row.picture2) << row.name;
  }
}

TEST(VirtualScreen, IsTheSmallestRectangleHoldingAll) {
  const std::vector<Monitor> monitors{{{0, 0, 100, 100}, true}, {{-50, 200, 10, 260}, false}};
  const ScreenRect all = VirtualScreen(monitors);
  EXPECT_EQ(all, (ScreenRect{-50, 0, 100, 260}));
  EXPECT_EQ(all.width(), 150);
  EXPECT_EQ(all.height(), 260);
  EXPECT_EQ(VirtualScreen({}), ScreenRect{});
}

}  // namespace
}  // namespace lumiroll
