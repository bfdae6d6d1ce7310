#pragma once
// Where the show's window and its display surface go when the desktop spans several monitors:
// the window covers them all, the photographs fill the primary one.
#include <span>

namespace lumiroll {

// A rectangle in desktop coordinates (the primary monitor's top left corner is (0, 0); other
// monitors may lie at negative coordinates). right and bottom are exclusive.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  [[nodiscard]] int width() const { return right - left; }
  [[nodiscard]] int height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct Monitor {
  ScreenRect area;
  bool primary = false;
};

struct ShowLayout {
  ScreenRect window;    // desktop coordinates: every monitor
  ScreenRect picture2;  // within the window (window coordinates): the primary monitor
};

// The smallest rectangle holding every monitor; empty when there is none.
[[nodiscard]] ScreenRect VirtualScreen(std::span<const Monitor> monitors);

// The show's layout. Without a monitor marked primary the first one counts as primary; without
// any monitor the fallback (the primary screen's size at (0, 0)) is used for both.
[[nodiscard]] ShowLayout LayoutShow(std::span<const Monitor> monitors, ScreenRect fallback);

}  // namespace lumiroll
